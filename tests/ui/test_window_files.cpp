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
        const QString sample = f.copySample(QStringLiteral("START.E2P"));
        f.choose(sample);
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(f.op.messages.isEmpty());
        QVERIFY(w.hasData());
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("START"));
        QVERIFY(f.find(QStringLiteral("Command3"))->isEnabled());
        QVERIFY(f.find(QStringLiteral("Combo1"))->isEnabled());

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
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("EDITED"));
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
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label6(113)"))->text(), QStringLiteral("+30%"));
        QVERIFY(comment->toPlainText().endsWith(QStringLiteral("\nsecond session")));
    }

    void aFailedOpenKeepsTheLoadedData() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        w.data().image.setByte(200, 0x77); // an unsaved edit
        const QString bad = f.dir.filePath(QStringLiteral("BAD.E2P"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(":10002000000000\r\n");
        file.close();
        f.choose(bad);
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().text, QStringLiteral("file format is incorrect."));
        QVERIFY(w.hasData());
        QCOMPARE(int(w.data().image.byte(200)), 0x77);
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("SAMPLE"));
        QVERIFY(f.find(QStringLiteral("Command2"))->isEnabled());
        QVERIFY(f.find(QStringLiteral("Frame1"))->isVisible());
        QCOMPARE(w.fileState().E2PFileName, QStringLiteral("SAMPLE.E2P"));
    }

    void aFailedOpenWithoutDataShowsNoFile() {
        WindowFixture f;
        MainWindow &w = f.start();
        const QString bad = f.dir.filePath(QStringLiteral("BAD.E2P"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(":00000001FF\r\n<<<Comment Start>>>\r\n");
        file.close();
        f.choose(bad);
        w.E2PFileOpen();
        QCOMPARE(f.op.messages.size(), 1);
        QVERIFY(!w.hasData());
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("file select"));
        QCOMPARE(f.find<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(), QString());
        QVERIFY(!f.find(QStringLiteral("Command2"))->isEnabled());
    }

    void aFailedSaveKeepsNameAndSettings() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        const EcuImage before = w.data().image;
        const QString nowhere = f.dir.filePath(QStringLiteral("missing/NEW.E2P"));
        f.choose(nowhere);
        w.E2PFileSave();
        QCOMPARE(f.op.messages.size(), 1);
        QCOMPARE(f.op.messages.front().icon, MessageIcon::Critical);
        QVERIFY(f.op.messages.front().text.contains(nowhere));
        QCOMPARE(f.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("SAMPLE"));
        QCOMPARE(w.data().image, before);
        QCOMPARE(readLastFile(*f.settings).name, QStringLiteral("SAMPLE.E2P"));
    }

    void saveHidesTheEcuNameAndEnablesDataWrite() {
        WindowFixture f;
        f.storeLastFile(f.copySample(), QStringLiteral("SAMPLE.E2P"));
        MainWindow &w = f.start();
        f.find(QStringLiteral("Command3"))->setEnabled(false);
        f.find(QStringLiteral("Frame6"))->setVisible(true);
        f.choose(f.dir.filePath(QStringLiteral("RACE1.E2P")));
        w.E2PFileSave();
        QVERIFY(f.find(QStringLiteral("Command3"))->isEnabled());
        QVERIFY(f.find<QAction>(QStringLiteral("mnuData(2)"))->isEnabled());
        QVERIFY(!f.find(QStringLiteral("Frame6"))->isVisible());
        QCOMPARE(EcuDataName(w.data().image), QStringLiteral("RACE1   "));
    }
};

QTEST_MAIN(TestWindowFiles)
#include "test_window_files.moc"
