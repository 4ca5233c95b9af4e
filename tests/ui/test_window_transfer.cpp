#include "document/change_cells.h"
#include "ecu_sim_runner.h"
#include "files/history_folder.h"
#include "image/image_fingerprint.h"
#include "sample_image.h"
#include "window/edit_menu.h"
#include "window_fixture.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
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
        return fx().start({}, &m_op);
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
            QWidget *progress = fx().find("TransferProgress");
            progressAtPrompt = progress->isVisible() && darkest(progress) < 64;
        };
        // A window without data still offers the menu item.
        fx().find<QAction>("mnuData(1)")->setEnabled(true);
        fx().trigger("mnuData(1)");

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
        QCOMPARE(fx().text("FingerprintStatus"),
                 QStringLiteral("Read from the ECU: CRC-32 ") + imageCrc32(ecu));
        QCOMPARE(fx().shownAmong("Frame6 Frame1"), QStringLiteral("Frame6 Frame1"));
        QCOMPARE(fx().enabledAmong("Combo1 Command2 Command3 mnuData(2)"),
                 QStringLiteral("Combo1 Command2"));
        QCOMPARE(fx().find<QPlainTextEdit>("Text3")->toPlainText(), QString());
        QVERIFY(!w.isWindowModified());
    }

    void readAndWriteGoIntoTheHistory_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("kept") << true;
        QTest::newRow("the folder cannot be made") << false;
    }

    // Each calibration that went over the line is kept; a history that cannot be written
    // changes nothing of the transfer and is told after its message. The write loses the cable
    // among the words, and "Write again" writes the same image once more; meanwhile the window
    // cannot be closed, and after it the edit stays unsaved and undoable.
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
        QCOMPARE(w.document().image(), ecu);
        if (!writable) {
            const QString told = QStringLiteral("The calibration read could not be kept in the "
                                                "history:\n%1: the folder cannot be made");
            QCOMPARE(
                m_op.messages.mid(2),
                (QList<ToldMessage>{{QStringLiteral("ECU Data Read ended."), MessageIcon::None},
                                    {told.arg(folder), MessageIcon::Exclamation}}));
            return;
        }
        // What the window held before the read can be compared with.
        fx().trigger("mnuCompareBeforeRead");
        QCOMPARE(
            fx().text("CompareStatus"),
            QStringLiteral("Compared with the data before the read: 2 differ (Fi 1, NE axis 1)"));

        QVERIFY(w.document().apply(changeCell(MapKind::Ig, 4, 2)));
        SimFaults faults;
        faults.silentAfter = 2 + 1 + 20;
        m_sim->setFaults(faults);
        m_op.choices = {1};
        bool closedDuringTransfer = false;
        bool undoDuringTransfer = false;
        m_op.onPrompt = [&] {
            closedDuringTransfer = closedDuringTransfer || w.close();
            undoDuringTransfer = undoDuringTransfer || w.editMenu().undoAction()->isEnabled();
        };
        fx().find("Command3")->setEnabled(true); // off after a read until an editor closes
        fx().click("Command3");
        QVERIFY(!closedDuringTransfer);
        QVERIFY(!undoDuringTransfer);
        QVERIFY(w.isVisible());
        QVERIFY(w.isWindowModified());
        QVERIFY(w.editMenu().undoAction()->isEnabled());
        QVERIFY(w.isMainWindowEnabled());
        QCOMPARE(fx().shownAmong("TransferProgress"), QString());
        QCOMPARE(fx().enabledAmong("Command3"), QStringLiteral("Command3"));
        QCOMPARE(fx().text("Label2"), QStringLiteral("ECU Read data"));
        QCOMPARE(w.windowTitle(), QStringLiteral("07KorvoKit Fi Setting Tool[*]"));
        QCOMPARE(w.focusWidget(), fx().find("Frame1")); // the keys are the grid's again
        QCOMPARE(m_op.questionButtons.size(), 1);
        QCOMPARE(m_op.messages.back().text, QStringLiteral("ECU Data setting ended."));
        QCOMPARE(m_sim->memory(), w.document().image());
        // The verification file lies beside the data file, named after it.
        QCOMPARE(readE2PFile(fx().dir.filePath(QStringLiteral("SAMPLE.TMP"))).image,
                 w.document().image());

        const std::vector<HistoryEntry> entries = HistoryFolder(folder).entries();
        QCOMPARE(entries.size(), std::size_t(2));
        QCOMPARE(entries[1].kind, HistoryKind::Read);
        QCOMPARE(readE2PFile(entries[1].path).image, ecu);
        QCOMPARE(entries[0].kind, HistoryKind::Written);
        QCOMPARE(readE2PFile(entries[0].path).image, w.document().image());
        QVERIFY(entries[0].commentFirstLine.startsWith(
            QStringLiteral("ECU data written to COM1 (%1) on ").arg(m_sim->devicePath())));
    }

    void reviewAndWriteShowsTheChangesFirst_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("Write") << QStringLiteral("ReviewWrite");
        QTest::newRow("Cancel") << QStringLiteral("ReviewCancel");
    }

    // Ctrl+Shift+W: the prompts, the ECU read and kept in the history, its differences from the
    // data shown in a review over the disabled window; "Write" writes as "Data Write" does,
    // "Cancel" writes nothing. The CRC-32s are python3's zlib.crc32 of the same bytes.
    void reviewAndWriteShowsTheChangesFirst() {
        QFETCH(QString, answer);
        const bool write = answer == QStringLiteral("ReviewWrite");
        EcuImage ecu = sampleImage();
        ecu.setByte(fiCellOffset(3), 111);
        MainWindow &w = startWith(ecu, true);
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QStringList shown;
        bool windowOff = false;
        // The review comes after the read's waits, which run the events too: looked for until it
        // is there.
        QTimer answering;
        connect(&answering, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != QStringLiteral("ReviewDialog"))
                return;
            answering.stop();
            windowOff = !w.isMainWindowEnabled();
            for (int i = 0; i < 3; ++i)
                shown << dialog->findChild<QLabel *>(QStringLiteral("ReviewHeading(%1)").arg(i))
                             ->text();
            const auto *list = dialog->findChild<QListWidget *>(QStringLiteral("ReviewChanges"));
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            dialog->findChild<QPushButton *>(answer)->click();
        });
        answering.start(10);
        const QObject thisTest;
        QTimer::singleShot(3000, &thisTest, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));

        QVERIFY(windowOff);
        QVERIFY(w.isMainWindowEnabled());
        QCOMPARE(shown, (QStringList{QStringLiteral("What the write changes in the ECU: 1 differ "
                                                    "(Fi 1)"),
                                     QStringLiteral("In the ECU now: CRC-32 D8167380"),
                                     QStringLiteral("To be written: CRC-32 B830FCE9"),
                                     QStringLiteral("Fi Map TH 1 (0) NE 3 (3500): +11% \u2192 "
                                                    "+5%")}));
        // After the prompts, the write's last word, or nothing.
        QCOMPARE(m_op.messages.size(), write ? 3 : 2);
        QCOMPARE(m_op.messages.back().text, write
                                                ? QStringLiteral("ECU Data setting ended.")
                                                : QStringLiteral("Switch on Ignition , push "
                                                                 "Enter Key(within two seconds)"));
        QCOMPARE(m_sim->memory(), write ? w.document().image() : ecu);
        QCOMPARE(m_sim->stats().wordsWritten, write ? 1 + 211 : 0);
        QCOMPARE(QFileInfo::exists(fx().dir.filePath(QStringLiteral("SAMPLE.TMP"))), write);

        // The ECU's data before the write stay in the history, whatever the answer.
        const std::vector<HistoryEntry> entries =
            HistoryFolder(fx().dir.filePath(QStringLiteral("history"))).entries();
        QCOMPARE(entries.size(), write ? std::size_t(2) : std::size_t(1));
        QCOMPARE(entries.back().kind, HistoryKind::BeforeWrite);
        QCOMPARE(readE2PFile(entries.back().path).image, ecu);
        QCOMPARE(entries.back().crc32, QStringLiteral("D8167380"));
        QCOMPARE(fx().text("FingerprintStatus"),
                 write ? QStringLiteral("Written to the ECU and verified: CRC-32 B830FCE9")
                       : QStringLiteral("Opened SAMPLE.E2P: CRC-32 B830FCE9"));
    }

    void aFailedReadKeepsWhatTheWindowHad_data() {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("loaded data") << true << QStringLiteral("SAMPLE")
                                     << QStringLiteral("Command7 mnuData(1) Command2 Command3");
        QTest::newRow("no data: Data Read again")
            << false << QStringLiteral("file select") << QStringLiteral("Command7 mnuData(1)");
    }

    void aFailedReadKeepsWhatTheWindowHad() {
        QFETCH(bool, withFile);
        QFETCH(QString, name);
        QFETCH(QString, enabled);
        EcuImage ecu = sampleImage();
        ecu.setByte(DataTypeOffset, 'X'); // the marker no longer reads QZ3ROK
        MainWindow &w = startWith(ecu, withFile);
        if (withFile) {
            QVERIFY(w.document().apply(changeCell(MapKind::Fi, 9, 0x66))); // an unsaved edit
            m_op.choices = {1};                                            // discard it
        }
        w.transfers().EcuDataRead();
        QCOMPARE(m_op.messages.back().text, QStringLiteral("ECU Data Type is incorrect."));
        QCOMPARE(w.hasData(), withFile);
        if (withFile)
            QCOMPARE(int(w.document().image().byte(200)), 0x66);
        QCOMPARE(fx().text("Label2"), name);
        QCOMPARE(fx().enabledAmong("Command7 mnuData(1) Command2 Command3"), enabled);
        QCOMPARE(fx().shownAmong("Frame1 Frame6"), withFile ? QStringLiteral("Frame1") : QString());
        QVERIFY(w.isMainWindowEnabled());
    }
};

QTEST_MAIN(TestWindowTransfer)
#include "test_window_transfer.moc"
