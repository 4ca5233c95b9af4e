// Undo and redo through the window, the modified state in the title, and the question before
// modified data are discarded.

#include "dialogs/map_cell_editor.h"
#include "document/change_axis_point.h"
#include "document/change_cells.h"
#include "document/change_ru.h"
#include "document/change_speed.h"
#include "files/e2p_reader.h"
#include "main/edit_menu.h"
#include "main/graph_view.h"
#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

namespace {

enum class Discarding { QuitButton, CloseWindow, OpenFile, DataRead };
enum Answer { Save = 0, Discard = 1, Cancel = 2, SaveFails = 3 };

struct GuardCase {
    Discarding action;
    Answer answer;
    const char *question;
    bool goesOn;
};

} // namespace

Q_DECLARE_METATYPE(GuardCase)

class TestEditHistory : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    MainWindow &w() { return *m_f.window; }
    QAction *undo() { return w().editMenu().undoAction(); }
    QAction *redo() { return w().editMenu().redoAction(); }
    QString shown(const QString &name) { return m_f.find<QLabel>(name)->text(); }

private slots:
    void init() {
        m_f.window.reset();
        m_f.op = RecordingOperator();
        m_f.dialogs = ScriptedFileDialogs();
        m_f.startWithSample();
        QApplication::setActiveWindow(&w());
        QVERIFY(QTest::qWaitForWindowActive(&w()));
    }

    void cleanup() {
        m_f.window.reset();
        flushDeletes();
    }

    // Each kind of edit, undone and redone from the Edit menu: every view that shows the byte
    // shows it again, the title tells whether the data differ from the file.
    void undoAndRedoRefreshEveryView() {
        w().selectView(ViewPosition::IgNumeric); // its axes filled
        w().selectView(ViewPosition::FiGraph);   // row 1 shown
        w().selectView(ViewPosition::IgGraph);
        w().selectView(ViewPosition::RuMap);
        const QStringList labels =
            QStringLiteral("Label6(3) Slider1(3) Label12(3) Label_IG6(2) Label_IG12(2) Label18(4) "
                           "Label7(5) Label_IG7(5) Label10(5) Label8(4) Label_IG8(4) Label14 "
                           "Lbl_PITroad Lbl_IdleNe")
                .split(QLatin1Char(' '));
        const auto texts = [&] {
            QStringList all;
            for (const QString &name : labels) {
                auto *slider = w().findChild<QSlider *>(name);
                all << (slider ? QString::number(slider->value()) : shown(name));
            }
            return all;
        };
        const QStringList before = texts();
        const EcuImage image = w().document().image();
        CalibrationDocument &doc = w().document();
        const QList<ByteEdit> edits{changeCell(MapKind::Fi, 3, 130),
                                    changeCell(MapKind::Ig, 2, 3),
                                    changeRuPoint(4, 0xF1),
                                    changeAxisPoint(Axis::Ne, 5, 60),
                                    changeAxisPoint(Axis::Th, 4, 16),
                                    changeSpeed(SpeedSetting::ShiftTiming, 170),
                                    changeSpeed(SpeedSetting::PitRoad, 90),
                                    changeSpeed(SpeedSetting::IdleNe, 12)};
        for (const ByteEdit &edit : edits)
            QVERIFY(doc.apply(edit));
        const QStringList after =
            QStringLiteral("+30% 0 +30% +3deg +3deg -15% 6000 6000 6000 16 16 17000 9000 2400")
                .split(QLatin1Char(' '));
        QCOMPARE(texts(), after);
        QVERIFY(w().isWindowModified());
        QCOMPARE(undo()->text(), QStringLiteral("Undo Idring Ne: 1600 \u2192 2400 r/min"));

        for (qsizetype k = 0; k < edits.size(); ++k)
            undo()->trigger();
        QCOMPARE(texts(), before);
        QCOMPARE(w().document().image(), image);
        QVERIFY(!w().isWindowModified());
        QVERIFY(!undo()->isEnabled());
        QCOMPARE(undo()->text(), QStringLiteral("Undo"));
        QCOMPARE(redo()->text(), QStringLiteral("Redo Fi map TH 1 NE 3: ") + before[0] +
                                     QStringLiteral(" \u2192 +30%"));
        for (qsizetype k = 0; k < edits.size(); ++k)
            QTest::keySequence(&w(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(texts(), after);
    }

    // Undo is off while a dialog is open; in the comment box the keys are the box's own.
    void undoIsOffWhileADialogIsOpenAndTheCommentKeepsItsKeys() {
        QVERIFY(w().document().apply(changeCell(MapKind::Fi, 1, 120)));
        QVERIFY(undo()->isEnabled());
        w().selectView(ViewPosition::FiNumeric);
        QTest::mouseClick(m_f.find(QStringLiteral("Label6(5)")), Qt::LeftButton);
        auto *editor = w().findChild<MapCellEditor *>();
        QVERIFY(editor);
        QVERIFY(!undo()->isEnabled() && !redo()->isEnabled());
        QTest::keyClick(editor->slider(), Qt::Key_Escape);
        flushDeletes();
        QVERIFY(undo()->isEnabled());

        auto *comment = m_f.find<QPlainTextEdit>(QStringLiteral("Text3"));
        comment->setFocus();
        comment->moveCursor(QTextCursor::End);
        QTest::keyClicks(comment, QStringLiteral("xy"));
        QVERIFY(comment->toPlainText().endsWith(QStringLiteral("xy")));
        QTest::keyClick(comment, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!comment->toPlainText().endsWith(QStringLiteral("xy")));
        QCOMPARE(int(w().document().image().byte(fiCellOffset(1))), 120);
    }

    void askBeforeDiscarding_data() {
        QTest::addColumn<GuardCase>("c");
        const char *quitting = "The data have been changed. Save them before quitting?";
        const char *opening = "The data have been changed. Save them before opening another file?";
        const char *reading = "The data have been changed. Save them before reading the ECU?";
        using D = Discarding;
        QTest::newRow("Quit, Save") << GuardCase{D::QuitButton, Save, quitting, true};
        QTest::newRow("Quit, Discard") << GuardCase{D::QuitButton, Discard, quitting, true};
        QTest::newRow("Quit, Cancel") << GuardCase{D::QuitButton, Cancel, quitting, false};
        QTest::newRow("Quit, the save fails")
            << GuardCase{D::QuitButton, SaveFails, quitting, false};
        QTest::newRow("close, Discard") << GuardCase{D::CloseWindow, Discard, quitting, true};
        QTest::newRow("close, Cancel") << GuardCase{D::CloseWindow, Cancel, quitting, false};
        QTest::newRow("Open, Save") << GuardCase{D::OpenFile, Save, opening, true};
        QTest::newRow("Open, Cancel") << GuardCase{D::OpenFile, Cancel, opening, false};
        QTest::newRow("Open, the save fails") << GuardCase{D::OpenFile, SaveFails, opening, false};
        QTest::newRow("Read, Discard") << GuardCase{D::DataRead, Discard, reading, true};
        QTest::newRow("Read, Cancel") << GuardCase{D::DataRead, Cancel, reading, false};
        QTest::newRow("Read, the save fails") << GuardCase{D::DataRead, SaveFails, reading, false};
    }

    void askBeforeDiscarding() {
        QFETCH(GuardCase, c);
        QVERIFY(w().document().apply(changeCell(MapKind::Fi, 7, 77)));
        m_f.op.choices = {c.answer == SaveFails ? Save : c.answer};
        const QString saved = m_f.dir.filePath(c.answer == SaveFails ? QStringLiteral("no/X.E2P")
                                                                     : QStringLiteral("KEPT.E2P"));
        if (c.answer == Save || c.answer == SaveFails)
            m_f.choose(saved);
        m_f.op.answers = {false}; // a read that goes on stops at its first prompt
        switch (c.action) {
        case Discarding::QuitButton:
            QTest::mouseClick(m_f.find(QStringLiteral("Command4")), Qt::LeftButton);
            break;
        case Discarding::CloseWindow:
            w().close();
            break;
        case Discarding::OpenFile:
            QTest::mouseClick(m_f.find(QStringLiteral("Command1")), Qt::LeftButton);
            break;
        case Discarding::DataRead:
            QTest::mouseClick(m_f.find(QStringLiteral("Command7")), Qt::LeftButton);
            break;
        }
        QCOMPARE(m_f.op.messages.front().text, QLatin1String(c.question));
        QCOMPARE(m_f.op.messages.front().icon, MessageIcon::Question);
        QCOMPARE(m_f.op.questionButtons.front(),
                 (QStringList{QStringLiteral("Save"), QStringLiteral("Discard"),
                              QStringLiteral("Cancel")}));
        const QString last = m_f.op.messages.back().text;
        switch (c.action) {
        case Discarding::QuitButton:
        case Discarding::CloseWindow:
            QCOMPARE(!w().isVisible(), c.goesOn);
            break;
        case Discarding::OpenFile:
            QCOMPARE(m_f.dialogs.openRequests.size(), c.goesOn ? 1 : 0);
            break;
        case Discarding::DataRead:
            QCOMPARE(last == QStringLiteral("Ignition Switch Off"), c.goesOn);
            break;
        }
        // Nothing is lost: a save that failed leaves the data modified, a good one clean.
        QCOMPARE(int(w().document().image().byte(fiCellOffset(7))), 77);
        QCOMPARE(w().isWindowModified(), c.answer != Save);
        if (c.answer == Save)
            QCOMPARE(HEX_Data_read(saved).image.byte(fiCellOffset(7)), std::uint8_t(77));
    }
};

QTEST_MAIN(TestEditHistory)
#include "test_edit_history.moc"
