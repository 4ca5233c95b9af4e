#include "document/change_cells.h"
#include "ecu_sim_runner.h"
#include "files/e2p_reader.h"
#include "files/history_folder.h"
#include "image/hexdata_conv.h"
#include "link/qt_serial_port.h"
#include "main/edit_menu.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

namespace {

// Looks at the window while a transfer runs: at each prompt.
class WatchingOperator : public RecordingOperator {
public:
    bool confirm(const QString &text, MessageIcon icon) override {
        if (onPrompt)
            onPrompt();
        return RecordingOperator::confirm(text, icon);
    }
    std::function<void()> onPrompt;
};

EcuImage sampleImage() {
    HexReadResult read = HEX_Data_read(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"));
    (void)HEXdata_Conv(read.image);
    return read.image;
}

QString texts(const QList<ToldMessage> &messages) {
    QStringList list;
    for (const ToldMessage &m : messages)
        list << m.text;
    return list.join(QLatin1Char('|'));
}

} // namespace

class TestWindowTransfer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_fixture;
    WatchingOperator m_op;
    std::unique_ptr<EcuSimRunner> m_sim;

    WindowFixture &fx() { return *m_fixture; }

    MainWindow &startWith(const EcuImage &ecu, bool withFile, int port = 1) {
        m_sim = std::make_unique<EcuSimRunner>(ecu);
        fx().settings->writeText(QStringLiteral("CommProt"), QStringLiteral("COM%1").arg(port),
                                 m_sim->devicePath());
        fx().settings->writeText(QStringLiteral("CommProt"), QStringLiteral("PortNo"),
                                 QString::number(port));
        if (withFile)
            fx().storeLastFile(fx().copySample(), QStringLiteral("SAMPLE.E2P"));
        fx().window = std::make_unique<MainWindow>(*fx().settings, fx().seams(&m_op));
        fx().window->show();
        return *fx().window;
    }

private slots:
    void init() { m_fixture = std::make_unique<WindowFixture>(); }

    void cleanup() {
        m_fixture.reset();
        m_sim.reset();
        m_op = WatchingOperator();
        flushDeletes();
    }

    void readShowsTheEcuDataAndKeepsDataWriteOff() {
        EcuImage ecu = sampleImage();
        ecu.setByte(fiCellOffset(1), 123);
        MainWindow &w = startWith(ecu, false, 16);
        QVERIFY(!w.hasData());
        bool busyAtPrompt = false;
        bool progressAtPrompt = false;
        m_op.onPrompt = [&] {
            busyAtPrompt = !w.isMainWindowEnabled();
            // Shown, and drawn live though the window takes no input.
            QWidget *progress = fx().find(QStringLiteral("TransferProgress"));
            progressAtPrompt = progress->isVisible() && darkest(progress) < 64;
        };
        // A window without data still offers the menu item.
        fx().find<QAction>(QStringLiteral("mnuData(1)"))->setEnabled(true);
        fx().find<QAction>(QStringLiteral("mnuData(1)"))->trigger();

        QCOMPARE(texts(m_op.messages),
                 QStringLiteral("Ignition Switch Off|Switch on Ignition , push Enter Key(within "
                                "two seconds)|ECU Data Read ended."));
        QCOMPARE(m_op.messages.back().icon, MessageIcon::None);
        QVERIFY(busyAtPrompt);
        QVERIFY(progressAtPrompt);
        QVERIFY(w.isMainWindowEnabled());
        QCOMPARE(fx().shownAmong("TransferProgress"), QString());

        QVERIFY(w.hasData());
        QCOMPARE(w.document().image(), ecu);
        QCOMPARE(fx().text("Label6(1)"), QStringLiteral("+23%"));
        QCOMPARE(fx().text("Label2"), QStringLiteral("ECU Read data"));
        QCOMPARE(fx().text("Label3"), QStringLiteral("-----"));
        QCOMPARE(fx().text("Label16").trimmed(), QStringLiteral("SAMPLE"));
        QCOMPARE(fx().shownAmong("Frame6 Frame1"), QStringLiteral("Frame6 Frame1"));
        QCOMPARE(fx().enabledAmong("Combo1 Command2 Command3 mnuData(2)"),
                 QStringLiteral("Combo1 Command2"));
        QCOMPARE(fx().find<QPlainTextEdit>(QStringLiteral("Text3"))->toPlainText(), QString());
        QVERIFY(!w.isWindowModified());
    }

    void readAndWriteGoIntoTheHistory_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("kept") << true;
        QTest::newRow("the folder cannot be made") << false;
    }

    // Each calibration that went over the line is kept; a history that cannot be written
    // changes nothing of the transfer and is told after its message.
    void readAndWriteGoIntoTheHistory() {
        QFETCH(bool, writable);
        const QString folder = fx().dir.filePath(QStringLiteral("history"));
        if (!writable)
            fx().writeFile(QStringLiteral("history"), "a file where the folder should be");
        EcuImage ecu = sampleImage();
        ecu.setByte(fiCellOffset(3), 111);
        ecu.setByte(neAxisOffset(5), 60);
        MainWindow &w = startWith(ecu, true);
        w.transfers().EcuDataRead();
        QVERIFY(w.hasData());
        QCOMPARE(w.document().image(), ecu);
        const auto last = [this](int back) {
            return m_op.messages.at(m_op.messages.size() - back);
        };
        if (!writable) {
            QCOMPARE(last(2).text, QStringLiteral("ECU Data Read ended."));
            QCOMPARE(last(1).text, QStringLiteral("The calibration read could not be kept in the "
                                                  "history:\n%1: the folder cannot be made")
                                       .arg(folder));
            QCOMPARE(last(1).icon, MessageIcon::Exclamation);
            return;
        }
        // What the window held before the read can be compared with.
        fx().find<QAction>(QStringLiteral("mnuCompareBeforeRead"))->trigger();
        QCOMPARE(
            fx().text("CompareStatus"),
            QStringLiteral("Compared with the data before the read: 2 differ (Fi 1, NE axis 1)"));
        QVERIFY(w.document().apply(changeCell(MapKind::Ig, 4, 2)));
        w.transfers().EcuDataWrite();
        QCOMPARE(m_op.messages.back().text, QStringLiteral("ECU Data setting ended."));

        const std::vector<HistoryEntry> entries = HistoryFolder(folder).entries();
        QCOMPARE(entries.size(), std::size_t(2));
        QCOMPARE(entries[1].kind, HistoryKind::Read);
        QCOMPARE(HEX_Data_read(entries[1].path).image, ecu);
        QCOMPARE(entries[0].kind, HistoryKind::Written);
        QCOMPARE(HEX_Data_read(entries[0].path).image, w.document().image());
        QVERIFY(entries[0].commentFirstLine.startsWith(
            QStringLiteral("ECU data written to COM1 (%1) on ").arg(m_sim->devicePath())));
    }

    void aFailedReadKeepsLoadedData_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("productCode");
        QTest::newRow("prompt cancelled") << true << QString();
        QTest::newRow("foreign marker") << false << QStringLiteral("ABCD");
    }

    void aFailedReadKeepsLoadedData() {
        QFETCH(bool, cancel);
        QFETCH(QString, productCode);
        EcuImage ecu = sampleImage();
        if (!productCode.isEmpty())
            ecu.setByte(DataTypeOffset, 'X'); // the marker no longer reads QZ3ROK
        MainWindow &w = startWith(ecu, true);
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 9, 0x66))); // an unsaved edit
        m_op.choices = {1};                                            // discard it
        if (cancel)
            m_op.answers = {false};
        QTest::mouseClick(fx().find<QPushButton>(QStringLiteral("Command7")), Qt::LeftButton);

        QVERIFY(w.hasData());
        QCOMPARE(int(w.document().image().byte(200)), 0x66);
        QCOMPARE(fx().text("Label2"), QStringLiteral("SAMPLE"));
        QCOMPARE(fx().enabledAmong("Command2 Command3"), QStringLiteral("Command2 Command3"));
        QCOMPARE(fx().shownAmong("Frame1"), QStringLiteral("Frame1"));
        QVERIFY(w.isMainWindowEnabled());
        if (!cancel)
            QCOMPARE(m_op.messages.back().text, QStringLiteral("ECU Data Type is incorrect."));
        else
            QCOMPARE(m_op.messages.size(), 2);
    }

    void aFailedReadWithoutDataOffersDataReadAgain() {
        EcuImage ecu = sampleImage();
        ecu.setByte(DataTypeOffset, 'X');
        MainWindow &w = startWith(ecu, false);
        w.transfers().EcuDataRead();
        QCOMPARE(m_op.messages.back().text, QStringLiteral("ECU Data Type is incorrect."));
        QVERIFY(!w.hasData());
        QCOMPARE(fx().text("Label2"), QStringLiteral("file select"));
        QCOMPARE(fx().enabledAmong("Command7 mnuData(1) Command2 Combo1"),
                 QStringLiteral("Command7 mnuData(1)"));
        QCOMPARE(fx().shownAmong("Frame1 Frame6"), QString());
    }

    void writeLeavesTheWindowAsItWasAndCannotBeClosedMeanwhile() {
        EcuImage ecu = sampleImage();
        for (int offset : {64, 70, 310, 319}) // the ECU's own bytes
            ecu.setByte(offset, 0x5A);
        MainWindow &w = startWith(ecu, true);
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 50, 77)));
        bool closedDuringTransfer = false;
        bool undoDuringTransfer = true;
        m_op.onPrompt = [&] {
            closedDuringTransfer = w.close();
            undoDuringTransfer = w.editMenu().undoAction()->isEnabled();
        };
        QTest::mouseClick(fx().find<QPushButton>(QStringLiteral("Command3")), Qt::LeftButton);

        QVERIFY(!closedDuringTransfer);
        QVERIFY(!undoDuringTransfer);
        // The file is still what the mechanic keeps: the edit stays unsaved and undoable.
        QVERIFY(w.isWindowModified());
        QVERIFY(w.editMenu().undoAction()->isEnabled());
        QVERIFY(w.isVisible());
        QCOMPARE(m_op.messages.back().text, QStringLiteral("ECU Data setting ended."));
        QCOMPARE(m_op.messages.size(), 3);
        const EcuImage written = m_sim->memory();
        for (int offset = 0; offset < EcuImageSize; ++offset) {
            const int expected =
                isProtectedOffset(offset) ? ecu.byte(offset) : w.document().image().byte(offset);
            QCOMPARE(int(written.byte(offset)), expected);
        }
        // The verification file lies beside the data file, named after it.
        const HexReadResult check = HEX_Data_read(fx().dir.filePath(QStringLiteral("SAMPLE.TMP")));
        QVERIFY(check.HexReadOk);
        QCOMPARE(check.image, written);
        QCOMPARE(fx().enabledAmong("Command3"), QStringLiteral("Command3"));
        QCOMPARE(fx().text("Label2"), QStringLiteral("SAMPLE"));
        QVERIFY(w.isMainWindowEnabled());
        QCOMPARE(fx().shownAmong("TransferProgress"), QString());
    }

    // The cable is pulled among the word writes; "Write again" writes the same image once more.
    void aWriteStoppedAmongTheWordsCanBeWrittenAgain() {
        MainWindow &w = startWith(sampleImage(), true);
        QVERIFY(w.document().apply(changeCell(MapKind::Fi, 50, 77)));
        const EcuImage image = w.document().image();
        SimFaults faults;
        faults.silentAfter = 2 + 1 + 20;
        m_sim->setFaults(faults);
        m_op.choices = {1};
        w.transfers().EcuDataWrite();

        const QString prompts = QStringLiteral(
            "Ignition Switch Off|Switch on Ignition , push Enter Key(within two seconds)|");
        QCOMPARE(texts(m_op.messages), prompts +
                                           QStringLiteral("communication Response Data Error|") +
                                           prompts + QStringLiteral("ECU Data setting ended."));
        QCOMPARE(m_op.questionButtons.size(), 1);
        for (int offset = 0; offset < EcuImageSize; ++offset) {
            if (!isProtectedOffset(offset))
                QCOMPARE(int(m_sim->memory().byte(offset)), int(image.byte(offset)));
        }
        QVERIFY(w.isMainWindowEnabled());
    }
};

QTEST_MAIN(TestWindowTransfer)
#include "test_window_transfer.moc"
