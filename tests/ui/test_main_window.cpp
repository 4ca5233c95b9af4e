#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "main/clickable_label.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QStringList PanelNames{QStringLiteral("Frame1"),          QStringLiteral("Frame2"),
                             QStringLiteral("Frame8"),          QStringLiteral("FrameIG_Map_NUM"),
                             QStringLiteral("FrameIG_Map_GRA"), QStringLiteral("FrameIG_Map_3D"),
                             QStringLiteral("Frame7"),          QStringLiteral("Frame4"),
                             QStringLiteral("FramePITroad"),    QStringLiteral("FrameIdleNe")};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    static QStringList visiblePanels(const WindowFixture &f) {
        QStringList visible;
        for (const QString &name : PanelNames) {
            if (f.find(name)->isVisibleTo(f.window.get()))
                visible << name;
        }
        return visible;
    }

    static void checkNoFileState(const WindowFixture &f) {
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("file select"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("----"));
        QCOMPARE(visiblePanels(f), QStringList());
        QVERIFY(!f.find(QStringLiteral("Combo1"))->isEnabled());
        QVERIFY(!f.find(QStringLiteral("Command7"))->isEnabled());
        QVERIFY(!f.find(QStringLiteral("Command2"))->isEnabled());
        QVERIFY(!f.find(QStringLiteral("Command3"))->isEnabled());
        QVERIFY(!f.find<QAction>(QStringLiteral("mnuData(1)"))->isEnabled());
        QVERIFY(!f.find<QAction>(QStringLiteral("mnuSaveFile(2)"))->isEnabled());
        QVERIFY(f.find(QStringLiteral("Command1"))->isEnabled());
        QVERIFY(!f.find(QStringLiteral("Frame6"))->isVisibleTo(f.window.get()));
        QVERIFY(!f.window->hasData());
    }

private slots:
    void firstStartWithAnEmptyStore() {
        WindowFixture f;
        MainWindow &w = f.start();
        QCOMPARE(w.windowTitle(), QStringLiteral("07KorvoKit Fi Setting Tool"));
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
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        QVERIFY(f.op.messages.isEmpty());
        QVERIFY(w.hasData());
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("SAMPLE"));
        QVERIFY(f.find<QLabel>(QStringLiteral("Label3"))->text() != QStringLiteral("----"));
        QVERIFY(f.find<QPlainTextEdit>(QStringLiteral("Text3"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("Sample calibration for the kit ECU.\nFuel")));
        QCOMPARE(visiblePanels(f), QStringList{QStringLiteral("Frame1")});
        QCOMPARE(f.find<QComboBox>(QStringLiteral("Combo1"))->currentIndex(), 0);
        for (const char *name : {"Combo1", "Command2", "Command3", "Command7", "Command6"})
            QVERIFY2(f.find(QString::fromLatin1(name))->isEnabled(), name);
        // Cells from the decoded tables, row 1 at the bottom; the single values too.
        const EcuTables &t = w.data().tables;
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label6(1)"))->text(), t.KmapText[0][0]);
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label6(176)"))->text(), t.KmapText[10][15]);
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label_IG6(17)"))->text(), t.IGmapText[1][0]);
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label7(16)"))->text(), QStringLiteral("16500"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label8(1)"))->text(), QStringLiteral("0"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label14"))->text(), QStringLiteral("14000"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Lbl_PITroad"))->text(), QStringLiteral("6000"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Lbl_IdleNe"))->text(), QStringLiteral("1600"));
        QVERIFY(f.find<QLabel>(QStringLiteral("Label6(1)"))->y() >
                f.find<QLabel>(QStringLiteral("Label6(161)"))->y());
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
            QVERIFY(writeFileSafely(path, e2pFileContents(image, QString())).ok);
        } else if (kind == QStringLiteral("malformed")) {
            QVERIFY(writeFileSafely(path, ":0101E000AB00\r\n:00000001FF\r\nx\r\ny\r\n").ok);
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
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
        QCOMPARE(readPortNo(*f.settings), 16);
    }

    void viewSelectorShowsExactlyOnePanel() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        for (int position = 0; position < PanelNames.size(); ++position) {
            w.selectView(static_cast<ViewPosition>(position));
            QCOMPARE(visiblePanels(f), QStringList{PanelNames[position]});
        }
    }

    void selectingAGridRefillsItFromTheTables() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        // An edit made elsewhere (graph mode writes tables and image) shows on selection.
        w.data().tables.KmapText[2][3] = QStringLiteral("+9%");
        w.data().tables.IGmapText[0][0] = QStringLiteral("-7deg");
        w.selectView(ViewPosition::FiNumeric);
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label6(36)"))->text(), QStringLiteral("+9%"));
        w.selectView(ViewPosition::IgNumeric);
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label_IG6(1)"))->text(), QStringLiteral("-7deg"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label_IG7(1)"))->text(), QStringLiteral("1400"));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label_IG8(11)"))->text(), QStringLiteral("100"));
    }

    void clicksSetTheSharedState_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("selIndex");
        QTest::addColumn<int>("mapEditMode");
        QTest::addColumn<int>("valueEditMode");
        // -1: left as it was (the fixture starts each value at 99).
        QTest::newRow("NE point 1 opens nothing") << "Label7(1)" << 1 << -1 << -1;
        QTest::newRow("NE point 2") << "Label7(2)" << 2 << -1 << 1;
        QTest::newRow("NE point 16 opens nothing") << "Label7(16)" << 16 << -1 << -1;
        QTest::newRow("NE title") << "Label7(17)" << 17 << -1 << -1;
        QTest::newRow("TH point 1") << "Label8(1)" << 1 << -1 << -1;
        QTest::newRow("TH point 10") << "Label8(10)" << 10 << -1 << -1;
        QTest::newRow("TH title") << "Label8(12)" << 12 << -1 << -1;
        QTest::newRow("IG NE axis does nothing") << "Label_IG7(5)" << -1 << -1 << -1;
        QTest::newRow("IG TH axis does nothing") << "Label_IG8(5)" << -1 << -1 << -1;
        QTest::newRow("shift timing") << "Label14" << -1 << -1 << 2;
        QTest::newRow("pit-road limit") << "Lbl_PITroad" << -1 << -1 << 4;
        QTest::newRow("idle speed sets nothing") << "Lbl_IdleNe" << -1 << -1 << -1;
    }

    void clicksSetTheSharedState() {
        QFETCH(QString, target);
        QFETCH(int, selIndex);
        QFETCH(int, mapEditMode);
        QFETCH(int, valueEditMode);
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        for (int position = 0; position < PanelNames.size(); ++position) {
            if (f.find(target)->parentWidget() == f.find(PanelNames[position]))
                w.selectView(static_cast<ViewPosition>(position));
        }
        QVERIFY(f.find(target)->isVisible());
        WindowState &s = w.state();
        s.SelIndex = s.MapEditMode = s.ValueEditMode = 99;
        QTest::mouseClick(f.find(target), Qt::LeftButton);
        QCOMPARE(int(s.SelIndex), selIndex < 0 ? 99 : selIndex);
        QCOMPARE(int(s.MapEditMode), mapEditMode < 0 ? 99 : mapEditMode);
        QCOMPARE(int(s.ValueEditMode), valueEditMode < 0 ? 99 : valueEditMode);
    }

    void graphViewsStartAtRowOne() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        for (ViewPosition view : {ViewPosition::FiGraph, ViewPosition::IgGraph}) {
            w.state().SelIndex = 7;
            w.selectView(view);
            QCOMPARE(int(w.state().SelIndex), 1);
        }
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
