#include "dialogs/map_cell_editor.h"
#include "files/e2p_reader.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

class TestWindowFiles : public QObject {
    Q_OBJECT

private slots:
    void openEditSaveAndReopenKeepsTheEdit() {
        WindowFixture f;
        MainWindow &w = f.start();
        f.choose(f.copySample(QStringLiteral("START.E2P")));
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(f.op.messages.isEmpty());
        QVERIFY(w.hasData());
        QCOMPARE(f.text("Label2"), QStringLiteral("START"));
        QCOMPARE(f.enabledAmong("Command3 Combo1"), QStringLiteral("Command3 Combo1"));

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

        const QString saved = f.dir.filePath(QStringLiteral("EDITED.E2P"));
        f.choose(saved);
        f.find<QAction>(QStringLiteral("mnuSaveFile(2)"))->trigger();
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().text, QStringLiteral("File save ended"));
        QCOMPARE(f.text("Label2"), QStringLiteral("EDITED"));
        QCOMPARE(readLastFile(*f.settings).path, saved);

        const HexReadResult back = HEX_Data_read(saved);
        QVERIFY(back.HexReadOk);
        QCOMPARE(int(back.image.byte(320)), 130);
        QCOMPARE(back.image, w.data().image);
        QVERIFY(back.CommentText.endsWith(QStringLiteral("\r\nsecond session")));
        QVERIFY(!back.CommentText.contains(QStringLiteral("\n\n")));

        // Reopening shows the edit.
        f.choose(saved);
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(f.text("Label6(113)"), QStringLiteral("+30%"));
        QVERIFY(comment->toPlainText().endsWith(QStringLiteral("\nsecond session")));
    }

    void aFailedOpenKeepsTheLoadedData() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        w.data().image.setByte(200, 0x77); // an unsaved edit
        f.choose(f.writeFile(QStringLiteral("BAD.E2P"), ":10002000000000\r\n"));
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().text, QStringLiteral("file format is incorrect."));
        QVERIFY(w.hasData());
        QCOMPARE(int(w.data().image.byte(200)), 0x77);
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QCOMPARE(f.enabledAmong("Command2"), QStringLiteral("Command2"));
        QCOMPARE(f.shownAmong("Frame1"), QStringLiteral("Frame1"));
        QCOMPARE(w.fileState().E2PFileName, QStringLiteral("SAMPLE.E2P"));
    }

    void aFailedOpenWithoutDataShowsNoFile() {
        WindowFixture f;
        MainWindow &w = f.start();
        f.choose(f.writeFile(QStringLiteral("BAD.E2P"), ":00000001FF\r\n<<<Comment Start>>>\r\n"));
        w.E2PFileOpen();
        QCOMPARE(f.op.messages.size(), 1);
        QVERIFY(!w.hasData());
        QCOMPARE(f.text("Label2"), QStringLiteral("file select"));
        QCOMPARE(f.find<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(), QString());
        QCOMPARE(f.enabledAmong("Command2"), QString());
    }

    // A failed save changes nothing; a good one names the image after the file, hides the ECU
    // name and enables Data Write.
    void saveFailsWithoutChangesThenSucceeds() {
        WindowFixture f;
        MainWindow &w = f.startWithSample();
        const EcuImage before = w.data().image;
        f.find(QStringLiteral("Command3"))->setEnabled(false);
        f.find<QAction>(QStringLiteral("mnuData(2)"))->setEnabled(false);
        f.find(QStringLiteral("Frame6"))->setVisible(true);
        const QString nowhere = f.dir.filePath(QStringLiteral("missing/NEW.E2P"));
        f.choose(nowhere);
        w.E2PFileSave();
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().icon, MessageIcon::Critical);
        QVERIFY(f.op.messages.front().text.contains(nowhere));
        QCOMPARE(f.text("Label2"), QStringLiteral("SAMPLE"));
        QCOMPARE(w.data().image, before);
        QCOMPARE(readLastFile(*f.settings).name, QStringLiteral("SAMPLE.E2P"));
        QCOMPARE(f.enabledAmong("Command3 mnuData(2)"), QString());
        QCOMPARE(f.shownAmong("Frame6"), QStringLiteral("Frame6"));

        f.choose(f.dir.filePath(QStringLiteral("RACE1.E2P")));
        w.E2PFileSave();
        QCOMPARE(f.enabledAmong("Command3 mnuData(2)"), QStringLiteral("Command3 mnuData(2)"));
        QCOMPARE(f.shownAmong("Frame6"), QString());
        QCOMPARE(EcuDataName(w.data().image), QStringLiteral("RACE1   "));
    }
};

QTEST_MAIN(TestWindowFiles)
#include "test_window_files.moc"
