// Edits as steps of the window's history: undo and redo, the modified state in the title, the
// question before modified data are discarded, and the grids' own edits, each one step.

#include "dialogs/edit_dialog.h"
#include "dialogs/map_cell_editor.h"
#include "document/change_axis_point.h"
#include "document/change_cells.h"
#include "document/change_ru.h"
#include "document/change_speed.h"
#include "files/e2p_reader.h"
#include "grid/map_grid_view.h"
#include "grid/value_legend.h"
#include "window/edit_menu.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

namespace {

enum Answer { Save = 0, Discard = 1, Cancel = 2, SaveFails = 3 };

struct GuardCase {
    const char *name;
    const char *action; // the button clicked
    Answer answer;
    const char *question;
    const char *goesOn; // "closed", "file dialog", "read", or "" where the action stops
};

struct KeyCase {
    const char *name;
    bool fi;
    const char *keys; // as "Shift+Right Ctrl+A 4 - Return"
    const char *undo; // the last step's text
    int steps, cell;
    const char *shows, *refusal;
};

} // namespace

Q_DECLARE_METATYPE(GuardCase)
Q_DECLARE_METATYPE(KeyCase)

class TestEditHistory : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    MainWindow &w() { return *m_f.window; }
    QAction *undo() { return w().editMenu().undoAction(); }
    QAction *redo() { return w().editMenu().redoAction(); }
    QString undoText() { return w().document().undoStack().undoText(); }
    int steps() { return w().document().undoStack().count(); }

    // The grid shown, with every cell 0 but IG cell 20 at its upper limit.
    MapGridView *grid(bool fi) {
        EcuImage image = w().document().image();
        for (int k = 1; k <= MapCells; ++k) {
            image.setByte(fiCellOffset(k), 100);
            image.setByte(igCellOffset(k), k == 20 ? 3 : 0);
        }
        w().document().load(image, {});
        w().selectView(fi ? ViewPosition::FiNumeric : ViewPosition::IgNumeric);
        return w().grid(fi ? MapKind::Fi : MapKind::Ig);
    }
    static void type(QWidget *to, const QString &keys) {
        for (const QString &key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QKeyCombination k = key == QStringLiteral("+")   ? QKeyCombination(Qt::Key_Plus)
                                      : key == QStringLiteral(",") ? QKeyCombination(Qt::Key_Comma)
                                                                   : QKeySequence(key)[0];
            QTest::keyClick(to, k.key(), k.keyboardModifiers());
        }
    }

private slots:
    void init() { QVERIFY(m_f.restartWithSample()); }
    void cleanup() { m_f.close(); }

    // Each kind of edit, undone and redone from the Edit menu: every view that shows the byte
    // shows it again, the title tells whether the data differ from the file.
    void undoAndRedoRefreshEveryView() {
        w().selectView(ViewPosition::IgNumeric); // its axes filled
        w().selectView(ViewPosition::FiGraph);   // row 1 shown
        w().selectView(ViewPosition::IgGraph);
        w().selectView(ViewPosition::RuMap);
        const char *const shown = "Label6(3) Slider1(3) Label12(3) Label_IG6(2) Label_IG12(2) "
                                  "Label18(4) Label7(5) Label_IG7(5) Label10(5) Label8(4) "
                                  "Label_IG8(4) Label14 Lbl_PITroad Lbl_IdleNe";
        const QStringList before = m_f.texts(shown);
        const QList<ByteEdit> edits{changeCell(MapKind::Fi, 3, 130),
                                    changeCell(MapKind::Ig, 2, 3),
                                    changeRuPoint(4, 0xF1),
                                    changeAxisPoint(Axis::Ne, 5, 60),
                                    changeAxisPoint(Axis::Th, 4, 16),
                                    changeSpeed(SpeedSetting::ShiftTiming, 170),
                                    changeSpeed(SpeedSetting::PitRoad, 90),
                                    changeSpeed(SpeedSetting::IdleNe, 12)};
        for (const ByteEdit &edit : edits)
            QVERIFY(w().document().apply(edit));
        const QStringList after =
            words("+30% 0 +30% +3deg +3deg -15% 6000 6000 6000 16 16 17000 9000 2400");
        QCOMPARE(m_f.texts(shown), after);
        QVERIFY(w().isWindowModified());
        QCOMPARE(undo()->text(), QStringLiteral("Undo Idring Ne: 1600 \u2192 2400 r/min"));

        for (qsizetype k = 0; k < edits.size(); ++k)
            undo()->trigger();
        QCOMPARE(m_f.texts(shown), before);
        QVERIFY(!w().isWindowModified());
        QVERIFY(!undo()->isEnabled());
        QCOMPARE(undo()->text(), QStringLiteral("Undo"));
        QCOMPARE(redo()->text(), QStringLiteral("Redo Fi map TH 1 NE 3: ") + before[0] +
                                     QStringLiteral(" \u2192 +30%"));
        for (qsizetype k = 0; k < edits.size(); ++k)
            QTest::keySequence(&w(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(m_f.texts(shown), after);
    }

    // Undo is off while a dialog is open; in the comment box the keys are the box's own.
    void undoIsOffWhileADialogIsOpenAndTheCommentKeepsItsKeys() {
        QVERIFY(w().document().apply(changeCell(MapKind::Fi, 1, 120)));
        QVERIFY(undo()->isEnabled());
        w().selectView(ViewPosition::FiNumeric);
        m_f.click("Label6(5)");
        auto *editor = w().findChild<MapCellEditor *>();
        QVERIFY(editor);
        QVERIFY(!undo()->isEnabled() && !redo()->isEnabled());
        // The stack's own changes meanwhile turn neither on.
        w().document().undoStack().undo();
        QVERIFY(!redo()->isEnabled());
        w().document().undoStack().redo();
        QVERIFY(!undo()->isEnabled());
        closeWith(editor, "Slider1", Qt::Key_Escape);
        QVERIFY(undo()->isEnabled() && !redo()->isEnabled());

        auto *comment = m_f.find<QPlainTextEdit>("Text3");
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
        const GuardCase cases[] = {
            {"Quit, Save", "Command4", Save, quitting, "closed"},
            {"Quit, Cancel", "Command4", Cancel, quitting, ""},
            {"Quit, the save fails", "Command4", SaveFails, quitting, ""},
            {"Open, Save", "Command1", Save, opening, "file dialog"},
            {"Open, Cancel", "Command1", Cancel, opening, ""},
            {"Read, Discard", "Command7", Discard, reading, "read"},
            {"Read, Cancel", "Command7", Cancel, reading, ""},
        };
        for (const GuardCase &c : cases)
            QTest::newRow(c.name) << c;
    }

    void askBeforeDiscarding() {
        QFETCH(GuardCase, c);
        QVERIFY(w().document().apply(changeCell(MapKind::Fi, 7, 77)));
        m_f.op.choices = {c.answer == SaveFails ? Save : c.answer};
        const QString saved = m_f.dir.filePath(c.answer == SaveFails ? QStringLiteral("no/X.E2P")
                                                                     : QStringLiteral("KEPT.E2P"));
        if (c.answer == Save || c.answer == SaveFails)
            m_f.dialogs.choose(saved);
        m_f.op.answers = {false}; // a read that goes on stops at its first prompt
        m_f.click(c.action);
        QCOMPARE(m_f.op.messages.front().text, QLatin1String(c.question));
        QCOMPARE(m_f.op.messages.front().icon, MessageIcon::Question);
        QCOMPARE(m_f.op.questionButtons.front(),
                 (QStringList{QStringLiteral("Save"), QStringLiteral("Discard"),
                              QStringLiteral("Cancel")}));
        QStringList wentOn;
        if (!w().isVisible())
            wentOn << QStringLiteral("closed");
        if (!m_f.dialogs.openRequests.isEmpty())
            wentOn << QStringLiteral("file dialog");
        if (m_f.op.messages.back().text == QStringLiteral("Ignition Switch Off"))
            wentOn << QStringLiteral("read");
        QCOMPARE(wentOn.join(QLatin1Char(' ')), QLatin1String(c.goesOn));
        // Nothing is lost: a save that failed leaves the data modified, a good one clean.
        QCOMPARE(int(w().document().image().byte(fiCellOffset(7))), 77);
        QCOMPARE(w().isWindowModified(), c.answer != Save);
        if (c.answer == Save)
            QCOMPARE(readE2PFile(saved).image.byte(fiCellOffset(7)), std::uint8_t(77));
    }

    void gridKeysChangeTheSelectionInOneStep_data() {
        QTest::addColumn<KeyCase>("c");
        const char *outOfRange = "The Fi map takes values from -30% to +30%; 31 is outside that "
                                 "range. Nothing was changed.";
        const KeyCase cases[] = {
            {"block stepped up", true, "Shift+Right Shift+Right Shift+Up +",
             "Fi map: 6 cells +1 step", 1, 37, "+1%", ""},
            {"Escape: the cursor cell only", true, "Shift+Up Escape Down PgDown",
             "Fi map: 1 cell -5 steps", 1, 3, "-5%", ""},
            {"at the limit stays", false, "Shift+Right Shift+End PgUp", "IG map: 13 cells +5 steps",
             1, 21, "+3deg", ""},
            {"typed, sign after the digits", false, "Shift+Left 4 - Return",
             "IG map: 2 cells set to -4deg", 1, 18, "-4deg", ""},
            {"typed out of range", true, "Shift+Left 3 1 Return", "", 0, 18, "0%", outOfRange},
            {"whole map smoothed", true, "Ctrl+A = 9 Return Right 3 0 Return Ctrl+A Ctrl+M",
             "Fi map: smooth 16 x 11 cells", 3, 19, "+13%", ""},
            {"point and comma one step, greater-than five", true, "Shift+Right . . , >",
             "Fi map: 2 cells +5 steps", 4, 20, "+6%", ""},
            {"less-than five down", false, "< ,", "IG map: 1 cell -1 step", 2, 19, "-6deg", ""},
            // Sample NE 3..5 and TH 2..4 are evenly spaced.
            {"H along the row", true, "3 0 Return Right Right Shift+Left Shift+Left H",
             "Fi map: interpolate 3 x 1 cells along rows", 2, 20, "+15%", ""},
            {"V along the column", true, "Up Up 3 0 Return Shift+Down Shift+Down V",
             "Fi map: interpolate 1 x 3 cells along columns", 2, 35, "+15%", ""},
            {"slash interpolates", false, "9 - Return Shift+Right Shift+Right Shift+Up /",
             "IG map: interpolate 3 x 2 cells", 2, 20, "-5deg", ""},
        };
        for (const KeyCase &c : cases)
            QTest::newRow(c.name) << c;
    }

    // From the cursor on cell 19 (TH 2, NE 3).
    void gridKeysChangeTheSelectionInOneStep() {
        QFETCH(KeyCase, c);
        MapGridView *g = grid(c.fi);
        g->returnFocus(19);
        type(g, QString::fromUtf8(c.keys));
        QCOMPARE(undoText(), QString::fromUtf8(c.undo));
        QCOMPARE(steps(), c.steps);
        QCOMPARE(g->cell(c.cell)->text(), QString::fromUtf8(c.shows));
        QCOMPARE(m_f.op.messages.isEmpty() ? QString() : m_f.op.messages.front().text,
                 QString::fromUtf8(c.refusal));
    }

    // Scale (*) and Add work on the whole map when nothing is selected, else on the selection;
    // their input counts what they would do, and keeps a refused amount to be corrected.
    void scaleAndAddThroughTheirInput() {
        // The menu names every key of an item.
        QCOMPARE(m_f.find<QAction>("mnuStepDown5")->text(),
                 QStringLiteral("Step Down 5\tPgDown or <"));
        QCOMPARE(m_f.find<QAction>("mnuInterpolate")->text(),
                 QStringLiteral("Interpolate\tCtrl+I or /"));
        MapGridView *g = grid(true);
        g->returnFocus(19);
        type(g, QStringLiteral("2 9 Return Right 2 9 Return *"));
        auto *input = w().findChild<QDialog *>(QStringLiteral("ScaleDialog"));
        QVERIFY(input && input->isVisible());
        auto *amount = input->findChild<QLineEdit *>(QStringLiteral("amountEdit"));
        auto *preview = input->findChild<QLabel *>(QStringLiteral("previewLabel"));
        QTest::keyClicks(amount, QStringLiteral("+5"));
        QCOMPARE(preview->text(), QStringLiteral("174 cells change, 2 would pass +30%: refused"));
        QTest::keyClick(amount, Qt::Key_Return);
        QCOMPARE(m_f.op.messages.front().text,
                 QStringLiteral("The Fi map takes values from -30% to +30%; scaled by +5%, 2 "
                                "cells would pass +30%. Nothing was changed."));
        QVERIFY(input->isVisible());
        amount->setText(QStringLiteral("1"));
        QCOMPARE(preview->text(), QStringLiteral("176 cells change"));
        QTest::keyClick(amount, Qt::Key_Return);
        flushDeletes();
        QCOMPARE(undoText(), QStringLiteral("Fi map: scale 176 cells by +1%"));
        QCOMPARE(m_f.texts("Label6(19) Label6(21)"), words("+30% +1%"));

        type(g, QStringLiteral("Shift+Left"));
        m_f.trigger("mnuAdd");
        input = w().findChild<QDialog *>(QStringLiteral("AddDialog"));
        amount = input->findChild<QLineEdit *>(QStringLiteral("amountEdit"));
        QTest::keyClicks(amount, QStringLiteral("-2.5"));
        QCOMPARE(input->findChild<QLabel *>(QStringLiteral("previewLabel"))->text(),
                 QStringLiteral("2 cells change"));
        QTest::keyClick(amount, Qt::Key_Return);
        flushDeletes();
        QCOMPARE(undoText(), QStringLiteral("Fi map: add -3% to 2 cells"));
        QCOMPARE(m_f.texts("Label6(19) Label6(20) Label6(21)"), words("+27% +27% +1%"));
        QCOMPARE(steps(), 4);
    }

    // Off unless checked, and remembered: a point moved takes its cells along in the same step.
    void keepMapShapeMovesTheCellsInTheAxisStep() {
        auto *keep = m_f.find<QAction>("mnuKeepMapShape");
        QVERIFY(keep->isCheckable() && !keep->isChecked());
        keep->trigger();
        // NE 6 and 7 at 6500 and 7500 r/min; Fi row 1 linear in r/min, 1 % a 100 r/min.
        m_f.loadBytes({fiCellOffset(6), 100, fiCellOffset(7), 110, igCellOffset(6), 0xF6,
                       igCellOffset(7), 0xF3});
        w().selectView(ViewPosition::FiNumeric);
        m_f.click("Label7(6)");
        auto *editor = w().findChild<EditDialog *>();
        QVERIFY(editor);
        editor->findChild<QSlider *>(QStringLiteral("Slider1"))->setValue(70);
        closeWith(editor, "Command1", 0);
        QCOMPARE(undoText(), QStringLiteral("NE 6 6500 \u2192 7000, map kept"));
        QCOMPARE(steps(), 1);
        QCOMPARE(m_f.texts("Label6(6) Label_IG6(6) Label7(6)"), words("+5% -12deg 7000"));
        undo()->trigger();
        QCOMPARE(m_f.texts("Label6(6) Label_IG6(6) Label7(6)"), words("0% -10deg 6500"));
        m_f.window.reset();
        m_f.start();
        QVERIFY(m_f.find<QAction>("mnuKeepMapShape")->isChecked());
    }

    void gridDragSelectsClickEditsAndTheFocusComesBack() {
        MapGridView *g = grid(true);
        QTest::mousePress(g->cell(1), Qt::LeftButton);
        QTest::mouseMove(g->cell(18));
        QTest::mouseRelease(g->cell(18), Qt::LeftButton);
        QTest::mouseClick(g->cell(36), Qt::LeftButton, Qt::ShiftModifier); // extends from cell 1
        QVERIFY(!w().findChild<MapCellEditor *>());
        QCOMPARE(g->selection().target(), (CellBlock{1, 3, 1, 4}));
        QCOMPARE(g->findChild<QLabel *>(QStringLiteral("GridStatus"))->text(),
                 QStringLiteral("TH 0\u201310 %, 1400\u20134500 r/min: 4 x 3 cells"));
        QVERIFY(g->cell(20)->decoration().selected && g->cell(1)->decoration().cursor);

        type(g, QStringLiteral("Up Return")); // as a click on cell 17
        auto *editor = w().findChild<MapCellEditor *>();
        QVERIFY(editor);
        QCOMPARE(m_f.enabledAmong("mnuSelectAll mnuStepUp mnuCopy mnuPaste"), QString());
        closeWith(editor, "Slider1", Qt::Key_Escape);
        QCOMPARE(w().focusWidget(), g);
        QCOMPARE(g->selection().cursor(), 17);
        QVERIFY(g->cell(17)->decoration().cursor && !g->cell(20)->decoration().selected);
    }

    void gridCopyAndPasteBackOrRefuse() {
        MapGridView *g = grid(false);
        g->returnFocus(20);
        type(g, QStringLiteral("Shift+Down Shift+Left Ctrl+C"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0\t3\n0\t0\n"));
        type(g, QStringLiteral("Escape Right Right Right Up Ctrl+V"));
        QCOMPARE(undoText(), QStringLiteral("IG map: paste 2 x 2 cells"));
        QCOMPARE(g->cell(40)->text(), QStringLiteral("+3deg"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\n-3\t-30\n"));
        type(g, QStringLiteral("Ctrl+V"));
        QCOMPARE(m_f.op.messages.front(),
                 (ToldMessage{QStringLiteral("The value -30 in row 2, column 2 of the pasted "
                                             "block (TH 5 %, 8500 r/min) is outside the range "
                                             "of the IG map, -20deg to +3deg. Nothing was pasted."),
                              MessageIcon::Exclamation}));
        QCOMPARE(steps(), 1);
        QCOMPARE(m_f.enabledAmong("mnuInterpolate mnuSmooth mnuStepUp"),
                 QStringLiteral("mnuStepUp"));
        w().selectView(ViewPosition::FiGraph);
        QCOMPARE(m_f.enabledAmong("mnuSelectAll mnuPaste mnuStepUp"), QString());
    }

    // With the legend of the colours beside the grid.
    void gridValueColoursFollowEditsAndAreRemembered() {
        MapGridView *g = grid(true);
        QVERIFY(!g->cell(1)->decoration().fill.isValid());
        QVERIFY(!g->valueLegend()->isVisible());
        m_f.trigger("mnuCellColours");
        QCOMPARE(g->cell(1)->decoration().fill, QColor(Qt::cyan)); // 0 %
        QVERIFY(g->valueLegend()->isVisible());
        QCOMPARE(g->valueLegend()->texts(), words("+30% 0% -30%"));
        QCOMPARE(w().grid(MapKind::Ig)->valueLegend()->texts(), words("+3deg 0deg -20deg"));
        const QImage legend = g->valueLegend()->grab().toImage();
        const QColor top = legend.pixelColor(3, 2),
                     bottom = legend.pixelColor(3, legend.height() - 3);
        QVERIFY(top.red() > 240 && top.green() < 30 && top.blue() < 30); // highest: red
        QVERIFY(qGray(bottom.rgb()) < 20);                               // lowest: black
        QVERIFY(w().document().apply(changeCell(MapKind::Fi, 1, 70)));
        QCOMPARE(g->cell(1)->decoration().fill, QColor(Qt::black)); // -30 %
        QCOMPARE(g->grab().toImage().pixelColor(g->cell(1)->geometry().topLeft() + QPoint(5, 5)),
                 QColor(Qt::black));
        w().document().undoStack().undo();
        QCOMPARE(g->cell(1)->decoration().fill, QColor(Qt::cyan));
        m_f.window.reset();
        m_f.start();
        QVERIFY(m_f.find<QAction>("mnuCellColours")->isChecked());
        QVERIFY(w().grid(MapKind::Ig)->cell(5)->decoration().fill.isValid());
    }
};

QTEST_MAIN(TestEditHistory)
#include "test_edit_history.moc"
