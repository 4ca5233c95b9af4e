// The main window: start-up, files, ports, the views and what a click on them sets, and the
// comparison with another calibration.

#include "compare/compare_commands.h"
#include "compare/compare_mark.h"
#include "compare/history_dialog.h"
#include "dialogs/port_device_dialog.h"
#include "document/change_cells.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "files/history_folder.h"
#include "files/table_csv.h"
#include "graph/graph_canvas.h"
#include "grid/grid_cell.h"
#include "grid/map_grid_view.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

namespace {

// The view panels in the order of the view selector.
const char *const Panels = "Frame1 Frame2 Frame8 FrameIG_Map_NUM FrameIG_Map_GRA FrameIG_Map_3D "
                           "Frame7 Frame4 FramePITroad FrameIdleNe";

struct NoFileCase {
    const char *name;
    const char *how;  // "start": the stored last file; "named": on the command line; "opened"
    const char *file; // "none", "foreign" (marker), "malformed", "shortname", "nofolder" (a
                      // malformed file as the settings folder: warned once the window is up)
    const char *told; // the message, critical; "": none; %1: the file
};

bool cellMarked(const WindowFixture &f, int k) {
    return f.find<GridCell>(QStringLiteral("Label6(%1)").arg(k))->decoration().differs;
}

QStringList row(const PortDeviceDialog &dialog, int index) {
    QStringList texts;
    const QTreeWidgetItem *item = dialog.portTable()->topLevelItem(index);
    for (int column = 0; item && column < item->columnCount(); ++column)
        texts.push_back(item->text(column));
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(NoFileCase)

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startWithTheStoredFileLoaded() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("SAMPLE.E2P \u2013 07KorvoKit Fi Setting Tool[*]"));
        QCOMPARE(w.windowFilePath(), f.dir.filePath(QStringLiteral("SAMPLE.E2P")));
        QCOMPARE(w.focusWidget(), f.find("Frame1")); // typing goes to the grid
        QVERIFY(!w.isWindowModified());
        QVERIFY(f.op.messages.isEmpty());
        QVERIFY(w.hasData());
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QVERIFY(f.text("Label3") != QStringLiteral("----"));
        QVERIFY(f.find<QPlainTextEdit>("Text3")->toPlainText().startsWith(
            QStringLiteral("Sample calibration for the kit ECU.\nFuel")));
        QCOMPARE(f.shownAmong(Panels), QStringLiteral("Frame1"));
        const auto *combo = f.find<QComboBox>("Combo1");
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->count(), 10);
        QCOMPARE(combo->itemText(9), QStringLiteral("Idring Ne"));
        const char *const commands = "Combo1 Command2 Command3 Command7 Command6";
        QCOMPARE(f.enabledAmong(commands), QLatin1String(commands));
        // Cells from the decoded tables, row 1 at the bottom; the single values too.
        const EcuTables &t = w.document().tables();
        QCOMPARE(f.text("Label6(1)"), t.KmapText[0][0]);
        QCOMPARE(f.text("Label6(176)"), t.KmapText[10][15]);
        QCOMPARE(f.text("Label_IG6(17)"), t.IGmapText[1][0]);
        QCOMPARE(f.texts("Label7(16) Label8(1) Label14 Lbl_PITroad Lbl_IdleNe"),
                 words("16500 0 14000 6000 1600"));
        QVERIFY(f.find("Label6(1)")->y() > f.find("Label6(161)")->y());

        f.trigger("mnuAbout(1)");
        QCOMPARE(f.op.messages,
                 (QList<ToldMessage>{
                     {QStringLiteral("07KorvoKit Fi Setting Tool\r\rVersion: %1.%2.0.%3\r\r")
                          .arg(ECU_VERSION_MAJOR)
                          .arg(ECU_VERSION_MINOR)
                          .arg(ECU_VERSION_REVISION),
                      MessageIcon::None}}));
    }

    // Nothing to load at start-up, or a file that fails there or in Open File.
    void noFileState_data() {
        QTest::addColumn<NoFileCase>("c");
        const NoFileCase cases[] = {
            {"first start, nothing stored", "start", "none", ""},
            {"stored file with a foreign marker: silent", "start", "foreign", ""},
            {"stored file malformed", "start", "malformed", "file format is incorrect."},
            {"stored name shorter than four characters", "start", "shortname", ""},
            {"settings folder a file", "start", "nofolder",
             "Settings are not saved: %1 is not a folder"},
            {"named on the command line, malformed", "named", "malformed",
             "file format is incorrect."},
            {"opened, malformed: the comment cleared", "opened", "malformed",
             "file format is incorrect."},
        };
        for (const NoFileCase &c : cases)
            QTest::newRow(c.name) << c;
    }

    void noFileState() {
        QFETCH(NoFileCase, c);
        const QLatin1String how(c.how), file(c.file), told(c.told);
        WindowFixture f;
        QString name = QStringLiteral("GONE.E2P");
        QString path = f.dir.filePath(name);
        if (file == QLatin1String("foreign")) {
            EcuImage image;
            for (int i = 0; i < 6; ++i)
                image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>("QZ3ROK"[i]));
            f.writeFile(name, e2pFileContents(image, {}));
        } else if (file == QLatin1String("malformed") || file == QLatin1String("nofolder")) {
            f.writeFile(name, ":0101E000AB00\r\n:00000001FF\r\nx\r\ny\r\n");
        } else if (file == QLatin1String("shortname")) {
            name = QStringLiteral("A.E");
            path = f.copySample(name);
        }
        if (file != QLatin1String("none") && how == QLatin1String("start"))
            f.storeLastFile(path, name);
        const bool warned = file == QLatin1String("nofolder"); // the window's store: defaults
        if (warned)
            f.settings = std::make_unique<SettingsStore>(path + QStringLiteral("/QZ3ROK.ini"));
        MainWindow &w = f.start(how == QLatin1String("named") ? path : QString());
        if (how == QLatin1String("opened")) {
            f.dialogs.choose(path);
            f.click("Command1");
        }
        QCOMPARE(f.op.messages.isEmpty(), told.isEmpty() || warned); // not before it is up
        w.hide();
        w.show();
        QCoreApplication::processEvents();
        const QList<ToldMessage> once{{QString(told).replace(QStringLiteral("%1"), path),
                                       warned ? MessageIcon::Exclamation : MessageIcon::Critical}};
        QCOMPARE(f.op.messages, told.isEmpty() ? QList<ToldMessage>() : once);
        QVERIFY(!w.hasData());
        QVERIFY(!w.isWindowModified());
        QCOMPARE(w.windowTitle(), QStringLiteral("07KorvoKit Fi Setting Tool[*]"));
        QCOMPARE(w.focusWidget(), &w); // keys typed land in no box
        QCOMPARE(f.text("Label2"), QStringLiteral("file select"));
        QCOMPARE(f.text("Label3"), QStringLiteral("----"));
        QCOMPARE(f.shownAmong(Panels), QString());
        QCOMPARE(f.shownAmong("Frame6"), QString());
        QCOMPARE(f.enabledAmong("Combo1 Command7 Command2 Command3 mnuData(1) mnuSaveFile(2) "
                                "mnuStepUp mnuPaste mnuExportTable mnuImportTable Command1"),
                 QStringLiteral("Command1"));
        // A file that fails to open clears the comment; without a last file the box keeps its
        // first line.
        QCOMPARE(f.find<QPlainTextEdit>("Text3")->toPlainText(),
                 how == QLatin1String("start") ? QStringLiteral("Comment\n") : QString());
    }

    // Exactly one port item is checked, the stored one at first; a choice is stored on quitting.
    void portNumberStoredAndChosen() {
        WindowFixture f;
        f.settings->writeText(QStringLiteral("CommProt"), QStringLiteral("PortNo"),
                              QStringLiteral("3"));
        MainWindow &w = f.start();
        for (int port : {3, 16}) {
            if (port == 16)
                f.trigger("mnuCOM_NO(16)");
            QCOMPARE(w.portNo(), port);
            QStringList checked;
            for (int k = 1; k <= 16; ++k) {
                if (f.find<QAction>(QStringLiteral("mnuCOM_NO(%1)").arg(k))->isChecked())
                    checked << QString::number(k);
            }
            QCOMPARE(checked, QStringList{QString::number(port)});
            QCOMPARE(f.find<QGroupBox>("Frame5")->title(),
                     QStringLiteral("Data Transmit ----- COM%1").arg(port));
            QCOMPARE(readPortNo(*f.settings), 3);
        }
        f.click("Command4");
        QVERIFY(!w.isVisible());
        QCOMPARE(readPortNo(*f.settings), 16);
    }

    // "Port device…" lists the system's ports whenever it opens or refreshes and maps the
    // chosen one; the port menu then names the device each number opens as the system lists it
    // when the menu opens, while the frame keeps the number alone.
    void portDeviceDialogMapsAPortThatTheMenuThenNames() {
        WindowFixture f;
        f.settings->writeText(QStringLiteral("CommProt"), QStringLiteral("PortNo"),
                              QStringLiteral("16"));
        f.start();
        PortDeviceDialog dialog(f.ports, *f.settings, 16);
        QSignalSpy mapped(&dialog, &PortDeviceDialog::portMapped);
        f.ports.ports.push_back(UsbAdapter); // plugged in before the dialog opens
        dialog.show();
        QCOMPARE(
            row(dialog, 0),
            (QStringList{QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}, QStringLiteral("COM1")}));
        QCOMPARE(row(dialog, 1),
                 (QStringList{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"),
                              QStringLiteral("FTDI"), QStringLiteral("A10K1234"),
                              QStringLiteral("0403:6001"), QString()}));
        QVERIFY(!dialog.mapButton()->isEnabled());
        f.ports.ports = {UsbAdapter};
        QTest::mouseClick(dialog.refreshButton(), Qt::LeftButton);
        QCOMPARE(dialog.portTable()->topLevelItemCount(), 1);
        dialog.portTable()->setCurrentItem(dialog.portTable()->topLevelItem(0));
        QCOMPARE(dialog.mapButton()->text(), QStringLiteral("Use for COM16"));
        QTest::mouseClick(dialog.mapButton(), Qt::LeftButton);
        QCOMPARE(readSerialDevice(*f.settings, 16), UsbAdapter.stableName);
        QCOMPARE(mapped.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        emit f.find<QMenu>("mnuCOMMP")->aboutToShow();
        QCOMPARE(f.find<QAction>("mnuCOM_NO(16)")->text(),
                 QStringLiteral("COM16  /dev/ttyUSB0 (FT232R USB UART)"));
        QCOMPARE(f.find<QGroupBox>("Frame5")->title(), QStringLiteral("Data Transmit ----- COM16"));

        // Where COMk is the device itself, it only lists.
        PortDeviceDialog listing(f.ports, *f.settings, 2, nullptr, false);
        listing.show();
        QCOMPARE(listing.portTable()->topLevelItemCount(), 1);
        QVERIFY(!listing.mapButton());
        emit listing.portTable()->itemActivated(listing.portTable()->topLevelItem(0), 0);
        QCOMPARE(readSerialDevice(*f.settings, 2), QString());
    }

    // A file named on the command line opens in place of the last file; a dropped file opens as
    // Open File does, after the question when edits would be lost, and with the same warnings.
    void filesFromTheCommandLineAndTheDesktop() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        const QString named = f.copySample(QStringLiteral("NAMED.E2P"));
        f.start(named);
        QCOMPARE(f.text("Label2"), QStringLiteral("NAMED"));
        QCOMPARE(readLastFile(*f.settings).path, named);

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

        // A damaged file opens with one warning: at start-up as when dropped.
        QFile sample(f.dir.filePath(QStringLiteral("SAMPLE.E2P")));
        QVERIFY(sample.open(QIODevice::ReadWrite) && sample.seek(6 * 45 + 42)); // line 7's sum
        QVERIFY(sample.putChar(sample.peek(1) == "0" ? '1' : '0'));
        sample.close();
        f.close();
        f.op = RecordingOperator();
        f.start();
        QVERIFY(drop(sample.fileName()) && f.window->hasData());
        const ToldMessage warned(
            QStringLiteral("SAMPLE.E2P: 1 damaged line (line 7, checksum); its values were read as "
                           "the file gives them. Check the maps before writing them to the ECU."),
            MessageIcon::Exclamation);
        QCOMPARE(f.op.messages, (QList<ToldMessage>{warned, warned}));
    }

    // Selecting a grid refills it from the tables.
    void viewSelectorShowsExactlyOnePanel() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        f.loadBytes({fiCellOffset(36), 109, igCellOffset(1), 0xF9});
        f.find<QLabel>("Label6(36)")->setText(QStringLiteral("stale"));
        f.find<QLabel>("Label_IG6(1)")->setText(QStringLiteral("stale"));
        const QStringList panels = QString::fromLatin1(Panels).split(QLatin1Char(' '));
        for (int position = 0; position < panels.size(); ++position) {
            w.selectView(static_cast<ViewPosition>(position));
            QCOMPARE(f.shownAmong(Panels), panels[position]);
        }
        QCOMPARE(f.texts("Label6(36) Label_IG6(1) Label_IG7(1) Label_IG8(11)"),
                 words("+9% -7deg 1400 100"));
    }

    // Open, edit, a save that fails and changes nothing, a good save (which names the image after
    // the file, hides the ECU name and enables Data Write), an open that fails and keeps the
    // data, and the saved file opened again.
    void openSaveAndReopenAndTheirFailures() {
        WindowFixture f;
        MainWindow &w = f.start();
        f.dialogs.choose(f.copySample(QStringLiteral("START.E2P")));
        f.click("Command1");
        QCOMPARE(f.text("Label2"), QStringLiteral("START"));
        QCOMPARE(f.enabledAmong("Command3 Combo1"), QStringLiteral("Command3 Combo1"));
        QVERIFY(!w.isWindowModified());
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 113, 130)));
        auto *comment = f.find<QPlainTextEdit>("Text3");
        comment->setPlainText(comment->toPlainText() + QStringLiteral("\nsecond session"));
        QVERIFY(w.isWindowModified());

        const EcuImage edited = w.document().image();
        f.find("Command3")->setEnabled(false);
        f.find<QAction>("mnuData(2)")->setEnabled(false);
        f.find("Frame6")->setVisible(true);
        const QString nowhere = f.dir.filePath(QStringLiteral("missing/NEW.E2P"));
        f.dialogs.choose(nowhere);
        f.trigger("mnuSaveFile(2)");
        QCOMPARE(f.text("Label2"), QStringLiteral("START"));
        QCOMPARE(w.document().image(), edited);
        QVERIFY(w.isWindowModified());
        QCOMPARE(f.enabledAmong("Command3 mnuData(2)"), QString());
        QCOMPARE(f.shownAmong("Frame6"), QStringLiteral("Frame6"));

        const QString saved = f.dir.filePath(QStringLiteral("RACE1.E2P"));
        f.dialogs.choose(saved);
        f.trigger("mnuSaveFile(2)");
        QCOMPARE(f.text("Label2"), QStringLiteral("RACE1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("RACE1.E2P \u2013 07KorvoKit Fi Setting Tool[*]"));
        QVERIFY(!w.isWindowModified());
        QCOMPARE(f.enabledAmong("Command3 mnuData(2)"), QStringLiteral("Command3 mnuData(2)"));
        QCOMPARE(f.shownAmong("Frame6"), QString());
        QCOMPARE(readE2PFile(saved).image, w.document().image());

        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 9, 0x77))); // an unsaved edit
        f.op.choices = {1};                                            // discard it
        f.dialogs.choose(f.writeFile(QStringLiteral("BAD.E2P"), ":10002000000000\r\n"));
        f.click("Command1");
        QCOMPARE(f.op.messages.back().text, QStringLiteral("file format is incorrect."));
        QVERIFY(w.hasData());
        QCOMPARE(int(w.document().image().byte(200)), 0x77);
        QCOMPARE(f.text("Label2"), QStringLiteral("RACE1"));
        QCOMPARE(f.enabledAmong("Command2"), QStringLiteral("Command2"));
        QCOMPARE(f.shownAmong("Frame1"), QStringLiteral("Frame1"));

        f.op.choices = {1};
        f.dialogs.choose(saved);
        f.click("Command1");
        QCOMPARE(f.text("Label6(113)"), QStringLiteral("+30%"));
        QVERIFY(comment->toPlainText().endsWith(QStringLiteral("\nsecond session")));
    }

    // File > Export Table… writes the table; Import Table… brings it back into the grid as one
    // step, its refusals told.
    void tablesThroughCsvFiles() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        QCOMPARE(f.enabledAmong("mnuExportTable mnuImportTable"),
                 QStringLiteral("mnuExportTable mnuImportTable"));
        const QString path = f.dir.filePath(QStringLiteral("IG.csv"));
        f.dialogs.choose(path);
        f.trigger("mnuExportIg");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        QCOMPARE(text, tableCsv(CsvTable::Ig, w.document().tables()));
        QVERIFY(text.endsWith("\r\n0,0,0,0,0,+1,+1,+1,+1,+1,+1,+1,+1,+2,+2,+2,+2\r\n"));
        text.replace("\r\n0,0,", "\r\n0,-5,");
        f.dialogs.choose(f.writeFile(QStringLiteral("IG.csv"), text));
        f.trigger("mnuImportIg");
        QCOMPARE(f.text("Label_IG6(1)"), QStringLiteral("-5deg"));
        QCOMPARE(w.document().undoStack().undoText(), QStringLiteral("IG map: import IG.csv"));
        QVERIFY(w.isWindowModified());
        f.dialogs.choose(path);
        f.trigger("mnuImportFi");
        QCOMPARE(f.op.messages,
                 (QList<ToldMessage>{{QStringLiteral("IG.csv holds the IG map, not the Fi map. "
                                                     "Nothing was imported."),
                                      MessageIcon::Exclamation}}));
        w.document().undoStack().undo();
        QCOMPARE(f.text("Label_IG6(1)"), QStringLiteral("0deg"));
    }

    // Compared with another calibration: the marks in every view follow edits and undo until the
    // comparison is switched off. "History…" lists the entries newest first; "Compare" compares
    // with the one chosen.
    void compareWithAFileAndWithTheHistory() {
        WindowFixture f;
        QVERIFY(f.restartWithSample());
        MainWindow &w = *f.window;
        const EcuImage other =
            withBytes(w.document().image(), {fiCellOffset(20), 110, igCellOffset(1), 2,
                                             neAxisOffset(5), 60, PitLimitOffset, 65});
        f.dialogs.choose(f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {})));
        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_D)); // "Compare with file…"
        QCOMPARE(f.text("CompareStatus"),
                 QStringLiteral("Compared with RACE1.E2P: 4 differ (Fi 1, IG 1, NE axis 1, "
                                "PITroad Limit 1)"));
        QVERIFY(w.statusBar()->isVisible());
        QVERIFY(cellMarked(f, 20) && !cellMarked(f, 21));
        // Every cell tells where it lies, its value and the other one.
        QCOMPARE(f.find("Label6(20)")->toolTip(),
                 QStringLiteral("TH 5 %, 4500 r/min: +3%, other: +10%"));
        QCOMPARE(f.find("Label6(21)")->toolTip(),
                 QStringLiteral("TH 5 %, 5500 r/min: +1%, other: +1%"));
        QVERIFY(hasCompareMark(f.find("Label7(5)")));
        QVERIFY(hasCompareMark(f.find("Label_IG8(5)")) == false);
        QCOMPARE(f.find("Label7(5)")->toolTip(), QStringLiteral("other: 6000"));
        QCOMPARE(f.text("Lbl_PITroadOther"), QStringLiteral("other: 6500"));
        // The graph view: the other row as a thin line, the differing value marked.
        w.selectView(ViewPosition::FiGraph);
        QTest::keyClick(f.find<QComboBox>("Combo2"), Qt::Key_Up); // TH row 2
        QVERIFY(hasCompareMark(f.find("Label12(4)")));
        QCOMPARE(f.find("Label12(4)")->toolTip(),
                 QStringLiteral("TH 5 %, 4500 r/min, other: +10%"));
        QVERIFY(!hasCompareMark(f.find("Label12(5)")));
        auto *otherLine = f.find<GraphLine>("OtherLine(3)");
        QVERIFY(otherLine->isShown());
        QCOMPARE(otherLine->twips().y2(), 840.0 + (130 - 110) * 50.0);

        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 20, 110)));
        QVERIFY(!cellMarked(f, 20) && !hasCompareMark(f.find("Label12(4)")));
        QCOMPARE(f.find("Label6(20)")->toolTip(),
                 QStringLiteral("TH 5 %, 4500 r/min: +10%, other: +10%"));
        QCOMPARE(f.text("FingerprintStatus"), QStringLiteral("CRC-32 74684E1E"));
        w.document().undoStack().undo();
        QVERIFY(cellMarked(f, 20));
        // The sample's CRC-32 as python3's zlib.crc32 gives it, back with the data opened.
        QCOMPARE(f.text("FingerprintStatus"), QStringLiteral("Opened SAMPLE.E2P: CRC-32 B830FCE9"));

        // "Take from Other" offers the parts that differ, each taken as one step.
        const char *const takes = "mnuTakeFiMap mnuTakeIGMap mnuTakeRUMap mnuTakeNEAxis "
                                  "mnuTakeTHAxis mnuTakeThreeSpeeds";
        QCOMPARE(f.enabledAmong(takes),
                 QStringLiteral("mnuTakeFiMap mnuTakeIGMap mnuTakeNEAxis mnuTakeThreeSpeeds"));
        f.trigger("mnuTakeNEAxis");
        QCOMPARE(w.document().undoStack().undoText(),
                 QStringLiteral("Take NE axis from RACE1.E2P"));
        QVERIFY(!hasCompareMark(f.find("Label7(5)")));
        QCOMPARE(f.text("CompareStatus"),
                 QStringLiteral("Compared with RACE1.E2P: 3 differ (Fi 1, IG 1, PITroad Limit 1)"));
        QCOMPARE(f.enabledAmong("mnuTakeNEAxis"), QString());
        w.document().undoStack().undo();

        f.trigger("mnuCompareOff");
        QVERIFY(!cellMarked(f, 20) && f.text("CompareStatus").isEmpty() && !otherLine->isShown());
        QCOMPARE(f.enabledAmong(takes), QString());
        QCOMPARE(f.find("Label6(20)")->toolTip(), QStringLiteral("TH 5 %, 4500 r/min: +3%"));
        QVERIFY(!hasCompareMark(f.find("Label7(5)")));
        QVERIFY(f.find("Lbl_PITroadOther")->isHidden());

        HistoryFolder history(f.dir.filePath(QStringLiteral("history")));
        EcuImage older = w.document().image();
        older.setByte(fiCellOffset(1), 90);
        QVERIFY(history
                    .keep(older, HistoryKind::Read, QStringLiteral("COM1"),
                          QDateTime::currentDateTime().addDays(-1))
                    .ok);
        QVERIFY(
            history.keep(w.document().image(), HistoryKind::Written, QStringLiteral("COM1")).ok);
        // Each row: kind and CRC-32; "Compare", or a choice of "Take…", for the older entry.
        const auto chooseOlder = [this, &f](const char *choice) {
            QStringList rows;
            QTimer::singleShot(0, this, [&rows, choice] {
                auto *dialog = qobject_cast<HistoryDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                QTreeWidget *table = dialog->entryTable();
                for (int i = 0; i < table->topLevelItemCount(); ++i)
                    rows << table->topLevelItem(i)->text(1) + QLatin1Char(' ') +
                                table->topLevelItem(i)->text(3);
                table->setCurrentItem(table->topLevelItem(1));
                if (auto *take = dialog->findChild<QAction *>(QLatin1String(choice)))
                    take->trigger();
                for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                    if (button->text() == QLatin1String(choice))
                        button->click();
                }
            });
            // A dialog still open after 2 s is rejected: the test must not hang.
            const QObject thisTest;
            QTimer::singleShot(2000, &thisTest, [] {
                if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    dialog->reject();
            });
            f.trigger("mnuHistory");
            return rows;
        };
        QCOMPARE(chooseOlder("Compare"), (QStringList{QStringLiteral("written B830FCE9"),
                                                      QStringLiteral("read 47449064")}));
        QVERIFY(cellMarked(f, 1));
        QVERIFY(f.text("CompareStatus").endsWith(QStringLiteral("_read.E2P: 1 differ (Fi 1)")));
        f.trigger("mnuCompareOff");
        (void)chooseOlder("mnuTakeFiMap");
        QVERIFY(f.text("CompareStatus").endsWith(QStringLiteral("_read.E2P: 0 differ")));
        QVERIFY(w.document().undoStack().undoText().endsWith(QStringLiteral("_read.E2P")));
        QCOMPARE(f.text("Label6(1)"), QStringLiteral("-10%"));
    }

    // Ctrl+L: a line at the foot of the window reads the maps at the speed and throttle typed and
    // both grids frame the four cells read, following edits, undo and loads until it is closed.
    void operatingPointFollowsTheMapsUntilClosed() {
        WindowFixture f;
        QVERIFY(f.restartWithSample());
        MainWindow &w = *f.window;
        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_L));
        QVERIFY(f.find("OperatingPoint")->isVisible());
        auto *speed = f.find<QSpinBox>("OperatingPointNe");
        QCOMPARE(QApplication::focusWidget(), speed);
        QTest::keyClicks(speed, QStringLiteral("6500"));
        f.find<QSpinBox>("OperatingPointTh")->setValue(35);
        // NE 6 (6500) and 7, TH 6 (30) and 7 (40): Fi -1 and -1, IG -6 and -7.
        QCOMPARE(f.text("OperatingPointReading"), QStringLiteral("Fi -1.0%, IG -6.5deg"));
        QTest::keyClick(speed, Qt::Key_Return); // the keys back to the grid
        QCOMPARE(QApplication::focusWidget(), w.grid(MapKind::Fi));
        const auto framed = [&w] {
            QStringList cells;
            for (const GridCell *cell : w.findChildren<GridCell *>())
                cells << (cell->decoration().operatingPointEdges ? cell->objectName() : QString());
            cells.removeAll(QString());
            return cells.join(QLatin1Char(' '));
        };
        QCOMPARE(framed(),
                 QStringLiteral("Label6(86) Label6(87) Label6(102) Label6(103) "
                                "Label_IG6(86) Label_IG6(87) Label_IG6(102) Label_IG6(103)"));
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 86, 110)));
        QCOMPARE(f.text("OperatingPointReading"), QStringLiteral("Fi +4.5%, IG -6.5deg"));
        w.document().undoStack().undo();
        QCOMPARE(f.text("OperatingPointReading"), QStringLiteral("Fi -1.0%, IG -6.5deg"));
        f.loadBytes({fiCellOffset(86), 120});
        QCOMPARE(f.text("OperatingPointReading"), QStringLiteral("Fi +9.5%, IG -6.5deg"));
        speed->setValue(17000);
        QCOMPARE(f.text("OperatingPointReading"),
                 QStringLiteral("Fi +2.0%, IG -4.5deg (clamped to 16500 r/min)"));

        QTest::keyClick(speed, Qt::Key_Escape);
        QVERIFY(!f.find("OperatingPoint")->isVisible());
        QCOMPARE(framed(), QString());
    }

    // "Show Difference" and "Only Changed", off without a comparison; the compare mark's corner
    // tells it without its colour, on cells and axis labels alike.
    void differenceViewsAndTheCompareMarksShape() {
        WindowFixture f;
        QVERIFY(f.restartWithSample());
        MainWindow &w = *f.window;
        const EcuImage other =
            withBytes(w.document().image(), {fiCellOffset(20), 110, neAxisOffset(5), 60});
        QVERIFY(w.compare().compareWithPath(
            f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {}))));
        const QStringList values = f.texts("Label6(20) Label6(21)");
        f.trigger("mnuShowDifferenceValue");
        QCOMPARE(f.texts("Label6(20) Label6(21)"), words("-7% 0%"));
        f.trigger("mnuShowPercentDifference");
        QCOMPARE(f.texts("Label6(20) Label6(21)"), words("-6.4% 0.0%"));
        f.trigger("mnuOnlyChanged");
        QVERIFY(f.find<GridCell>("Label6(21)")->decoration().dimmed);
        QVERIFY(!f.find<GridCell>("Label6(20)")->decoration().dimmed);
        QCOMPARE(
            f.text("DifferenceShown"),
            QStringLiteral("Cells: Fi fuel change in %, IG this \u2212 other, equal ones dimmed"));

        // A magenta triangle in the top right corner inside the frame: a shape, not a colour.
        const auto cornerPixels = [](const char *name, const WindowFixture &in) {
            const QImage picture = in.find(name)->grab().toImage();
            return pixelsWhere(picture, [&picture](int x, int y, QColor c) {
                return x >= picture.width() - 10 && x <= picture.width() - 5 && y >= 4 && y <= 6 &&
                       c.rgb() == CompareMarkColour.rgb();
            });
        };
        QVERIFY(cornerPixels("Label6(20)", f) >= 6 && cornerPixels("Label7(5)", f) >= 6);
        QCOMPARE(cornerPixels("Label6(21)", f), 0);

        f.trigger("mnuCompareOff");
        QCOMPARE(f.texts("Label6(20) Label6(21)"), values);
        QCOMPARE(f.enabledAmong("mnuShowDifference mnuOnlyChanged"), QString());
    }

    // The keyboard: typing at start-up edits the grid; Tab and Shift+Tab go round the comment box,
    // the view selector and the view without typing a tab; Ctrl+O, Ctrl+S and Alt+F.
    void keysGoToTheViewAndTheMenus() {
        WindowFixture f;
        QVERIFY(f.restartWithSample());
        MainWindow &w = *f.window;
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Plus);
        QCOMPARE(f.text("Label6(1)"), QStringLiteral("+7%"));
        // A view that has the keys hands them to the next one shown.
        w.selectView(ViewPosition::FiGraph);
        QCOMPARE(QApplication::focusWidget(), f.find("Slider1(1)"));
        w.selectView(ViewPosition::FiNumeric);

        auto *comment = f.find<QPlainTextEdit>("Text3");
        const QString text = comment->toPlainText();
        QTest::mouseClick(comment->viewport(), Qt::LeftButton);
        QStringList visited;
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab,
                            Qt::Key_Backtab, Qt::Key_Backtab}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, words("Combo1 Frame1 Command6 Text3 Command6 Frame1 Combo1"));
        QCOMPARE(comment->toPlainText(), text);

        QTest::keyClick(comment, Qt::Key_S, Qt::ControlModifier);
        f.op.choices = {1}; // the edit discarded
        QTest::keyClick(comment, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.dialogs.saveRequests.size(), 1);
        QCOMPARE(f.dialogs.openRequests.size(), 1);
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        auto *file = f.find<QMenu>("mnuFile");
        QTRY_VERIFY(file->isVisible());
        file->close();
    }

    void keysBackToTheViewAfterEachDialog_data() {
        QTest::addColumn<QString>("opener");
        for (const char *item : {"mnuPortDevice", "mnuHistory", "mnuScale", "a message"})
            QTest::newRow(item) << QString::fromLatin1(item);
    }
    // Whichever box had the keys, a dialog of the window closed gives them to the grid: Ctrl+Z
    // and Ctrl+Y.
    void keysBackToTheViewAfterEachDialog() {
        QFETCH(QString, opener);
        WindowFixture f;
        QVERIFY(f.restartWithSample());
        MainWindow &w = *f.window;
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 1, 110)));
        f.find("Text3")->setFocus();
        const QObject thisTest;
        QTimer::singleShot(300, &thisTest, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        if (opener.startsWith(QLatin1String("mnu")))
            f.trigger(qPrintable(opener));
        else // as the messages and file choosers are
            QMessageBox(QMessageBox::Information, {}, opener, QMessageBox::Ok, &w).exec();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QTRY_COMPARE(QApplication::focusWidget(), f.find("Frame1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!w.document().undoStack().canUndo());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.text("Label6(1)"), QStringLiteral("+10%"));
    }

    // The comment box shows the comment's bytes decoded, and a save gives the file the bytes it
    // came with while the comment is unedited. A word of a megabyte in it does not hold up the
    // window.
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
        QCOMPARE(f.find<QPlainTextEdit>("Text3")->toPlainText(),
                 QStringLiteral("caf\u00e9 1\n2\n") + QString(1000 * 1000, QLatin1Char('x')));

        const QString saved = f.dir.filePath(QStringLiteral("NEW.E2P"));
        f.dialogs.choose(saved);
        w.files().saveFile();
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().mid(records.size()), comment + "\r\n");
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
