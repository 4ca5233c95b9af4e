#include "dialogs/edit_dialog.h"
#include "dialogs/map_cell_editor.h"
#include "document/change_cells.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "main/clickable_label.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The view panels in the order of the view selector.
const char *const Panels = "Frame1 Frame2 Frame8 FrameIG_Map_NUM FrameIG_Map_GRA FrameIG_Map_3D "
                           "Frame7 Frame4 FramePITroad FrameIdleNe";

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    static void checkNoFileState(const WindowFixture &f) {
        QCOMPARE(f.text("Label2"), QStringLiteral("file select"));
        QCOMPARE(f.text("Label3"), QStringLiteral("----"));
        QCOMPARE(f.shownAmong(Panels), QString());
        QCOMPARE(f.shownAmong("Frame6"), QString());
        QCOMPARE(f.enabledAmong("Combo1 Command7 Command2 Command3 mnuData(1) mnuSaveFile(2) "
                                "mnuStepUp mnuPaste Command1"),
                 QStringLiteral("Command1"));
        QVERIFY(!f.window->hasData());
    }

private slots:
    void firstStartWithAnEmptyStore() {
        WindowFixture f;
        MainWindow &w = f.start();
        QCOMPARE(w.windowTitle(), QStringLiteral("07KorvoKit Fi Setting Tool[*]"));
        QVERIFY(!w.isWindowModified());
        QCOMPARE(f.find<QGroupBox>(QStringLiteral("Frame5"))->title(),
                 QStringLiteral("Data Transmit ----- COM1"));
        QVERIFY(f.find<QAction>(QStringLiteral("mnuCOM_NO(1)"))->isChecked());
        QVERIFY(!f.find<QAction>(QStringLiteral("mnuCOM_NO(2)"))->isChecked());
        checkNoFileState(f);
        QCOMPARE(f.find<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(),
                 QStringLiteral("Comment\n"));
        QVERIFY(f.op.messages.isEmpty());
        const auto *combo = f.find<QComboBox>(QStringLiteral("Combo1"));
        QCOMPARE(combo->count(), 10);
        QCOMPARE(combo->itemText(9), QStringLiteral("Idring Ne"));
    }

    void startWithTheStoredFileLoaded() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        QVERIFY(f.op.messages.isEmpty());
        QVERIFY(w.hasData());
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QVERIFY(f.text("Label3") != QStringLiteral("----"));
        QVERIFY(f.find<QPlainTextEdit>(QStringLiteral("Text3"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("Sample calibration for the kit ECU.\nFuel")));
        QCOMPARE(f.shownAmong(Panels), QStringLiteral("Frame1"));
        QCOMPARE(f.find<QComboBox>(QStringLiteral("Combo1"))->currentIndex(), 0);
        const char *const commands = "Combo1 Command2 Command3 Command7 Command6";
        QCOMPARE(f.enabledAmong(commands), QLatin1String(commands));
        // Cells from the decoded tables, row 1 at the bottom; the single values too.
        const EcuTables &t = w.document().tables();
        QCOMPARE(f.text("Label6(1)"), t.KmapText[0][0]);
        QCOMPARE(f.text("Label6(176)"), t.KmapText[10][15]);
        QCOMPARE(f.text("Label_IG6(17)"), t.IGmapText[1][0]);
        QCOMPARE(f.text("Label7(16)"), QStringLiteral("16500"));
        QCOMPARE(f.text("Label8(1)"), QStringLiteral("0"));
        QCOMPARE(f.text("Label14"), QStringLiteral("14000"));
        QCOMPARE(f.text("Lbl_PITroad"), QStringLiteral("6000"));
        QCOMPARE(f.text("Lbl_IdleNe"), QStringLiteral("1600"));
        QVERIFY(f.find(QStringLiteral("Label6(1)"))->y() >
                f.find(QStringLiteral("Label6(161)"))->y());
    }

    void startWithAStoredFileThatFails_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("messages");
        QTest::newRow("missing file: the system's reason") << "missing" << 1;
        QTest::newRow("foreign marker: silent") << "foreign" << 0;
        QTest::newRow("malformed: file format") << "malformed" << 1;
        QTest::newRow("name shorter than four characters") << "shortname" << 0;
    }

    void startWithAStoredFileThatFails() {
        QFETCH(QString, kind);
        QFETCH(int, messages);
        WindowFixture f;
        QString path = f.dir.filePath(QStringLiteral("GONE.E2P"));
        QString name = QStringLiteral("GONE.E2P");
        if (kind == QStringLiteral("foreign")) {
            EcuImage image;
            for (int i = 0; i < 6; ++i)
                image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>("QZ3ROK"[i]));
            f.writeFile(QStringLiteral("GONE.E2P"), e2pFileContents(image, {}));
        } else if (kind == QStringLiteral("malformed")) {
            f.writeFile(QStringLiteral("GONE.E2P"), ":0101E000AB00\r\n:00000001FF\r\nx\r\ny\r\n");
        } else if (kind == QStringLiteral("shortname")) {
            path = f.copySample(QStringLiteral("A.E"));
            name = QStringLiteral("A.E");
        }
        f.storeLastFile(path, name);
        f.start();
        QCOMPARE(f.op.messages.size(), messages);
        if (messages == 1) {
            QCOMPARE(f.op.messages.front().icon, MessageIcon::Critical);
            if (kind == QStringLiteral("missing"))
                QVERIFY(f.op.messages.front().text.contains(path));
            else
                QCOMPARE(f.op.messages.front().text, QStringLiteral("file format is incorrect."));
        }
        checkNoFileState(f);
    }

    void storedPortNumber_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("port");
        QTest::newRow("16") << "16" << 16;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("out of range") << "17" << 1;
        QTest::newRow("not a number") << "COM2" << 1;
    }

    void storedPortNumber() {
        QFETCH(QString, stored);
        QFETCH(int, port);
        WindowFixture f;
        f.settings->writeText(QStringLiteral("CommProt"), QStringLiteral("PortNo"), stored);
        MainWindow &w = f.start();
        QVERIFY(f.find<QAction>(QStringLiteral("mnuCOM_NO(%1)").arg(port))->isChecked());
        QCOMPARE(f.find<QGroupBox>(QStringLiteral("Frame5"))->title(),
                 QStringLiteral("Data Transmit ----- COM%1").arg(port));
        w.close();
        QCOMPARE(readPortNo(*f.settings), port);
    }

    void choosingAPortChecksItAloneAndIsStoredOnQuit() {
        WindowFixture f;
        MainWindow &w = f.start();
        f.find<QAction>(QStringLiteral("mnuCOM_NO(16)"))->trigger();
        QCOMPARE(w.portNo(), 16);
        int checked = 0;
        for (int k = 1; k <= 16; ++k)
            checked += f.find<QAction>(QStringLiteral("mnuCOM_NO(%1)").arg(k))->isChecked() ? 1 : 0;
        QCOMPARE(checked, 1);
        QCOMPARE(f.find<QGroupBox>(QStringLiteral("Frame5"))->title(),
                 QStringLiteral("Data Transmit ----- COM16"));
        QCOMPARE(readPortNo(*f.settings), 1); // stored only on quit

        // The items name the device each number opens, as the system lists it when the menu
        // opens; the frame keeps the number alone.
        f.ports.ports = {UsbAdapter};
        writeSerialDevice(*f.settings, 16, UsbAdapter.stableName);
        emit f.find<QMenu>(QStringLiteral("mnuCOMMP"))->aboutToShow();
        QCOMPARE(f.find<QAction>(QStringLiteral("mnuCOM_NO(16)"))->text(),
                 QStringLiteral("COM16  /dev/ttyUSB0 (FT232R USB UART)"));
        QCOMPARE(f.find<QAction>(QStringLiteral("mnuCOM_NO(2)"))->text(),
                 QStringLiteral("COM2  /dev/ttyS1"));
        QCOMPARE(f.find<QGroupBox>(QStringLiteral("Frame5"))->title(),
                 QStringLiteral("Data Transmit ----- COM16"));
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
        QCOMPARE(readPortNo(*f.settings), 16);
    }

    // A file named on the command line opens in place of the last file, with Open File's checks;
    // a dropped file opens as Open File does, after the question when edits would be lost.
    void filesFromTheCommandLineAndTheDesktop() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        const QString named = f.copySample(QStringLiteral("NAMED.E2P"));
        f.window = std::make_unique<MainWindow>(*f.settings, f.seams(), named);
        QCOMPARE(f.text("Label2"), QStringLiteral("NAMED"));
        QCOMPARE(readLastFile(*f.settings).path, named);
        f.window.reset();
        const QString bad = f.writeFile(QStringLiteral("BAD.E2P"), ":00000001FF\r\nx\r\ny\r\n");
        f.window = std::make_unique<MainWindow>(*f.settings, f.seams(), bad);
        QCOMPARE(f.op.messages.size(), 1);
        checkNoFileState(f);

        const auto drop = [&f](const QString &path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(f.window.get(), &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(f.window.get(), &dropped);
            return true;
        };
        QVERIFY(!drop(f.writeFile(QStringLiteral("notes.txt"), "x")));
        QVERIFY(drop(f.dir.filePath(QStringLiteral("SAMPLE.E2P"))));
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QVERIFY(f.window->document().apply(changeCell(MapKind::Ig, 1, 2)));
        f.op.choices = {2}; // Cancel: the edit stays
        QVERIFY(drop(named));
        QCOMPARE(
            f.op.messages.back().text,
            QStringLiteral("The data have been changed. Save them before opening another file?"));
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
    }

    // Selecting a grid refills it from the tables.
    void viewSelectorShowsExactlyOnePanel() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        f.loadBytes({fiCellOffset(36), 109, igCellOffset(1), 0xF9});
        f.find<QLabel>(QStringLiteral("Label6(36)"))->setText(QStringLiteral("stale"));
        f.find<QLabel>(QStringLiteral("Label_IG6(1)"))->setText(QStringLiteral("stale"));
        const QStringList panels = QString::fromLatin1(Panels).split(QLatin1Char(' '));
        for (int position = 0; position < panels.size(); ++position) {
            w.selectView(static_cast<ViewPosition>(position));
            QCOMPARE(f.shownAmong(Panels), panels[position]);
        }
        QCOMPARE(f.text("Label6(36)"), QStringLiteral("+9%"));
        QCOMPARE(f.text("Label_IG6(1)"), QStringLiteral("-7deg"));
        QCOMPARE(f.text("Label_IG7(1)"), QStringLiteral("1400"));
        QCOMPARE(f.text("Label_IG8(11)"), QStringLiteral("100"));
    }

    // Only the Fi grid's axes are click targets, and of them only inner points open an editor.
    void clicksSetTheSharedState_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("selIndex");
        QTest::addColumn<int>("valueEditMode");
        QTest::addColumn<bool>("opens"); // an edit dialog
        // -1: left as it was (the fixture starts each value at 99).
        QTest::newRow("NE point 1") << "Label7(1)" << 1 << -1 << false;
        QTest::newRow("NE point 2") << "Label7(2)" << 2 << 1 << true;
        QTest::newRow("NE point 16") << "Label7(16)" << 16 << -1 << false;
        QTest::newRow("NE title") << "Label7(17)" << 17 << -1 << false;
        QTest::newRow("TH point 1") << "Label8(1)" << 1 << -1 << false;
        QTest::newRow("TH point 10") << "Label8(10)" << 10 << -1 << true;
        QTest::newRow("TH point 11") << "Label8(11)" << 11 << -1 << false;
        QTest::newRow("TH title") << "Label8(12)" << 12 << -1 << false;
        QTest::newRow("IG NE axis") << "Label_IG7(5)" << -1 << -1 << false;
        QTest::newRow("IG TH axis") << "Label_IG8(5)" << -1 << -1 << false;
        QTest::newRow("shift timing") << "Label14" << -1 << 2 << true;
        QTest::newRow("pit-road limit") << "Lbl_PITroad" << -1 << 4 << true;
        QTest::newRow("idle speed") << "Lbl_IdleNe" << -1 << -1 << true;
    }

    void clicksSetTheSharedState() {
        QFETCH(QString, target);
        QFETCH(int, selIndex);
        QFETCH(int, valueEditMode);
        QFETCH(bool, opens);
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        const QStringList panels = QString::fromLatin1(Panels).split(QLatin1Char(' '));
        for (int position = 0; position < panels.size(); ++position) {
            if (f.find(target)->parentWidget() == f.find(panels[position]))
                w.selectView(static_cast<ViewPosition>(position));
        }
        QVERIFY(f.find(target)->isVisible());
        WindowState &s = w.state();
        s.SelIndex = s.MapEditMode = s.ValueEditMode = 99;
        QTest::mouseClick(f.find(target), Qt::LeftButton);
        QCOMPARE(int(s.SelIndex), selIndex < 0 ? 99 : selIndex);
        QCOMPARE(int(s.MapEditMode), 99);
        QCOMPARE(int(s.ValueEditMode), valueEditMode < 0 ? 99 : valueEditMode);
        QCOMPARE(w.findChild<EditDialog *>() != nullptr, opens);
        QCOMPARE(w.isMainWindowEnabled(), !opens);
    }

    void openEditSaveAndReopenKeepsTheEdit() {
        WindowFixture f;
        MainWindow &w = f.start();
        f.choose(f.copySample(QStringLiteral("START.E2P")));
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(f.op.messages.isEmpty());
        QVERIFY(w.hasData());
        QCOMPARE(f.text("Label2"), QStringLiteral("START"));
        QCOMPARE(f.enabledAmong("Command3 Combo1"), QStringLiteral("Command3 Combo1"));
        QVERIFY(!w.isWindowModified());

        // Fi cell 113 (offset 320) to +30%, and a new comment line.
        w.selectView(ViewPosition::FiNumeric);
        QTest::mouseClick(f.find(QStringLiteral("Label6(113)")), Qt::LeftButton);
        auto *editor = w.findChild<MapCellEditor *>();
        QVERIFY(editor);
        QTest::keyClick(editor->slider(), Qt::Key_Home);
        QTest::keyClick(editor->slider(), Qt::Key_Return);
        flushDeletes();
        auto *comment = f.find<QPlainTextEdit>(QStringLiteral("Text3"));
        comment->setPlainText(comment->toPlainText() + QStringLiteral("\nsecond session"));
        QVERIFY(w.isWindowModified());

        const QString saved = f.dir.filePath(QStringLiteral("EDITED.E2P"));
        f.choose(saved);
        f.find<QAction>(QStringLiteral("mnuSaveFile(2)"))->trigger();
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().text, QStringLiteral("File save ended"));
        QCOMPARE(f.text("Label2"), QStringLiteral("EDITED"));
        QCOMPARE(readLastFile(*f.settings).path, saved);
        QVERIFY(!w.isWindowModified());

        const HexReadResult back = HEX_Data_read(saved);
        QVERIFY(back.HexReadOk);
        QCOMPARE(int(back.image.byte(320)), 130);
        QCOMPARE(back.image, w.document().image());

        // Reopening shows the edit.
        f.choose(saved);
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(f.text("Label6(113)"), QStringLiteral("+30%"));
        QVERIFY(comment->toPlainText().endsWith(QStringLiteral("\nsecond session")));
    }

    void aFailedOpenKeepsTheLoadedData() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 9, 0x77))); // an unsaved edit
        f.op.choices = {1};                                            // discard it
        f.choose(f.writeFile(QStringLiteral("BAD.E2P"), ":10002000000000\r\n"));
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(f.op.messages.size(), 2);
        QCOMPARE(f.op.messages.back().text, QStringLiteral("file format is incorrect."));
        QVERIFY(w.hasData());
        QCOMPARE(int(w.document().image().byte(200)), 0x77);
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QCOMPARE(f.enabledAmong("Command2"), QStringLiteral("Command2"));
        QCOMPARE(f.shownAmong("Frame1"), QStringLiteral("Frame1"));
        QCOMPARE(w.fileState().E2PFileName, QStringLiteral("SAMPLE.E2P"));
    }

    void aFailedOpenWithoutDataShowsNoFile() {
        WindowFixture f;
        MainWindow &w = f.start();
        f.choose(f.writeFile(QStringLiteral("BAD.E2P"), ":00000001FF\r\n<<<Comment Start>>>\r\n"));
        w.files().E2PFileOpen();
        QCOMPARE(f.op.messages.size(), 1);
        QVERIFY(!w.hasData());
        QCOMPARE(f.text("Label2"), QStringLiteral("file select"));
        QCOMPARE(f.find<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(), QString());
        QCOMPARE(f.enabledAmong("Command2"), QString());
    }

    // The comment box shows the comment's bytes decoded; a save gives the file the bytes it came
    // with until the comment is edited, and an edited one as UTF-8. A word of a megabyte in it
    // does not hold up the window.
    void theCommentKeepsItsBytesAndALongWordShowsAtOnce() {
        WindowFixture f;
        QFile sample(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QByteArray start = "<<<Comment Start>>>\r\n";
        QByteArray records = sample.readAll();
        records.truncate(records.indexOf(start) + start.size());
        const QByteArray comment = "caf\xE9\xA0"
                                   "1\n2\r\n" +
                                   QByteArray(1000 * 1000, 'x');
        f.storeLastFile(f.writeFile(QStringLiteral("OLD.E2P"), records + comment + "\r\n"),
                        QStringLiteral("OLD.E2P"));
        QElapsedTimer clock;
        clock.start();
        MainWindow &w = f.start();
        (void)w.grab();
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        auto *box = f.find<QPlainTextEdit>(QStringLiteral("Text3"));
        QCOMPARE(box->toPlainText(),
                 QStringLiteral("caf\u00e9 1\n2\n") + QString(1000 * 1000, QLatin1Char('x')));

        const auto savedComment = [&] {
            f.choose(f.dir.filePath(QStringLiteral("NEW.E2P")));
            w.files().E2PFileSave();
            QFile saved(f.dir.filePath(QStringLiteral("NEW.E2P")));
            return saved.open(QIODevice::ReadOnly) ? saved.readAll().mid(records.size()) : "";
        };
        QCOMPARE(savedComment(), comment + "\r\n");
        box->appendPlainText(QStringLiteral("\u00b1"));
        QCOMPARE(savedComment(),
                 box->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8() +
                     "\r\n");
    }

    // A failed save changes nothing; a good one names the image after the file, hides the ECU
    // name and enables Data Write.
    void saveFailsWithoutChangesThenSucceeds() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        const EcuImage before = w.document().image();
        f.find(QStringLiteral("Command3"))->setEnabled(false);
        f.find<QAction>(QStringLiteral("mnuData(2)"))->setEnabled(false);
        f.find(QStringLiteral("Frame6"))->setVisible(true);
        const QString nowhere = f.dir.filePath(QStringLiteral("missing/NEW.E2P"));
        f.choose(nowhere);
        w.files().E2PFileSave();
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().icon, MessageIcon::Critical);
        QVERIFY(f.op.messages.front().text.contains(nowhere));
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QCOMPARE(w.document().image(), before);
        QCOMPARE(readLastFile(*f.settings).name, QStringLiteral("SAMPLE.E2P"));
        QCOMPARE(f.enabledAmong("Command3 mnuData(2)"), QString());
        QCOMPARE(f.shownAmong("Frame6"), QStringLiteral("Frame6"));

        f.choose(f.dir.filePath(QStringLiteral("RACE1.E2P")));
        w.files().E2PFileSave();
        QCOMPARE(f.enabledAmong("Command3 mnuData(2)"), QStringLiteral("Command3 mnuData(2)"));
        QCOMPARE(f.shownAmong("Frame6"), QString());
        QCOMPARE(EcuDataName(w.document().image()), QStringLiteral("RACE1   "));
    }

    void aboutShowsTitleAndVersion() {
        WindowFixture f;
        f.start();
        f.find<QAction>(QStringLiteral("mnuAbout(1)"))->trigger();
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().icon, MessageIcon::None);
        QCOMPARE(f.op.messages.front().text,
                 QStringLiteral("07KorvoKit Fi Setting Tool\r\rVersion: %1.%2.0.%3\r\r")
                     .arg(ECU_VERSION_MAJOR)
                     .arg(ECU_VERSION_MINOR)
                     .arg(ECU_VERSION_REVISION));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
