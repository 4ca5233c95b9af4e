#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/twips.h"
#include "dialogs/ru_all_change_dialog.h"
#include "document/change_ru.h"
#include "graph/graph_canvas.h"
#include "graph/graph_slider.h"
#include "graph/graph_view.h"
#include "image/graph_position.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWheelEvent>
#include <tuple>

namespace {

constexpr ViewPosition ViewOf[] = {ViewPosition::FiGraph, ViewPosition::IgGraph,
                                   ViewPosition::RuMap};
constexpr int ScaleOf[] = {60, 23, 30};
const char *const SliderOf[] = {"Slider1", "Slider_IG1", "Slider3"};
const char *const ValueOf[] = {"Label12", "Label_IG12", "Label18"};
const char *const LineOf[] = {"Line4", "Line_IG4", "Line1"};

int at(GraphKind kind) {
    return static_cast<int>(kind);
}

double knobTwips(GraphKind kind, int position) {
    return 840.0 + position * 3000.0 / ScaleOf[at(kind)];
}

struct EditCase {
    const char *name;
    GraphKind kind;
    int i, position, byte;
    int offset;       // of TH row 3, NE point i (RU point i)
    bool fine;        // dragged with Shift held
    const char *undo; // the Edit menu's text for the drag, which ends with the value's text
};

struct RuCase {
    const char *name;
    int key;             // 0: none
    const char *closeOn; // the control that closes the dialog
    int closeKey;        // 0: a click
    int byte;            // -1: nothing changes
    const char *text;
};

} // namespace

Q_DECLARE_METATYPE(EditCase)
Q_DECLARE_METATYPE(RuCase)

class TestGraphView : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    MainWindow &w() { return *m_f.window; }
    template <typename T>
    T *element(const char *const names[], GraphKind kind, int i) {
        return m_f.find<T>(QStringLiteral("%1(%2)").arg(QLatin1String(names[at(kind)])).arg(i));
    }
    GraphSlider *slider(GraphKind kind, int i) { return element<GraphSlider>(SliderOf, kind, i); }
    QLabel *value(GraphKind kind, int i) { return element<ClickableLabel>(ValueOf, kind, i); }
    QLineF line(GraphKind kind, int j) { return element<GraphLine>(LineOf, kind, j)->twips(); }
    QComboBox *rows(GraphKind kind) {
        return m_f.find<QComboBox>(kind == GraphKind::Fi ? QStringLiteral("Combo2")
                                                         : QStringLiteral("Combo_IG2"));
    }
    // Drags the knob of a slider with the mouse to the heights below it, in pixels.
    static void drag(GraphSlider *s, const QList<int> &pixelsDown, Qt::KeyboardModifiers keys) {
        const QPointF knob(s->width() / 2.0, s->knobCentreY() - s->y());
        QPointF at = knob;
        QTest::mousePress(s, Qt::LeftButton, keys, knob.toPoint());
        for (int down : pixelsDown) {
            at = knob + QPointF(0, down);
            QMouseEvent move(QEvent::MouseMove, at, s->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, keys);
            QApplication::sendEvent(s, &move);
        }
        QTest::mouseRelease(s, Qt::LeftButton, keys, at.toPoint());
    }
    // The sliders and value labels show TH row th, and the row selector its entry.
    void checkRowShown(GraphKind kind, int th) {
        QCOMPARE(rows(kind)->currentText(),
                 w().document().tables().ThText[std::size_t(th - 1)] + QStringLiteral("%"));
        for (int i = 1; i <= 16; ++i) {
            const auto [b, text] = table(kind, th, i);
            QCOMPARE(slider(kind, i)->value(), kind == GraphKind::Fi
                                                   ? fiSliderPosition(std::uint8_t(b))
                                                   : igSliderPosition(std::uint8_t(b)));
            QCOMPARE(value(kind, i)->text(), text);
        }
    }
    // Byte and text of NE point i in TH row th (the RU map has one row).
    std::pair<int, QString> table(GraphKind kind, int th, int i) {
        const EcuTables &t = w().document().tables();
        const auto r = std::size_t(th - 1), n = std::size_t(i - 1);
        if (kind == GraphKind::Fi)
            return {t.KmapData[r][n], t.KmapText[r][n]};
        if (kind == GraphKind::Ig)
            return {t.IGmapData[r][n], t.IGmapText[r][n]};
        return {t.RuadjData[n], t.RuadjText[n]};
    }
    void focus(QWidget *widget) {
        widget->setFocus();
        QCOMPARE(QApplication::focusWidget(), widget);
    }

private slots:
    void init() {
        QVERIFY(m_f.restartWithSample());
        // Row 11 of both maps gets a shape of its own.
        QList<int> row11;
        for (int n = 0; n < NeColumns; ++n)
            row11 << fiCellOffset(161 + n) << 72 + 3 * n << igCellOffset(161 + n)
                  << (n < 3 ? n : 256 - n);
        m_f.loadBytes(row11);
    }

    void cleanup() { m_f.close(); }

    void sliderDragIsOneEdit_data() {
        QTest::addColumn<EditCase>("c");
        const GraphKind Fi = GraphKind::Fi, Ig = GraphKind::Ig, Ru = GraphKind::Ru;
        const EditCase cases[] = {
            {"Fi 1 top", Fi, 1, 0, 130, 224, false, "Fi map TH 3 NE 1: +5% \u2192 +30%"},
            {"Fi 7 middle", Fi, 7, 30, 100, 230, false, "Fi map TH 3 NE 7: -2% \u2192 0%"},
            {"Fi 7 fine", Fi, 7, 35, 95, 230, true, "Fi map TH 3 NE 7: -2% \u2192 -5%"},
            {"Fi 16 bottom", Fi, 16, 60, 70, 239, false, "Fi map TH 3 NE 16: +2% \u2192 -30%"},
            {"IG 7 top", Ig, 7, 0, 3, 38, false, "IG map TH 3 NE 7: -2deg \u2192 +3deg"},
            {"RU 7 bottom", Ru, 7, 30, 241, 418, true, "RU map NE 7: +1% \u2192 -15%"},
        };
        for (const EditCase &c : cases)
            QTest::newRow(c.name) << c;
    }

    // A drag writes table, text, image and view, one undo step. It moves the knob a whole step
    // per 4 pixels (with Shift per 12 pixels), whatever the slider's height.
    void sliderDragIsOneEdit() {
        QFETCH(EditCase, c);
        const auto [name, kind, i, position, byte, offset, fine, undoUtf8] = c;
        const QString undo = QString::fromUtf8(undoUtf8);
        w().selectView(ViewOf[at(kind)]);
        for (int k = 0; k < 2 && kind != GraphKind::Ru; ++k)
            QTest::keyClick(rows(kind), Qt::Key_Up);
        // Only the start of line i and the end of line i - 1 follow the knob.
        const double y = knobTwips(kind, position);
        QList<QLineF> lines;
        for (int j = 1; j <= 15; ++j) {
            const QLineF l = line(kind, j);
            lines << QLineF(l.x1(), j == i ? y : l.y1(), l.x2(), j == i - 1 ? y : l.y2());
        }
        const EcuImage before = w().document().image();
        // By way of beyond the far end; the last pixels of a step short of the next one.
        const int perStep = fine ? 12 : 4, start = slider(kind, i)->value();
        const int far = position == 0 ? ScaleOf[at(kind)] : -ScaleOf[at(kind)];
        const int steps = position - start, rest = steps < 0 ? 1 - perStep : perStep - 1;
        drag(slider(kind, i), {2 * (far - start) * perStep, steps * perStep + rest},
             fine ? Qt::ShiftModifier : Qt::NoModifier);

        QCOMPARE(QApplication::focusWidget(), slider(kind, i));
        QCOMPARE(w().document().image(), withBytes(before, {offset, byte}));
        QCOMPARE(value(kind, i)->text(), undo.section(QStringLiteral(" \u2192 "), 1));
        for (int j = 1; j <= 15; ++j)
            QCOMPARE(line(kind, j), lines[j - 1]);
        QCOMPARE(w().document().undoStack().count(), 1);
        QCOMPARE(w().document().undoStack().undoText(), undo);
    }

    void knobsSitOnTheDrawnLineAndRowsRunFromTheTop_data() {
        QTest::addColumn<GraphKind>("kind");
        for (GraphKind kind : {GraphKind::Fi, GraphKind::Ig, GraphKind::Ru})
            QTest::newRow(SliderOf[at(kind)]) << kind;
    }

    void knobsSitOnTheDrawnLineAndRowsRunFromTheTop() {
        QFETCH(GraphKind, kind);
        w().selectView(ViewOf[at(kind)]);
        for (int i = 1; i <= 16; ++i) {
            const double y = i < 16 ? line(kind, i).y1() : line(kind, 15).y2();
            QVERIFY(qAbs(slider(kind, i)->knobCentreY() - twipsToPixelsY(y)) <= 1);
        }
        const QPointF middle = line(kind, 8).center();
        const QColor drawn = w().graphView(kind)->grab().toImage().pixelColor(
            twipsToPixelsX(middle.x()), twipsToPixelsY(middle.y()));
        QVERIFY2(drawn.blue() > 150 && drawn.red() < 100, qPrintable(drawn.name()));
        if (kind == GraphKind::Ru)
            return;
        checkRowShown(kind, 1);
        // The top entry is row 11, the bottom one row 1; entering the view starts at row 1.
        for (auto [key, row] : {std::pair{Qt::Key_Home, 11}, std::pair{Qt::Key_End, 1},
                                std::pair{Qt::Key_Home, 11}, std::pair{Qt::Key_unknown, 1}}) {
            if (key == Qt::Key_unknown)
                w().selectView(ViewOf[at(kind)]);
            else
                QTest::keyClick(rows(kind), key);
            checkRowShown(kind, row);
        }
        if (kind == GraphKind::Ig) {
            const auto *zero = m_f.find<GraphLine>("Line7");
            QVERIFY(zero->isShown());
            QCOMPARE(zero->twips().y1(), 840.0 + 3 * 3000.0 / 23);
            const QRect caption = m_f.find("Label_IG9(0)")->geometry();
            QVERIFY(qAbs(caption.center().y() - twipsToPixelsY(zero->twips().y1())) <= 1);
        }
    }

    void displayingIsNeverAnEdit_data() {
        QTest::addColumn<GraphKind>("kind");
        QTest::addColumn<bool>("focused");
        QTest::newRow("Fi row change") << GraphKind::Fi << false;
        QTest::newRow("Fi row change, slider focused") << GraphKind::Fi << true;
        QTest::newRow("IG row change, slider focused") << GraphKind::Ig << true;
        QTest::newRow("RU undo, slider focused") << GraphKind::Ru << true;
    }

    // The sliders move to show other values, with or without the focus; the focused slider
    // goes on editing afterwards.
    void displayingIsNeverAnEdit() {
        QFETCH(GraphKind, kind);
        QFETCH(bool, focused);
        w().selectView(ViewOf[at(kind)]);
        const EcuData before = w().document().data();
        const bool ru = kind == GraphKind::Ru;
        if (ru) // the RU view shows the map again when this is undone
            QVERIFY(w().document().apply(changeAllRuPoints(0xF1)));
        focus(focused ? slider(kind, 5) : static_cast<QWidget *>(rows(kind)));
        const int shown = slider(kind, 2)->value();
        if (ru)
            w().document().undoStack().undo();
        else
            QTest::keyClick(rows(kind), Qt::Key_Home); // the slider keeps the focus
        QVERIFY(slider(kind, 2)->value() != shown);
        if (!focused) // nor is any other change of a slider without the focus
            slider(kind, 3)->setValue(slider(kind, 3)->value() == 0 ? 1 : 0);
        QCOMPARE(w().document().image(), before.image);
        QVERIFY(w().document().tables() == before.tables);
        QCOMPARE(w().document().undoStack().canRedo(), ru);
        if (focused) {
            QTest::keyClick(slider(kind, 5), Qt::Key_Up);
            QVERIFY(w().document().image() != before.image);
        }
    }

    // Up held down is one step with its repeats, the first of which comes after the keyboard's
    // delay; a press soon after joins it, a press after a pause is a step of its own.
    void keyHeldDownIsOneStep() {
        w().selectView(ViewPosition::FiGraph);
        GraphSlider *s = slider(GraphKind::Fi, 5);
        focus(s);
        const int start = s->value();
        // The wait before each press, whether it is a repeat, the steps on the stack after it.
        const std::tuple<int, bool, int> presses[] = {{0, false, 1},   {600, true, 1},
                                                      {0, true, 1},    {0, true, 1},
                                                      {100, false, 1}, {600, false, 2}};
        for (const auto &[waitMs, repeat, steps] : presses) {
            QTest::qWait(waitMs);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(s, &press);
            QCOMPARE(w().document().undoStack().count(), steps);
        }
        QCOMPARE(s->value(), start - 6);
        w().document().undoStack().undo();
        QCOMPARE(w().document().undoStack().undoText(),
                 QStringLiteral("Fi map TH 1 NE 5: +1% \u2192 +6%"));
    }

    void keyAndWheelEdit() {
        for (GraphKind kind : {GraphKind::Fi, GraphKind::Ig, GraphKind::Ru}) {
            w().selectView(ViewOf[at(kind)]);
            const int stored = table(kind, 1, 5).first;
            QTest::mouseClick(value(kind, 5), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), slider(kind, 5));
            QCOMPARE(backgroundOf(value(kind, 5)), LightYellow);
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Up);
            QCOMPARE(table(kind, 1, 5).first, (stored + 1) % 256);

            // The wheel over another slider takes the focus there and edits too.
            GraphSlider *s = slider(kind, 7);
            const int position = s->value();
            const QPointF point(s->width() / 2.0, s->knobCentreY() - s->y());
            QWheelEvent wheel(point, s->mapToGlobal(point), {}, {0, -120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(s, &wheel);
            QCOMPARE(QApplication::focusWidget(), s);
            QCOMPARE(backgroundOf(value(kind, 5)), buttonFaceColour());
            QVERIFY(s->value() != position);
            QCOMPARE(value(kind, 7)->text(), table(kind, 1, 7).second);
            // Once the focus has left, a change of the slider is no edit.
            focus(m_f.find("Combo1"));
            QCOMPARE(backgroundOf(value(kind, 7)), buttonFaceColour());
            const EcuImage left = w().document().image();
            s->setValue(s->value() == 0 ? 1 : 0);
            QCOMPARE(w().document().image(), left);
        }
    }

    void ruAllChangeSetsEveryPointOrNothing_data() {
        QTest::addColumn<RuCase>("c");
        const int none = 0, enter = Qt::Key_Return, escape = Qt::Key_Escape, click = 0;
        const RuCase cases[] = {
            {"Enter at once", none, "Slider1", enter, 0, "0%"},
            {"top, Enter on Enter Key", Qt::Key_Home, "Command1", enter, 0x0F, "+15%"},
            {"bottom", Qt::Key_End, "Slider1", enter, 0xF1, "-15%"},
            {"page up, Escape", Qt::Key_PageUp, "Slider1", escape, -1, "+15%"},
            {"one up", Qt::Key_Up, "Slider1", enter, 1, "+1%"},
            {"Cancel Key", Qt::Key_End, "Command2", click, -1, "-15%"},
            {"Enter on Cancel Key", Qt::Key_End, "Command2", enter, -1, "-15%"},
        };
        for (const RuCase &c : cases)
            QTest::newRow(c.name) << c;
    }

    // "All data change" of the RU view.
    void ruAllChangeSetsEveryPointOrNothing() {
        QFETCH(RuCase, c);
        const int byte = c.byte;
        const QString text = QLatin1String(c.text);
        // After an ECU read "Data Read" and "Data Write" may be off; closing turns them on.
        m_f.find("Command3")->setEnabled(false);
        m_f.find("Command7")->setEnabled(false);
        const EcuImage before = w().document().image();
        w().selectView(ViewPosition::RuMap);
        m_f.click("Command8");
        QPointer<RuAllChangeDialog> dialog = w().findChild<RuAllChangeDialog *>();
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("Form6"));
        QVERIFY(!w().isMainWindowEnabled());
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("RU Map\nData\nAll Change"));
        for (auto [box, shown] : {std::pair{"Text2", " 15%"}, std::pair{"Text3", "-15%"}})
            QCOMPARE(dialog->findChild<QLineEdit *>(QLatin1String(box))->text(),
                     QLatin1String(shown));
        // At the window's left, inside its frame.
        QCOMPARE(dialog->mapToGlobal(QPoint()).x(), w().geometry().left());
        QCOMPARE(dialog->slider()->value(), 15);
        if (c.key != 0)
            QTest::keyClick(dialog->slider(), static_cast<Qt::Key>(c.key));
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label1"))->text(), text);
        closeWith(dialog, c.closeOn, c.closeKey);
        QVERIFY(dialog.isNull());
        QVERIFY(w().isMainWindowEnabled());
        QCOMPARE(w().focusWidget(), slider(GraphKind::Ru, 1));
        QCOMPARE(m_f.enabledAmong("Command3 Command7"), QStringLiteral("Command3 Command7"));

        QList<int> ru;
        for (int i = 1; i <= RuPoints && byte >= 0; ++i)
            ru << ruMapOffset(i) << byte;
        QCOMPARE(w().document().image(), withBytes(before, ru));
        for (int i = 1; i <= 16; ++i) {
            const auto [stored, shown] = table(GraphKind::Ru, 1, i);
            QCOMPARE(value(GraphKind::Ru, i)->text(), byte >= 0 ? text : shown);
            QCOMPARE(slider(GraphKind::Ru, i)->value(), ruSliderPosition(std::uint8_t(stored)));
        }
        if (byte >= 0)
            QCOMPARE(line(GraphKind::Ru, 15).y2(),
                     knobTwips(GraphKind::Ru, ruSliderPosition(std::uint8_t(byte))));
    }
};

QTEST_MAIN(TestGraphView)
#include "test_graph_view.moc"
