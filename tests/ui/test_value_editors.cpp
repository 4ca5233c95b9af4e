#include "dialogs/band_slider.h"
#include "dialogs/edit_dialog.h"
#include "image/hexdata_conv.h"
#include "main/twips.h"
#include "window_fixture.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

enum Finish { Return, EnterKey, CancelKey, Escape };

// Axis labels have a twin in the IG grid: Label7(i) / Label_IG7(i), Label8(i) / Label_IG8(i).
QStringList labelsOf(const QString &target) {
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
    int bandStart, bandLength; // band length -1: no band, the slider disabled
    int position;
    const char *text;
    Finish finish;
    int offset, stored; // stored -1: nothing stored
};

} // namespace

Q_DECLARE_METATYPE(EditCase)

class TestValueEditors : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    // Loads image bytes as a file would bring them: offset, value, offset, value ...
    void load(const QList<int> &preset) {
        m_f.loadBytes(preset);
        m_f.window->selectView(ViewPosition::IgNumeric);
        m_f.window->selectView(ViewPosition::FiNumeric);
    }

    EditDialog *click(const QString &target) {
        if (target == QStringLiteral("Label14"))
            m_f.window->selectView(ViewPosition::ShiftTiming);
        else if (target == QStringLiteral("Lbl_PITroad"))
            m_f.window->selectView(ViewPosition::PitRoad);
        else if (target == QStringLiteral("Lbl_IdleNe"))
            m_f.window->selectView(ViewPosition::IdleNe);
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
        const char *ne5 = "Label7(5)", *th5 = "Label8(5)", *idle = "Lbl_IdleNe";
        QTest::newRow("NE dragged to 115 snaps to 109")
            << EditCase{ne5, ne100to110, 115, 0, 101, 8, 109, "10900", Return, 388, 109};
        QTest::newRow("NE dragged to 90 gives 101")
            << EditCase{ne5, ne100to110, 90, 0, 101, 8, 101, "10100", EnterKey, 388, 101};
        QTest::newRow("NE 100..102 holds only 101") << EditCase{
            "Label7(2)", {384, 100, 385, 101, 386, 102}, 150, 0, 101, 0, 101, "10100", Return, 385,
            101};
        QTest::newRow("NE scale reaches a band above the last point")
            << EditCase{"Label7(14)", {396, 90, 397, 100, 398, 110, 399, 50},
                        108,          0,
                        91,           18,
                        108,          "10800",
                        EnterKey,     397,
                        108};
        QTest::newRow("NE neighbours 1 apart keep the value") << EditCase{
            "Label7(6)", {388, 100, 389, 100, 390, 101}, -1, 0, 0, -1, 100, "10000", EnterKey, 389,
            100};
        QTest::newRow("NE neighbours reversed keep the value") << EditCase{
            "Label7(6)", {388, 110, 389, 105, 390, 100}, -1, 0, 0, -1, 105, "10500", EnterKey, 389,
            105};
        QTest::newRow("NE Cancel restores the text")
            << EditCase{"Label7(7)", {}, -1, Qt::Key_End, 66, 18, 84, "8400", CancelKey, 390, -1};
        QTest::newRow("NE Escape does nothing")
            << EditCase{"Label7(4)", {}, -1, Qt::Key_Right, 36, 18, 46, "4600", Escape, 387, -1};
        QTest::newRow("TH 30 between 20 and 40 at position 70")
            << EditCase{th5, th20to40, -1, 0, 61, 18, 70, "30", Return, 404, 30};
        QTest::newRow("TH dragged to the top stops at 39")
            << EditCase{th5, th20to40, 0, 0, 61, 18, 61, "39", EnterKey, 404, 39};
        QTest::newRow("TH Up raises the throttle")
            << EditCase{th5, th20to40, -1, Qt::Key_Up, 61, 18, 69, "31", Return, 404, 31};
        QTest::newRow("TH neighbours 1 apart keep the value") << EditCase{
            "Label8(6)", {404, 20, 405, 21, 406, 21}, -1, 0, 0, -1, 79, "21", EnterKey, 405, 21};
        QTest::newRow("TH Escape cancels")
            << EditCase{"Label8(8)", {}, -1, Qt::Key_Home, 41, 18, 41, "59", Escape, 407, -1};
        QTest::newRow("shift 120 starts at 12000")
            << EditCase{"Label14", {430, 120}, -1, 0, 100, 80, 120, "12000", EnterKey, 430, 120};
        QTest::newRow("shift dragged to 90 snaps to 100")
            << EditCase{"Label14", {430, 120}, 90, 0, 100, 80, 100, "10000", Return, 430, 100};
        QTest::newRow("shift Cancel restores the text")
            << EditCase{"Label14", {}, -1, Qt::Key_End, 100, 80, 180, "18000", CancelKey, 430, -1};
        QTest::newRow("pit 0 shows 0 and keeps it")
            << EditCase{"Lbl_PITroad", {428, 0}, -1, 0, 0, 180, 0, "0", EnterKey, 428, 0};
        QTest::newRow("pit Escape does nothing")
            << EditCase{"Lbl_PITroad", {}, -1, Qt::Key_PageUp, 0, 180, 65, "6500", Escape, 428, -1};
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
        Finish finish = c.finish;
        load(c.preset);
        const EcuData before = m_f.window->document().data();
        const QString oldText = m_f.find<QLabel>(target)->text();
        QPointer<EditDialog> editor = click(target);
        QVERIFY(editor);
        QVERIFY(!m_f.window->isMainWindowEnabled());
        auto *slider = editor->findChild<BandSlider *>(QStringLiteral("Slider1"));
        QCOMPARE(slider->isEnabled(), c.bandLength >= 0);
        QCOMPARE(slider->hasSelection(), c.bandLength >= 0);
        if (c.bandLength >= 0) {
            QCOMPARE(slider->selectionStart(), c.bandStart);
            QCOMPARE(slider->selectionLength(), c.bandLength);
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
        checkLabels(target, text, true);
        QCOMPARE(m_f.window->document().data().image, before.image);

        const bool form3 = editor->objectName().startsWith(QStringLiteral("Form3"));
        if (finish == Escape) {
            QTest::keyClick(slider, Qt::Key_Escape);
            flushDeletes();
            QCOMPARE(editor.isNull(), !form3);
            if (form3) {
                checkLabels(target, text, true);
                finish = CancelKey;
            }
        }
        if (finish == Return)
            QTest::keyClick(slider, Qt::Key_Return);
        else if (finish != Escape)
            QTest::mouseClick(editor->findChild<QPushButton *>(finish == EnterKey
                                                                   ? QStringLiteral("Command1")
                                                                   : QStringLiteral("Command2")),
                              Qt::LeftButton);
        flushDeletes();
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());
        checkLabels(target, c.stored < 0 ? oldText : text, false);

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

    void placementAndBand_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("aboveBottom"); // twips between dialog and main window bottoms
        QTest::newRow("Form3, NE point") << "Label7(5)" << 2500;
        QTest::newRow("Form4") << "Label8(5)" << 440;
        QTest::newRow("Form3, shift timing") << "Label14" << -1;
        QTest::newRow("Form3_IDLE") << "Lbl_IdleNe" << -1;
    }

    void placementAndBand() {
        QFETCH(QString, target);
        QFETCH(int, aboveBottom);
        EditDialog *editor = click(target);
        const QRect main = m_f.window->frameGeometry();
        const QRect own = editor->frameGeometry();
        const QRect screen = m_f.window->screen()->geometry();
        QVERIFY(own.bottom() < main.bottom());
        if (aboveBottom > 0)
            QCOMPARE(own.bottom(), main.bottom() - twipsToPixelsY(aboveBottom));
        if (editor->objectName() == QStringLiteral("Form4"))
            QCOMPARE(own.left(), main.left() + twipsToPixelsX(1400));
        else
            QVERIFY(qAbs((own.left() - screen.left()) - (screen.right() - own.right())) <= 1);

        const QImage shown = editor->findChild<BandSlider *>()->grab().toImage();
        int bandPixels = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                bandPixels += QColor(shown.pixel(x, y)) == BandSlider::BandColour ? 1 : 0;
        }
        QVERIFY2(bandPixels > 0, "the band is painted");
    }
};

QTEST_MAIN(TestValueEditors)
#include "test_value_editors.moc"
