// The edit dialogs as the mechanic meets them: what each edit stores, where each dialog stands
// and how it looks over its view, and the keys.

#include "common/colours.h"
#include "common/twips.h"
#include "dialogs/band_slider.h"
#include "dialogs/map_cell_editor.h"
#include "document/change_cells.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

// How a row closes its dialog: a key on one of its controls, or a click (key 0).
struct Close {
    const char *on;
    int key;
};
const Close Return{"Slider1", Qt::Key_Return}, KeypadEnter{"Slider1", Qt::Key_Enter},
    Escape{"Slider1", Qt::Key_Escape}, EnterKey{"Command1", 0}, CancelKey{"Command2", 0},
    EnterOnEnterKey{"Command1", Qt::Key_Return}, KeypadOnEnterKey{"Command1", Qt::Key_Enter},
    EnterOnCancelKey{"Command2", Qt::Key_Return};

bool isCell(const QString &target) {
    return target.startsWith(QStringLiteral("Label6(")) ||
           target.startsWith(QStringLiteral("Label_IG6("));
}

// The labels that show the value while the dialog of the target is open: axis labels have a
// twin in the IG grid (Label7(i) / Label_IG7(i), Label8(i) / Label_IG8(i)); the whole-map and
// RU dialogs show their value only in themselves.
QStringList labelsOf(const QString &target) {
    if (target.startsWith(QStringLiteral("Command")))
        return {};
    if (!target.startsWith(QStringLiteral("Label7(")) &&
        !target.startsWith(QStringLiteral("Label8(")))
        return {target};
    return {target, QString(target).insert(5, QStringLiteral("_IG"))};
}

struct EditCase {
    const char *name;
    const char *target;
    QList<int> preset; // image bytes as a file brings them: offset, value, offset, value ...
    int dragTo;        // -1: no drag
    int key;           // 0: no key
    int bandStart, bandLength; // band length -1: no band, the slider disabled (no band: cells)
    int position;
    const char *text;
    Close close;
    int offset, stored; // stored -1: nothing stored
};

// Keys that move the sliders.
constexpr int Up = Qt::Key_Up, Down = Qt::Key_Down, PgUp = Qt::Key_PageUp,
              PgDown = Qt::Key_PageDown, Home = Qt::Key_Home, End = Qt::Key_End,
              Right = Qt::Key_Right;

} // namespace

Q_DECLARE_METATYPE(EditCase)

class TestEditDialogs : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    // Loads image bytes as a file would bring them, with both grids shown once.
    void load(const QList<int> &preset) {
        m_f.loadBytes(preset);
        m_f.window->selectView(ViewPosition::IgNumeric);
        m_f.window->selectView(ViewPosition::FiNumeric);
    }

    // Shows the view of the target and clicks it.
    EditDialog *open(const QString &target) {
        const std::pair<const char *, ViewPosition> views[] = {
            {"Label_IG", ViewPosition::IgNumeric},  {"Command_IG6", ViewPosition::IgNumeric},
            {"Command8", ViewPosition::RuMap},      {"Label14", ViewPosition::ShiftTiming},
            {"Lbl_PITroad", ViewPosition::PitRoad}, {"Lbl_IdleNe", ViewPosition::IdleNe}};
        m_f.window->selectView(ViewPosition::FiNumeric);
        for (const auto &[prefix, view] : views) {
            if (target.startsWith(QLatin1String(prefix)))
                m_f.window->selectView(view);
        }
        m_f.click(target);
        return m_f.window->findChild<EditDialog *>();
    }

    // The value labels are bold anyway; axis labels only while their editor is open.
    void checkLabels(const QString &target, const QString &text, bool bold) {
        const QStringList names = labelsOf(target);
        for (const QString &name : names) {
            QCOMPARE(m_f.text(name), text);
            if (names.size() > 1)
                QCOMPARE(m_f.find<QLabel>(name)->font().bold(), bold);
        }
    }

private slots:
    void init() { QVERIFY(m_f.restartWithSample()); }
    void cleanup() { m_f.close(); }

    void edits_data() {
        QTest::addColumn<EditCase>("c");
        // Sample: NE 1400, 2500, 3500 ... 16500; TH 0, 5, 10, 15, 20, 30 ... 100; shift 140,
        // pit 60, idle 8.
        const char *ne5 = "Label7(5)", *th5 = "Label8(5)", *shift = "Label14", *idle = "Lbl_IdleNe";
        const char *fi20 = "Label6(20)", *ig20 = "Label_IG6(20)";
        const int fi = fiCellOffset(20), ig = igCellOffset(20);
        const QList<int> asIs, fi100{fi, 100}, fi50{fi, 50}, ig0{ig, 0};
        const QList<int> ne100to110{387, 100, 388, 105, 389, 110};
        const QList<int> ne100to102{384, 100, 385, 101, 386, 102};
        const QList<int> neAboveLast{396, 90, 397, 100, 398, 110, 399, 50};
        const QList<int> neNoRoom{388, 100, 389, 100, 390, 101};
        const QList<int> neReversed{388, 110, 389, 105, 390, 100};
        const QList<int> th20to40{403, 20, 404, 30, 405, 40}, thNoRoom{404, 20, 405, 21, 406, 21};
        const QList<int> shift120{430, 120}, pit0{428, 0};
        const QList<int> idle3{432, 3}, idle8{432, 8}, idle12{432, 12};
        const EditCase cases[] = {
            {"Fi one up, Enter on Enter Key", fi20, fi100, -1, Up, 0, 0, 29, "+1%", EnterOnEnterKey,
             fi, 101},
            {"Fi page up", fi20, fi100, -1, PgUp, 0, 0, 25, "+5%", Return, fi, 105},
            {"Fi 50 stops at the bottom", fi20, fi50, -1, 0, 0, 0, 60, "-30%", EnterKey, fi, 70},
            {"Fi Enter on Cancel Key keeps the cell", "Label6(30)", asIs, -1, End, 0, 0, 60, "-30%",
             EnterOnCancelKey, 0, -1},
            {"IG one down, Escape keeps the cell", ig20, ig0, -1, Down, 0, 0, 4, "-1deg", Escape,
             ig, -1},
            {"IG one down, keypad Enter", ig20, ig0, -1, Down, 0, 0, 4, "-1deg", KeypadEnter, ig,
             255},
            {"IG bottom", ig20, ig0, -1, End, 0, 0, 23, "-20deg", EnterKey, ig, 236},
            {"NE dragged to 115 snaps to 109", ne5, ne100to110, 115, 0, 101, 8, 109, "10900",
             Return, 388, 109},
            {"NE dragged to 90 gives 101", ne5, ne100to110, 90, 0, 101, 8, 101, "10100", EnterKey,
             388, 101},
            {"NE 100..102 holds only 101", "Label7(2)", ne100to102, 150, 0, 101, 0, 101, "10100",
             Return, 385, 101},
            {"NE scale reaches a band above the last point", "Label7(14)", neAboveLast, 108, 0, 91,
             18, 108, "10800", EnterKey, 397, 108},
            {"NE neighbours 1 apart keep the value, Enter on Enter Key", "Label7(6)", neNoRoom, -1,
             0, 0, -1, 100, "10000", EnterOnEnterKey, 389, 100},
            {"NE neighbours reversed keep the value", "Label7(6)", neReversed, -1, 0, 0, -1, 105,
             "10500", EnterKey, 389, 105},
            {"NE Enter on Cancel Key restores the text", "Label7(7)", asIs, -1, End, 66, 18, 84,
             "8400", EnterOnCancelKey, 390, -1},
            {"TH 30 between 20 and 40 at position 70, keypad Enter on Enter Key", th5, th20to40, -1,
             0, 61, 18, 70, "30", KeypadOnEnterKey, 404, 30},
            {"TH dragged to the top stops at 39", th5, th20to40, 0, 0, 61, 18, 61, "39", EnterKey,
             404, 39},
            {"TH Up raises the throttle", th5, th20to40, -1, Up, 61, 18, 69, "31", Return, 404, 31},
            {"TH neighbours 1 apart keep the value", "Label8(6)", thNoRoom, -1, 0, 0, -1, 79, "21",
             EnterKey, 405, 21},
            {"TH Escape restores the text", "Label8(8)", asIs, -1, Home, 41, 18, 41, "59", Escape,
             407, -1},
            {"shift 120 starts at 12000", shift, shift120, -1, 0, 100, 80, 120, "12000", EnterKey,
             430, 120},
            {"shift dragged to 90 snaps to 100", shift, shift120, 90, 0, 100, 80, 100, "10000",
             Return, 430, 100},
            {"shift Enter on Cancel Key restores the text", shift, asIs, -1, End, 100, 80, 180,
             "18000", EnterOnCancelKey, 430, -1},
            {"pit 0 shows 0 and keeps it", "Lbl_PITroad", pit0, -1, 0, 0, 180, 0, "0", EnterKey,
             428, 0},
            {"idle one step up stores 9, Enter on Enter Key", idle, idle8, -1, Right, 14, 16, 18,
             "1800", EnterOnEnterKey, 432, 9},
            {"idle 3 opens at 14 and stores 7", idle, idle3, -1, 0, 14, 16, 14, "1400", EnterKey,
             432, 7},
            {"idle dragged above the band stops at 30", idle, idle8, 40, 0, 14, 16, 30, "3000",
             EnterKey, 432, 15},
            {"idle odd position goes back towards the last value", idle, idle8, 21, 0, 14, 16, 20,
             "2000", Return, 432, 10},
            {"idle page down from 24 ends at 20", idle, idle12, -1, PgDown, 14, 16, 20, "2000",
             EnterKey, 432, 10},
            {"idle Cancel restores the text", idle, asIs, -1, End, 14, 16, 30, "3000", CancelKey,
             432, -1},
        };
        for (const EditCase &c : cases)
            QTest::newRow(c.name) << c;
    }

    void edits() {
        QFETCH(EditCase, c);
        const QString target = QLatin1String(c.target);
        const QString text = QLatin1String(c.text);
        const bool cell = isCell(target);
        load(c.preset);
        const EcuImage before = m_f.window->document().image();
        const QString oldText = m_f.text(target);
        QPointer<EditDialog> editor = open(target);
        QVERIFY(editor);
        if (cell)
            QCOMPARE(editor->objectName(), target.contains(QStringLiteral("IG"))
                                               ? QStringLiteral("Form2_IGMAP")
                                               : QStringLiteral("Form2"));
        QVERIFY(!m_f.window->isMainWindowEnabled());
        auto *slider = editor->findChild<QSlider *>(QStringLiteral("Slider1"));
        QCOMPARE(slider->isEnabled(), c.bandLength >= 0);
        // The keys go to the dialog: to its slider, or to "Enter Key" where there is no choice.
        QCOMPARE(QApplication::focusWidget(),
                 slider->isEnabled() ? slider
                                     : editor->findChild<QWidget *>(QStringLiteral("Command1")));
        if (auto *band = qobject_cast<BandSlider *>(slider)) {
            QCOMPARE(band->hasSelection(), c.bandLength >= 0);
            if (c.bandLength >= 0) {
                QCOMPARE(band->selectionStart(), c.bandStart);
                QCOMPARE(band->selectionLength(), c.bandLength);
            }
        }
        if (c.dragTo >= 0) {
            slider->setSliderDown(true);
            slider->setSliderPosition(c.dragTo);
            slider->setSliderDown(false);
        }
        if (c.key != 0)
            QTest::keyClick(slider, static_cast<Qt::Key>(c.key));
        QCOMPARE(slider->value(), c.position);
        // A cell keeps its text and is marked until Enter; the dialog shows the value.
        if (cell) {
            QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Label1"))->text(), text);
            QCOMPARE(backgroundOf(m_f.find(target)), buttonFaceColour());
        }
        checkLabels(target, cell ? oldText : text, true);
        QCOMPARE(m_f.window->document().image(), before);

        closeWith(editor, c.close.on, c.close.key);
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());
        checkLabels(target, c.stored < 0 ? oldText : text, false);
        if (cell)
            QCOMPARE(backgroundOf(m_f.find(target)), LightYellow);

        const EcuImage &after = m_f.window->document().image();
        QCOMPARE(after, c.stored < 0 ? before : withBytes(before, {c.offset, c.stored}));
        // The keys are the edited view's again: Ctrl+Z takes the edit back.
        QWidget *view = m_f.find(target)->parentWidget();
        QCOMPARE(m_f.window->focusWidget(), view);
        QVERIFY(QTest::qWaitForWindowActive(m_f.window.get()));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_f.window->document().image(), before);

        QList<ToldMessage> told; // an axis point tells what its change does to the maps
        if (labelsOf(target).size() > 1 && c.stored >= 0)
            told << ToldMessage{target.startsWith(QStringLiteral("Label7"))
                                    ? QStringLiteral("Attention! Change of NE position, changes "
                                                     "all FI map, IG map, and RU map.")
                                    : QStringLiteral("Attention! Change of a TH position, changes "
                                                     "both FI map and IG map."),
                                MessageIcon::Exclamation};
        QCOMPARE(m_f.op.messages, told);
    }

    // Only the Fi grid's inner axis points open an editor: not the ends, the titles or the IG
    // grid's axes. Escape leaves the dialogs of the speeds and axis points open, and the rest of
    // the window takes nothing meanwhile: no undo, no other editor, no closing.
    void axisEndsOpenNothingAndEscapeLeavesForm3Open() {
        // A step to undo, saved: nothing would keep the window from closing.
        (void)m_f.window->document().apply(changeCell(MapKind::Fi, 1, 90));
        m_f.window->document().undoStack().setClean();
        for (const char *target : {"Label7(1)", "Label7(16)", "Label7(17)", "Label8(1)",
                                   "Label8(11)", "Label8(12)", "Label_IG7(5)", "Label_IG8(5)"}) {
            QCOMPARE(open(QLatin1String(target)), nullptr);
            QVERIFY(m_f.find(QLatin1String(target))->isVisible());
            QVERIFY(m_f.window->isMainWindowEnabled());
        }
        for (const char *target : {"Label7(4)", "Lbl_PITroad"}) {
            QPointer<EditDialog> editor = open(QLatin1String(target));
            closeWith(editor, "Slider1", Qt::Key_Escape);
            QVERIFY(editor);
            QVERIFY(!m_f.window->isMainWindowEnabled());
            QTest::keyClick(editor->findChild<QSlider *>(), Qt::Key_Z, Qt::ControlModifier);
            m_f.click("Label6(30)");
            QVERIFY(!m_f.window->close());
            QCOMPARE(m_f.window->document().undoStack().index(), 1);
            QCOMPARE(m_f.window->findChildren<EditDialog *>().size(), 1);
            closeWith(editor, "Command2", 0);
        }
    }

    void dialogsShowWhatTheyEdit_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("low"); // the window reaching below the screen
        for (const char *target :
             {"Label6(1)", "Label6(46)", "Label6(175)", "Label6(176)", "Label_IG6(65)", "Command6",
              "Command_IG6", "Label14", "Lbl_PITroad", "Lbl_IdleNe", "Command8"})
            QTest::newRow(target) << QString::fromLatin1(target) << false;
        for (int i = 2; i <= 15; ++i)
            QTest::addRow("Label7(%d)", i) << QStringLiteral("Label7(%1)").arg(i) << false;
        for (int i = 2; i <= 10; ++i)
            QTest::addRow("Label8(%d)", i) << QStringLiteral("Label8(%1)").arg(i) << false;
        QTest::newRow("Label7(5), window low") << QStringLiteral("Label7(5)") << true;
    }

    // The value being chosen shows uncovered and at full contrast; every text is whole, in the
    // window's font; the dialog has an edge; a vertical slider fills from the bottom.
    void dialogsShowWhatTheyEdit() {
        QFETCH(QString, target);
        QFETCH(bool, low);
        const QRect screen = m_f.window->screen()->availableGeometry();
        if (low)
            m_f.window->move(m_f.window->x(), screen.bottom() - m_f.window->height() + 200);
        EditDialog *dialog = open(target);
        const auto onScreen = [](const QWidget *w) {
            return QRect(w->mapToGlobal(QPoint()), w->size());
        };
        const QRect own = onScreen(dialog);
        const QRect main = m_f.window->frameGeometry();
        for (const QString &name : labelsOf(target)) {
            QWidget *label = m_f.find(name);
            QVERIFY2(!own.intersects(onScreen(label)), qPrintable(name));
            QVERIFY(!label->isEnabled());
            QVERIFY2(darkest(label) < 64, qPrintable(name));
        }
        // Cell editors open beside the cell, on its left in the last NE column.
        if (isCell(target)) {
            const QRect cell = onScreen(m_f.find(target));
            QVERIFY(target.endsWith(QStringLiteral("6(176)")) ? own.right() < cell.left()
                                                              : own.left() > cell.right());
        }
        // The NE editor ends on the screen, or stands above the labels where the screen ends
        // below them.
        if (target.startsWith(QStringLiteral("Label7")))
            QVERIFY(own.bottom() <= screen.bottom() ||
                    own.bottom() < onScreen(m_f.find(target)).top());
        if (dialog->objectName() == QStringLiteral("Form4"))
            QCOMPARE(own.left(), main.left() + twipsToPixelsX(1400));
        else if (dialog->objectName().startsWith(QStringLiteral("Form3")))
            QVERIFY(qAbs((own.left() - screen.left()) - (screen.right() - own.right())) <= 1);

        const QString family = QFontInfo(m_f.window->font()).family();
        for (QWidget *child : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const auto *label = qobject_cast<QLabel *>(child);
            const auto *box = qobject_cast<QLineEdit *>(child);
            const auto *button = qobject_cast<QPushButton *>(child);
            if (!label && !box && !button)
                continue;
            const QString text = label ? label->text() : box ? box->text() : button->text();
            const int margin = label ? label->margin() : 0;
            const QRect room =
                child->contentsRect() - (label ? QMargins(margin, margin, margin, margin)
                                         : box ? QMargins(2, 1, 2, 1)
                                               : QMargins(2, 2, 2, 2));
            const QFontMetricsF metrics(child->font());
            const QStringList lines = text.split(QLatin1Char('\n'));
            for (const QString &line : lines)
                QVERIFY2(metrics.horizontalAdvance(line) <= room.width(), qPrintable(line));
            QVERIFY2(lines.size() * metrics.lineSpacing() <= room.height(), qPrintable(text));
            QCOMPARE(QFontInfo(child->font()).family(), family);
        }

        const QImage shown = dialog->grab().toImage();
        const QRgb edge = dialog->palette().color(QPalette::Dark).rgb();
        const int right = shown.width() - 1, bottom = shown.height() - 1;
        QCOMPARE(pixelsWhere(shown,
                             [&](int x, int y, QColor c) {
                                 return (x == 0 || y == 0 || x == right || y == bottom) &&
                                        c.rgb() != edge;
                             }),
                 0);

        auto *slider = dialog->findChild<QSlider *>(QStringLiteral("Slider1"));
        const QImage groove = slider->grab().toImage();
        // Pixels of strong colour in the row at that height of the slider.
        const auto colouredAt = [&groove](int percent, int saturation) {
            return pixelsWhere(groove, [&](int, int y, QColor c) {
                return y == groove.height() * percent / 100 && c.saturation() >= saturation;
            });
        };
        if (auto *band = qobject_cast<BandSlider *>(slider); band && band->hasSelection()) {
            QVERIFY2(pixelsWhere(groove, [](int, int,
                                            QColor c) { return c == BandSlider::BandColour; }) > 0,
                     "the band is painted");
        } else if (slider->orientation() == Qt::Vertical) {
            // The coloured fill lies between the bottom and the knob, none above the knob.
            QVERIFY(colouredAt(92, 101) > 0);
            QCOMPARE(colouredAt(8, 50), 0);
        }
    }

    // Escape changes nothing; then Fi moved down five steps and "Enter Key", IG unmoved and
    // keypad Enter on the slider.
    void wholeMapSetsEveryCellOrNone() {
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const bool fi = kind == MapKind::Fi;
            const QString command = fi ? QStringLiteral("Command6") : QStringLiteral("Command_IG6");
            QPointer<EditDialog> editor = open(command);
            QTest::keyClick(editor->findChild<QSlider *>(), Qt::Key_Up);
            closeWith(editor, "Slider1", Qt::Key_Escape);
            QVERIFY(editor.isNull());
            QCOMPARE(m_f.window->document().undoStack().count(), fi ? 0 : 1);
            editor = open(command);
            auto *slider = editor->findChild<QSlider *>(QStringLiteral("Slider1"));
            QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Text1"))->text(),
                     fi ? QStringLiteral("Fi Map\nAll area \nData Change")
                        : QStringLiteral("IG Map\nAll area \nData Change"));
            QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                     fi ? QStringLiteral("0%") : QStringLiteral("0deg"));
            for (int i = 0; fi && i < 5; ++i)
                QTest::keyClick(slider, Qt::Key_Down);
            closeWith(editor, fi ? "Command1" : "Slider1", fi ? 0 : int(Qt::Key_Enter));
            QVERIFY(editor.isNull());
            const QString cell =
                fi ? QStringLiteral("Label6(%1)") : QStringLiteral("Label_IG6(%1)");
            for (int k = 1; k <= MapCells; ++k)
                QCOMPARE(m_f.text(cell.arg(k)),
                         fi ? QStringLiteral("-5%") : QStringLiteral("0deg"));
            QCOMPARE(m_f.window->focusWidget(), m_f.find(command)->parentWidget());
        }
    }

    // After an ECU read "Data Write" is off; closing the editor turns it on again.
    void titleNamesTheCellAndClosingHandsBackTheCommands() {
        m_f.find("Command3")->setEnabled(false);
        m_f.find<QAction>("mnuData(2)")->setEnabled(false);
        EditDialog *editor = open(QStringLiteral("Label_IG6(46)"));
        QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("TH Position\n: 3\nNE Position\n: 14"));
        closeWith(editor, "Slider1", Qt::Key_Escape);
        QCOMPARE(m_f.enabledAmong("Command3 mnuData(2)"), QStringLiteral("Command3 mnuData(2)"));
    }

    // Only the left button drags, and only as far as the window's edge: the dialog is a panel
    // inside it.
    void dragsOnlyWithTheLeftButtonWithinTheWindow() {
        EditDialog *editor = open(QStringLiteral("Label6(3)"));
        const auto drag = [editor](Qt::MouseButton button, QPoint by) {
            const QPoint at(5, 5);
            QMouseEvent press(QEvent::MouseButtonPress, at, editor->mapToGlobal(at), button, button,
                              Qt::NoModifier);
            QApplication::sendEvent(editor, &press);
            QMouseEvent move(QEvent::MouseMove, at + by, editor->mapToGlobal(at + by), Qt::NoButton,
                             button, Qt::NoModifier);
            QApplication::sendEvent(editor, &move);
        };
        const QPoint start = editor->pos();
        drag(Qt::RightButton, {20, -40});
        QCOMPARE(editor->pos(), start);
        drag(Qt::LeftButton, {20, -40});
        QCOMPARE(editor->pos(), start + QPoint(20, -40));
        drag(Qt::LeftButton, {-5000, 5000});
        QCOMPARE(editor->pos(), QPoint(0, m_f.window->height() - editor->height()));
        // A window made smaller keeps it inside too.
        m_f.window->setMinimumSize(1, 1);
        m_f.window->resize(m_f.window->width(), m_f.window->height() - 100);
        QCOMPARE(editor->pos(), QPoint(0, m_f.window->height() - editor->height()));
    }
};

QTEST_MAIN(TestEditDialogs)
#include "test_edit_dialogs.moc"
