// The edit dialogs as the mechanic meets them: what each edit stores, where each dialog stands
// and how it looks over its view, and the keys.

#include "dialogs/band_slider.h"
#include "dialogs/map_cell_editor.h"
#include "image/hexdata_conv.h"
#include "main/colours.h"
#include "main/twips.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

enum Finish { Return, EnterKey, CancelKey };

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
    const char *target;
    QList<int> preset; // image bytes as a file brings them: offset, value, offset, value ...
    int dragTo;        // -1: no drag
    int key;           // 0: no key
    int bandStart, bandLength; // band length -1: no band, the slider disabled (no band: cells)
    int position;
    const char *text;
    Finish finish;
    int offset, stored; // stored -1: nothing stored
};

struct KeyCase {
    const char *target;
    QList<int> preset;
    const char *on; // the control that gets the key
    int key;
    char outcome; // 'E' entered, 'C' cancelled, 'O' still open
};

} // namespace

Q_DECLARE_METATYPE(EditCase)
Q_DECLARE_METATYPE(KeyCase)

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
            {"Label_IG6", ViewPosition::IgNumeric}, {"Command_IG6", ViewPosition::IgNumeric},
            {"Command8", ViewPosition::RuMap},      {"Label14", ViewPosition::ShiftTiming},
            {"Lbl_PITroad", ViewPosition::PitRoad}, {"Lbl_IdleNe", ViewPosition::IdleNe}};
        m_f.window->selectView(ViewPosition::FiNumeric);
        for (const auto &[prefix, view] : views) {
            if (target.startsWith(QLatin1String(prefix)))
                m_f.window->selectView(view);
        }
        QTest::mouseClick(m_f.find(target), Qt::LeftButton);
        return m_f.window->findChild<EditDialog *>();
    }

    // The value labels are bold anyway; axis labels only while their editor is open.
    void checkLabels(const QString &target, const QString &text, bool bold) {
        const QStringList names = labelsOf(target);
        for (const QString &name : names) {
            QCOMPARE(m_f.find<QLabel>(name)->text(), text);
            if (names.size() > 1)
                QCOMPARE(m_f.find<QLabel>(name)->font().bold(), bold);
        }
    }

private slots:
    void init() {
        m_f.window.reset();
        m_f.op.messages.clear();
        m_f.startWithSample();
    }

    void cleanup() {
        m_f.window.reset();
        flushDeletes();
    }

    void edits_data() {
        QTest::addColumn<EditCase>("c");
        // Sample: NE 1400, 2500, 3500 ... 16500; TH 0, 5, 10, 15, 20, 30 ... 100; shift 140,
        // pit 60, idle 8.
        const QList<int> ne100to110{387, 100, 388, 105, 389, 110};
        const QList<int> th20to40{403, 20, 404, 30, 405, 40};
        const QList<int> ne100to102{384, 100, 385, 101, 386, 102};
        const QList<int> neAboveLast{396, 90, 397, 100, 398, 110, 399, 50};
        const QList<int> neNoRoom{388, 100, 389, 100, 390, 101};
        const QList<int> neReversed{388, 110, 389, 105, 390, 100};
        const char *ne5 = "Label7(5)", *th5 = "Label8(5)", *idle = "Lbl_IdleNe";
        const char *fi20 = "Label6(20)", *ig20 = "Label_IG6(20)";
        const int fi = fiCellOffset(20), ig = igCellOffset(20);
        QTest::newRow("Fi 100 at 30")
            << EditCase{fi20, {fi, 100}, -1, 0, 0, 0, 30, "0%", Return, fi, 100};
        QTest::newRow("Fi one up")
            << EditCase{fi20, {fi, 100}, -1, Qt::Key_Up, 0, 0, 29, "+1%", EnterKey, fi, 101};
        QTest::newRow("Fi page up")
            << EditCase{fi20, {fi, 100}, -1, Qt::Key_PageUp, 0, 0, 25, "+5%", Return, fi, 105};
        QTest::newRow("Fi 50 stops at the bottom")
            << EditCase{fi20, {fi, 50}, -1, 0, 0, 0, 60, "-30%", EnterKey, fi, 70};
        QTest::newRow("Fi cell 0 at offset 192")
            << EditCase{"Label6(1)", {}, -1, Qt::Key_Home, 0, 0, 0, "+30%", Return, 192, 130};
        QTest::newRow("Fi cell 112 at offset 320")
            << EditCase{"Label6(113)", {}, -1, Qt::Key_Home, 0, 0, 0, "+30%", EnterKey, 320, 130};
        QTest::newRow("Fi Cancel Key keeps the cell")
            << EditCase{"Label6(30)", {}, -1, Qt::Key_End, 0, 0, 60, "-30%", CancelKey, 0, -1};
        QTest::newRow("IG 0 at 3, Cancel Key")
            << EditCase{ig20, {ig, 0}, -1, 0, 0, 0, 3, "0deg", CancelKey, ig, -1};
        QTest::newRow("IG one down")
            << EditCase{ig20, {ig, 0}, -1, Qt::Key_Down, 0, 0, 4, "-1deg", Return, ig, 255};
        QTest::newRow("IG bottom")
            << EditCase{ig20, {ig, 0}, -1, Qt::Key_End, 0, 0, 23, "-20deg", EnterKey, ig, 236};
        QTest::newRow("IG +10 stops at the top")
            << EditCase{ig20, {ig, 10}, -1, 0, 0, 0, 0, "+3deg", Return, ig, 3};
        QTest::newRow("IG cell 64 at offset 80")
            << EditCase{"Label_IG6(65)", {}, -1, Qt::Key_Home, 0, 0, 0, "+3deg", Return, 80, 3};
        QTest::newRow("NE dragged to 115 snaps to 109")
            << EditCase{ne5, ne100to110, 115, 0, 101, 8, 109, "10900", Return, 388, 109};
        QTest::newRow("NE dragged to 90 gives 101")
            << EditCase{ne5, ne100to110, 90, 0, 101, 8, 101, "10100", EnterKey, 388, 101};
        QTest::newRow("NE 100..102 holds only 101")
            << EditCase{"Label7(2)", ne100to102, 150, 0, 101, 0, 101, "10100", Return, 385, 101};
        QTest::newRow("NE scale reaches a band above the last point") << EditCase{
            "Label7(14)", neAboveLast, 108, 0, 91, 18, 108, "10800", EnterKey, 397, 108};
        QTest::newRow("NE neighbours 1 apart keep the value")
            << EditCase{"Label7(6)", neNoRoom, -1, 0, 0, -1, 100, "10000", EnterKey, 389, 100};
        QTest::newRow("NE neighbours reversed keep the value")
            << EditCase{"Label7(6)", neReversed, -1, 0, 0, -1, 105, "10500", EnterKey, 389, 105};
        QTest::newRow("NE Cancel restores the text")
            << EditCase{"Label7(7)", {}, -1, Qt::Key_End, 66, 18, 84, "8400", CancelKey, 390, -1};
        QTest::newRow("TH 30 between 20 and 40 at position 70")
            << EditCase{th5, th20to40, -1, 0, 61, 18, 70, "30", Return, 404, 30};
        QTest::newRow("TH dragged to the top stops at 39")
            << EditCase{th5, th20to40, 0, 0, 61, 18, 61, "39", EnterKey, 404, 39};
        QTest::newRow("TH Up raises the throttle")
            << EditCase{th5, th20to40, -1, Qt::Key_Up, 61, 18, 69, "31", Return, 404, 31};
        QTest::newRow("TH neighbours 1 apart keep the value") << EditCase{
            "Label8(6)", {404, 20, 405, 21, 406, 21}, -1, 0, 0, -1, 79, "21", EnterKey, 405, 21};
        QTest::newRow("TH Cancel restores the text")
            << EditCase{"Label8(8)", {}, -1, Qt::Key_Home, 41, 18, 41, "59", CancelKey, 407, -1};
        QTest::newRow("shift 120 starts at 12000")
            << EditCase{"Label14", {430, 120}, -1, 0, 100, 80, 120, "12000", EnterKey, 430, 120};
        QTest::newRow("shift dragged to 90 snaps to 100")
            << EditCase{"Label14", {430, 120}, 90, 0, 100, 80, 100, "10000", Return, 430, 100};
        QTest::newRow("shift Cancel restores the text")
            << EditCase{"Label14", {}, -1, Qt::Key_End, 100, 80, 180, "18000", CancelKey, 430, -1};
        QTest::newRow("pit 0 shows 0 and keeps it")
            << EditCase{"Lbl_PITroad", {428, 0}, -1, 0, 0, 180, 0, "0", EnterKey, 428, 0};
        QTest::newRow("idle 8 starts at 16")
            << EditCase{idle, {432, 8}, -1, 0, 14, 16, 16, "1600", EnterKey, 432, 8};
        QTest::newRow("idle one step up stores 9")
            << EditCase{idle, {432, 8}, -1, Qt::Key_Right, 14, 16, 18, "1800", Return, 432, 9};
        QTest::newRow("idle 3 opens at 14 and stores 7")
            << EditCase{idle, {432, 3}, -1, 0, 14, 16, 14, "1400", EnterKey, 432, 7};
        QTest::newRow("idle dragged above the band stops at 30")
            << EditCase{idle, {432, 8}, 40, 0, 14, 16, 30, "3000", EnterKey, 432, 15};
        QTest::newRow("idle odd position goes back towards the last value")
            << EditCase{idle, {432, 8}, 21, 0, 14, 16, 20, "2000", Return, 432, 10};
        QTest::newRow("idle page down from 24 ends at 20") << EditCase{
            idle, {432, 12}, -1, Qt::Key_PageDown, 14, 16, 20, "2000", EnterKey, 432, 10};
        QTest::newRow("idle Cancel restores the text")
            << EditCase{idle, {}, -1, Qt::Key_End, 14, 16, 30, "3000", CancelKey, 432, -1};
    }

    void edits() {
        QFETCH(EditCase, c);
        const QString target = QLatin1String(c.target);
        const QString text = QLatin1String(c.text);
        const bool cell = isCell(target);
        load(c.preset);
        const EcuData before = m_f.window->document().data();
        const QString oldText = m_f.find<QLabel>(target)->text();
        QPointer<EditDialog> editor = open(target);
        QVERIFY(editor);
        if (cell)
            QCOMPARE(editor->objectName(), target.contains(QStringLiteral("IG"))
                                               ? QStringLiteral("Form2_IGMAP")
                                               : QStringLiteral("Form2"));
        QVERIFY(!m_f.window->isMainWindowEnabled());
        auto *slider = editor->findChild<QSlider *>(QStringLiteral("Slider1"));
        QCOMPARE(slider->isEnabled(), c.bandLength >= 0);
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
        QCOMPARE(m_f.window->state().ValueText, text);
        // A cell keeps its text and is marked until Enter; the dialog shows the value.
        if (cell) {
            QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Label1"))->text(), text);
            QCOMPARE(backgroundOf(m_f.find(target)), buttonFaceColour());
        }
        checkLabels(target, cell ? oldText : text, true);
        QCOMPARE(m_f.window->document().data().image, before.image);

        if (c.finish == Return)
            QTest::keyClick(slider, Qt::Key_Return);
        else
            QTest::mouseClick(editor->findChild<QPushButton *>(c.finish == EnterKey
                                                                   ? QStringLiteral("Command1")
                                                                   : QStringLiteral("Command2")),
                              Qt::LeftButton);
        flushDeletes();
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());
        checkLabels(target, c.stored < 0 ? oldText : text, false);
        if (cell)
            QCOMPARE(backgroundOf(m_f.find(target)), LightYellow);

        const EcuData &after = m_f.window->document().data();
        for (int i = 0; i < EcuImageSize; ++i)
            QCOMPARE(int(after.image.byte(i)),
                     i == c.offset && c.stored >= 0 ? c.stored : int(before.image.byte(i)));
        // Table and text follow the image, as a fresh load of it would show them.
        EcuData reloaded{after.image, {}};
        HEXdata_Conv(reloaded);
        QVERIFY(reloaded.tables == after.tables);

        const bool axis = labelsOf(target).size() > 1;
        QCOMPARE(m_f.op.messages.size(), axis && c.stored >= 0 ? 1 : 0);
        if (!m_f.op.messages.isEmpty()) {
            QCOMPARE(m_f.op.messages.front().icon, MessageIcon::Exclamation);
            QCOMPARE(m_f.op.messages.front().text,
                     target.startsWith(QStringLiteral("Label7"))
                         ? QStringLiteral("Attention! Change of NE position, changes all FI "
                                          "map, IG map, and RU map.")
                         : QStringLiteral("Attention! Change of a TH position, changes both FI "
                                          "map and IG map."));
        }
    }

    void keys_data() {
        QTest::addColumn<KeyCase>("c");
        const int enter = Qt::Key_Return, keypad = Qt::Key_Enter, escape = Qt::Key_Escape;
        const QList<int> noRoom{388, 100, 389, 100, 390, 101};
        QTest::newRow("Form2, Enter on the slider")
            << KeyCase{"Label6(20)", {}, "Slider1", enter, 'E'};
        QTest::newRow("Form2_IGMAP, keypad Enter on the slider")
            << KeyCase{"Label_IG6(20)", {}, "Slider1", keypad, 'E'};
        QTest::newRow("Form2, Enter on Enter Key")
            << KeyCase{"Label6(20)", {}, "Command1", enter, 'E'};
        QTest::newRow("Form2, Enter on Cancel Key")
            << KeyCase{"Label6(20)", {}, "Command2", enter, 'C'};
        QTest::newRow("Form2, Escape") << KeyCase{"Command6", {}, "Slider1", escape, 'C'};
        QTest::newRow("Form2_IGMAP, Escape") << KeyCase{"Label_IG6(5)", {}, "Slider1", escape, 'C'};
        QTest::newRow("Form3 NE, Escape does nothing")
            << KeyCase{"Label7(4)", {}, "Slider1", escape, 'O'};
        QTest::newRow("Form3 NE, Enter on Cancel Key")
            << KeyCase{"Label7(4)", {}, "Command2", enter, 'C'};
        QTest::newRow("Form3 NE without room, Enter on Enter Key")
            << KeyCase{"Label7(6)", noRoom, "Command1", enter, 'E'};
        QTest::newRow("Form4, keypad Enter on Enter Key")
            << KeyCase{"Label8(5)", {}, "Command1", keypad, 'E'};
        QTest::newRow("Form4, Escape") << KeyCase{"Label8(8)", {}, "Slider1", escape, 'C'};
        QTest::newRow("Form3 shift, Enter on Cancel Key")
            << KeyCase{"Label14", {}, "Command2", enter, 'C'};
        QTest::newRow("Form3 pit, Escape does nothing")
            << KeyCase{"Lbl_PITroad", {}, "Slider1", escape, 'O'};
        QTest::newRow("Form3_IDLE, Enter on Enter Key")
            << KeyCase{"Lbl_IdleNe", {}, "Command1", enter, 'E'};
        QTest::newRow("Form6, Enter on Enter Key")
            << KeyCase{"Command8", {}, "Command1", enter, 'E'};
        QTest::newRow("Form6, Enter on Cancel Key")
            << KeyCase{"Command8", {}, "Command2", enter, 'C'};
        QTest::newRow("Form6, Escape") << KeyCase{"Command8", {}, "Slider1", escape, 'C'};
    }

    // Each key moves the value one step first, so that an Enter has something to store.
    void keys() {
        QFETCH(KeyCase, c);
        load(c.preset);
        QPointer<EditDialog> editor = open(QLatin1String(c.target));
        auto *slider = editor->findChild<QSlider *>(QStringLiteral("Slider1"));
        if (slider->isEnabled())
            QTest::keyClick(slider, Qt::Key_Up);
        QWidget *on = editor->findChild<QWidget *>(QLatin1String(c.on));
        on->setFocus();
        QTest::keyClick(on, static_cast<Qt::Key>(c.key));
        flushDeletes();
        const bool stored =
            m_f.window->document().undoStack().count() > 0 || !m_f.op.messages.isEmpty();
        QCOMPARE(editor.isNull(), c.outcome != 'O');
        QCOMPARE(stored, c.outcome == 'E');
        QCOMPARE(m_f.window->isMainWindowEnabled(), c.outcome != 'O');
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
        const QRect own = dialog->frameGeometry();
        const QRect main = m_f.window->frameGeometry();
        const auto onScreen = [](const QWidget *w) {
            return QRect(w->mapToGlobal(QPoint()), w->size());
        };
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
            QString text;
            QRect room = child->contentsRect();
            if (auto *label = qobject_cast<QLabel *>(child)) {
                text = label->text();
                room -=
                    QMargins(label->margin(), label->margin(), label->margin(), label->margin());
            } else if (auto *box = qobject_cast<QLineEdit *>(child)) {
                text = box->text();
                room -= QMargins(2, 1, 2, 1);
            } else if (auto *button = qobject_cast<QPushButton *>(child)) {
                text = button->text();
                room -= QMargins(2, 2, 2, 2);
            } else {
                continue;
            }
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
        int offEdge = 0;
        for (int x = 0; x <= right; ++x)
            offEdge += (shown.pixel(x, 0) != edge) + (shown.pixel(x, bottom) != edge);
        for (int y = 0; y <= bottom; ++y)
            offEdge += (shown.pixel(0, y) != edge) + (shown.pixel(right, y) != edge);
        QCOMPARE(offEdge, 0);

        auto *slider = dialog->findChild<QSlider *>(QStringLiteral("Slider1"));
        const QImage groove = slider->grab().toImage();
        if (auto *band = qobject_cast<BandSlider *>(slider); band && band->hasSelection()) {
            int bandPixels = 0;
            for (int y = 0; y < groove.height(); ++y) {
                for (int x = 0; x < groove.width(); ++x)
                    bandPixels += groove.pixelColor(x, y) == BandSlider::BandColour ? 1 : 0;
            }
            QVERIFY2(bandPixels > 0, "the band is painted");
        } else if (slider->orientation() == Qt::Vertical) {
            // The coloured fill lies between the bottom and the knob, none above the knob.
            const auto colourAt = [&groove](int percent) {
                int most = 0;
                for (int x = 0; x < groove.width(); ++x)
                    most = std::max(
                        most, groove.pixelColor(x, groove.height() * percent / 100).saturation());
                return most;
            };
            QVERIFY(colourAt(92) > 100);
            QVERIFY(colourAt(8) < 50);
        }
    }

    void wholeMapSetsEveryCellAndNothingElse() {
        // Fi moved down five steps and "Enter Key"; IG unmoved and Enter on the slider.
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const bool fi = kind == MapKind::Fi;
            const EcuImage before = m_f.window->document().data().image;
            QPointer<EditDialog> editor =
                open(fi ? QStringLiteral("Command6") : QStringLiteral("Command_IG6"));
            auto *slider = editor->findChild<QSlider *>(QStringLiteral("Slider1"));
            QCOMPARE(int(m_f.window->state().MapEditMode), 2);
            QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                     fi ? QStringLiteral("0%") : QStringLiteral("0deg"));
            if (fi) {
                for (int i = 0; i < 5; ++i)
                    QTest::keyClick(slider, Qt::Key_Down);
                QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command1")),
                                  Qt::LeftButton);
            } else {
                QTest::keyClick(slider, Qt::Key_Enter);
            }
            flushDeletes();
            QVERIFY(editor.isNull());
            const EcuImage &image = m_f.window->document().data().image;
            for (int i = 0; i < EcuImageSize; ++i) {
                const int cell = fi ? fiCellAtOffset(i) : igCellAtOffset(i);
                QCOMPARE(int(image.byte(i)), cell == 0 ? before.byte(i) : fi ? 95 : 0);
            }
            for (int k = 1; k <= MapCells; ++k)
                QCOMPARE(m_f.find<QLabel>((fi ? QStringLiteral("Label6(%1)")
                                              : QStringLiteral("Label_IG6(%1)"))
                                              .arg(k))
                             ->text(),
                         fi ? QStringLiteral("-5%") : QStringLiteral("0deg"));
        }
    }

    void titleNamesTheCell() {
        EditDialog *editor = open(QStringLiteral("Label6(46)"));
        QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("TH Position\n: 3\nNE Position\n: 14"));
        QCOMPARE(int(m_f.window->state().SelIndex), 45);
        QCOMPARE(int(m_f.window->state().MapEditMode), 3);
    }

    void closingHandsBackTheCommands() {
        // After an ECU read "Data Write" is off; closing the editor turns it on again.
        m_f.find(QStringLiteral("Command3"))->setEnabled(false);
        m_f.find<QAction>(QStringLiteral("mnuData(2)"))->setEnabled(false);
        EditDialog *editor = open(QStringLiteral("Label_IG6(5)"));
        QTest::keyClick(editor->findChild<QSlider *>(), Qt::Key_Escape);
        flushDeletes();
        QCOMPARE(m_f.enabledAmong("Command3 mnuData(2)"), QStringLiteral("Command3 mnuData(2)"));
    }

    void dragsOnlyWithTheLeftButton_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left") << int(Qt::LeftButton) << true;
        QTest::newRow("right") << int(Qt::RightButton) << false;
    }

    void dragsOnlyWithTheLeftButton() {
        QFETCH(int, button);
        QFETCH(bool, moves);
        EditDialog *editor = open(QStringLiteral("Label6(3)"));
        const QPoint start = editor->pos();
        const auto mouseButton = static_cast<Qt::MouseButton>(button);
        const QPoint at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, editor->mapToGlobal(at), mouseButton,
                          mouseButton, Qt::NoModifier);
        QApplication::sendEvent(editor, &press);
        const QPoint to(25, 45);
        QMouseEvent move(QEvent::MouseMove, to, editor->mapToGlobal(to), Qt::NoButton, mouseButton,
                         Qt::NoModifier);
        QApplication::sendEvent(editor, &move);
        QCOMPARE(editor->pos(), moves ? start + QPoint(20, 40) : start);
    }
};

QTEST_MAIN(TestEditDialogs)
#include "test_edit_dialogs.moc"
