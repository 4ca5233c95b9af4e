// The grids' cursor, selection, keys, mouse, clipboard and value colours on the real window.

#include "dialogs/map_cell_editor.h"
#include "document/change_cells.h"
#include "main/map_grid_view.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QSlider>

namespace {

struct KeyCase {
    bool fi;
    const char *keys; // as "Shift+Right Ctrl+A 4 - Return"
    const char *undo; // the last step's text
    int steps, cell;
    const char *shows, *refusal;
};

} // namespace

Q_DECLARE_METATYPE(KeyCase)

class TestMapGridEditing : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    MapGridView *grid(bool fi) {
        m_f.window->selectView(fi ? ViewPosition::FiNumeric : ViewPosition::IgNumeric);
        return m_f.window->grid(fi ? MapKind::Fi : MapKind::Ig);
    }
    static void type(QWidget *to, const QString &keys) {
        for (const QString &key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QKeyCombination k =
                key == QStringLiteral("+") ? QKeyCombination(Qt::Key_Plus) : QKeySequence(key)[0];
            QTest::keyClick(to, k.key(), k.keyboardModifiers());
        }
    }
    QString undoText() { return m_f.window->document().undoStack().undoText(); }
    int steps() { return m_f.window->document().undoStack().count(); }

private slots:
    void init() {
        m_f.window.reset();
        m_f.op = RecordingOperator();
        m_f.startWithSample();
        QApplication::setActiveWindow(m_f.window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_f.window.get()));
        // Every cell 0, IG cell 20 at its upper limit.
        EcuImage image = m_f.window->document().image();
        for (int k = 1; k <= MapCells; ++k) {
            image.setByte(fiCellOffset(k), 100);
            image.setByte(igCellOffset(k), k == 20 ? 3 : 0);
        }
        m_f.window->document().load(image, {});
    }

    void cleanup() {
        m_f.window.reset();
        flushDeletes();
    }

    void keysChangeTheSelectionInOneStep_data() {
        QTest::addColumn<KeyCase>("c");
        QTest::newRow("block stepped up") << KeyCase{
            true, "Shift+Right Shift+Right Shift+Up +", "Fi map: 6 cells +1 step", 1, 37, "+1%",
            ""};
        QTest::newRow("Escape: the cursor cell only") << KeyCase{
            true, "Shift+Up Escape Down PgDown", "Fi map: 1 cell -5 steps", 1, 3, "-5%", ""};
        QTest::newRow("at the limit stays") << KeyCase{
            false, "Shift+Right Shift+End PgUp", "IG map: 13 cells +5 steps", 1, 21, "+3deg", ""};
        QTest::newRow("typed, sign after the digits") << KeyCase{
            false, "Shift+Left 4 - Return", "IG map: 2 cells set to -4deg", 1, 18, "-4deg", ""};
        QTest::newRow("typed out of range")
            << KeyCase{true,
                       "Shift+Left 3 1 Return",
                       "",
                       0,
                       18,
                       "0%",
                       "The Fi map takes values from -30% to +30%; 31 is outside that range. "
                       "Nothing was changed."};
        QTest::newRow("whole map smoothed")
            << KeyCase{true,
                       "Ctrl+A = 9 Return Right 3 0 Return Ctrl+A Ctrl+M",
                       "Fi map: smooth 16 x 11 cells",
                       3,
                       19,
                       "+13%",
                       ""};
    }

    // From the cursor on cell 19 (TH 2, NE 3).
    void keysChangeTheSelectionInOneStep() {
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

    void dragSelectsClickEditsAndTheFocusComesBack() {
        MapGridView *g = grid(true);
        QTest::mousePress(g->cell(1), Qt::LeftButton);
        QTest::mouseMove(g->cell(18));
        QTest::mouseRelease(g->cell(18), Qt::LeftButton);
        QTest::mouseClick(g->cell(36), Qt::LeftButton, Qt::ShiftModifier); // extends from cell 1
        QVERIFY(!m_f.window->findChild<MapCellEditor *>());
        QCOMPARE(g->selection().target(), (CellBlock{1, 3, 1, 4}));
        QCOMPARE(g->findChild<QLabel *>(QStringLiteral("GridStatus"))->text(),
                 QStringLiteral("TH 1 to 3, NE 1 to 4: 4 x 3 cells"));
        QVERIFY(g->cell(20)->decoration().selected && g->cell(1)->decoration().cursor);

        type(g, QStringLiteral("Up Return")); // as a click on cell 17
        auto *editor = m_f.window->findChild<MapCellEditor *>();
        QVERIFY(editor);
        QCOMPARE(m_f.enabledAmong("mnuSelectAll mnuStepUp mnuCopy mnuPaste"), QString());
        QTest::keyClick(editor->slider(), Qt::Key_Escape);
        flushDeletes();
        QCOMPARE(m_f.window->focusWidget(), g);
        QCOMPARE(g->selection().cursor(), 17);
        QVERIFY(g->cell(17)->decoration().cursor && !g->cell(20)->decoration().selected);
    }

    void copyAndPasteBackOrRefuse() {
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
                                             "block (TH row 2, NE column 8) is outside the range "
                                             "of the IG map, -20deg to +3deg. Nothing was pasted."),
                              MessageIcon::Exclamation}));
        QCOMPARE(steps(), 1);
        QCOMPARE(m_f.enabledAmong("mnuInterpolate mnuSmooth mnuStepUp"),
                 QStringLiteral("mnuStepUp"));
        m_f.window->selectView(ViewPosition::FiGraph);
        QCOMPARE(m_f.enabledAmong("mnuSelectAll mnuPaste mnuStepUp"), QString());
    }

    void valueColoursFollowEditsAndAreRemembered() {
        MapGridView *g = grid(true);
        QVERIFY(!g->cell(1)->decoration().fill.isValid());
        m_f.find<QAction>(QStringLiteral("mnuCellColours"))->trigger();
        QCOMPARE(g->cell(1)->decoration().fill, QColor(Qt::cyan)); // 0 %
        QVERIFY(m_f.window->document().apply(changeCell(MapKind::Fi, 1, 70)));
        QCOMPARE(g->cell(1)->decoration().fill, QColor(Qt::black)); // -30 %
        QCOMPARE(g->grab().toImage().pixelColor(g->cell(1)->geometry().topLeft() + QPoint(5, 5)),
                 QColor(Qt::black));
        m_f.window->document().undoStack().undo();
        QCOMPARE(g->cell(1)->decoration().fill, QColor(Qt::cyan));
        m_f.window.reset();
        m_f.start();
        QVERIFY(m_f.find<QAction>(QStringLiteral("mnuCellColours"))->isChecked());
        QVERIFY(m_f.window->grid(MapKind::Ig)->cell(5)->decoration().fill.isValid());
    }
};

QTEST_MAIN(TestMapGridEditing)
#include "test_map_grid_editing.moc"
