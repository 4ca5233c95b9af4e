#include "dialogs/map_cell_editor.h"
#include "main/colours.h"
#include "window_fixture.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

namespace {

struct SliderCase {
    bool fi;
    int stored, key, position, byte; // key 0: none
    const char *text;
};

} // namespace

Q_DECLARE_METATYPE(SliderCase)

class TestMapCellEditor : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    QLabel *cellLabel(MapKind kind, int k) const {
        return m_f.find<QLabel>(
            (kind == MapKind::Fi ? QStringLiteral("Label6(%1)") : QStringLiteral("Label_IG6(%1)"))
                .arg(k));
    }

    // Clicks cell k of the grid, or "All area Data change" for k 0; returns the editor.
    MapCellEditor *open(MapKind kind, int k) {
        const bool fi = kind == MapKind::Fi;
        m_f.window->selectView(fi ? ViewPosition::FiNumeric : ViewPosition::IgNumeric);
        QTest::mouseClick(
            k > 0 ? cellLabel(kind, k)
                  : m_f.find(fi ? QStringLiteral("Command6") : QStringLiteral("Command_IG6")),
            Qt::LeftButton);
        return m_f.window->findChild<MapCellEditor *>();
    }

    // TH row and NE column of cell k, as table indices.
    static std::size_t thOf(int k) { return std::size_t(k - 1) / 16; }
    static std::size_t neOf(int k) { return std::size_t(k - 1) % 16; }

    void setCell(MapKind kind, int k, std::uint8_t value) {
        m_f.loadBytes({kind == MapKind::Fi ? fiCellOffset(k) : igCellOffset(k), value});
    }

    static QString label1(MapCellEditor *editor) {
        return editor->findChild<QLabel *>(QStringLiteral("Label1"))->text();
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

    void sliderFollowsTheValue_data() {
        QTest::addColumn<SliderCase>("c");
        QTest::newRow("Fi 100 at 30") << SliderCase{true, 100, 0, 30, 100, "0%"};
        QTest::newRow("Fi one up") << SliderCase{true, 100, Qt::Key_Up, 29, 101, "+1%"};
        QTest::newRow("Fi page up") << SliderCase{true, 100, Qt::Key_PageUp, 25, 105, "+5%"};
        QTest::newRow("Fi 50 stops at the bottom") << SliderCase{true, 50, 0, 60, 70, "-30%"};
        QTest::newRow("IG 0 at 3") << SliderCase{false, 0, 0, 3, 0, "0deg"};
        QTest::newRow("IG one down") << SliderCase{false, 0, Qt::Key_Down, 4, 255, "-1deg"};
        QTest::newRow("IG bottom") << SliderCase{false, 0, Qt::Key_End, 23, 236, "-20deg"};
        QTest::newRow("IG +10 stops at the top") << SliderCase{false, 10, 0, 0, 3, "+3deg"};
    }

    void sliderFollowsTheValue() {
        QFETCH(SliderCase, c);
        const MapKind kind = c.fi ? MapKind::Fi : MapKind::Ig;
        setCell(kind, 20, static_cast<std::uint8_t>(c.stored));
        MapCellEditor *editor = open(kind, 20);
        QVERIFY(editor);
        QCOMPARE(editor->objectName(),
                 c.fi ? QStringLiteral("Form2") : QStringLiteral("Form2_IGMAP"));
        QVERIFY(!m_f.window->isMainWindowEnabled());
        if (c.key != 0)
            QTest::keyClick(editor->slider(), static_cast<Qt::Key>(c.key));
        QCOMPARE(editor->slider()->value(), c.position);
        QCOMPARE(int(m_f.window->state().ValueByte), c.byte);
        QCOMPARE(m_f.window->state().ValueText, QLatin1String(c.text));
        QCOMPARE(label1(editor), QLatin1String(c.text));
    }

    void titleNamesTheCell() {
        MapCellEditor *editor = open(MapKind::Fi, 46);
        QCOMPARE(editor->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->toPlainText(),
                 QStringLiteral("TH Position\n: 3\nNE Position\n: 14"));
        QCOMPARE(int(m_f.window->state().SelIndex), 45);
        QCOMPARE(int(m_f.window->state().MapEditMode), 3);
        QCOMPARE(backgroundOf(cellLabel(MapKind::Fi, 46)), buttonFaceColour());
    }

    void enterWritesOneCell_data() {
        QTest::addColumn<bool>("fi");
        QTest::addColumn<int>("cell"); // grid element, 1..176
        QTest::addColumn<int>("offset");
        QTest::newRow("Fi cell 0") << true << 1 << 192;
        QTest::newRow("Fi cell 112") << true << 113 << 320;
        QTest::newRow("Fi cell 175") << true << 176 << 383;
        QTest::newRow("IG cell 64") << false << 65 << 80;
    }

    void enterWritesOneCell() {
        QFETCH(bool, fi);
        QFETCH(int, cell);
        QFETCH(int, offset);
        const MapKind kind = fi ? MapKind::Fi : MapKind::Ig;
        const EcuImage before = m_f.window->document().data().image;
        QPointer<MapCellEditor> editor = open(kind, cell);
        QTest::keyClick(editor->slider(), Qt::Key_Home);
        QTest::keyClick(editor->slider(), Qt::Key_Return);
        flushDeletes();
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());

        const std::uint8_t expected = fi ? 130 : 3;
        const EcuData &data = m_f.window->document().data();
        for (int i = 0; i < EcuImageSize; ++i) {
            const int want = i == offset ? expected : before.byte(i);
            QCOMPARE(int(data.image.byte(i)), want);
        }
        const std::size_t th = thOf(cell), ne = neOf(cell);
        QCOMPARE(int((fi ? data.tables.KmapData : data.tables.IGmapData)[th][ne]), int(expected));
        const QString text = fi ? QStringLiteral("+30%") : QStringLiteral("+3deg");
        QCOMPARE((fi ? data.tables.KmapText : data.tables.IGmapText)[th][ne], text);
        QCOMPARE(cellLabel(kind, cell)->text(), text);
        QCOMPARE(backgroundOf(cellLabel(kind, cell)), LightYellow);
    }

    // Fi moved down five steps and "Enter Key"; IG unmoved and Enter on the slider.
    void wholeMapSetsEveryCellAndNothingElse() {
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const bool fi = kind == MapKind::Fi;
            const EcuImage before = m_f.window->document().data().image;
            QPointer<MapCellEditor> editor = open(kind, 0);
            QCOMPARE(int(m_f.window->state().MapEditMode), 2);
            QCOMPARE(label1(editor), fi ? QStringLiteral("0%") : QStringLiteral("0deg"));
            if (fi) {
                for (int i = 0; i < 5; ++i)
                    QTest::keyClick(editor->slider(), Qt::Key_Down);
                QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command1")),
                                  Qt::LeftButton);
            } else {
                QTest::keyClick(editor->slider(), Qt::Key_Enter);
            }
            flushDeletes();
            QVERIFY(editor.isNull());
            const EcuImage &image = m_f.window->document().data().image;
            for (int i = 0; i < EcuImageSize; ++i) {
                const int cell = fi ? fiCellAtOffset(i) : igCellAtOffset(i);
                QCOMPARE(int(image.byte(i)), cell == 0 ? before.byte(i) : fi ? 95 : 0);
            }
            for (int k = 1; k <= MapCells; ++k)
                QCOMPARE(cellLabel(kind, k)->text(),
                         fi ? QStringLiteral("-5%") : QStringLiteral("0deg"));
        }
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("fi");
        QTest::newRow("Cancel Key, Fi") << false << true;
        QTest::newRow("Escape, Fi") << true << true;
        QTest::newRow("Escape, IG") << true << false;
    }

    void cancelChangesNothing() {
        QFETCH(bool, escape);
        QFETCH(bool, fi);
        const MapKind kind = fi ? MapKind::Fi : MapKind::Ig;
        const EcuData before = m_f.window->document().data();
        const QString caption = cellLabel(kind, 30)->text();
        QPointer<MapCellEditor> editor = open(kind, 30);
        QTest::keyClick(editor->slider(), Qt::Key_End);
        if (escape)
            QTest::keyClick(editor->slider(), Qt::Key_Escape);
        else
            QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        flushDeletes();
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());
        QCOMPARE(m_f.window->document().data().image, before.image);
        QVERIFY(m_f.window->document().data().tables == before.tables);
        QCOMPARE(cellLabel(kind, 30)->text(), caption);
        QCOMPARE(backgroundOf(cellLabel(kind, 30)), LightYellow);
    }

    void closingHandsBackTheCommands() {
        // After an ECU read "Data Write" is off; closing the editor turns it on again.
        m_f.find(QStringLiteral("Command3"))->setEnabled(false);
        m_f.find<QAction>(QStringLiteral("mnuData(2)"))->setEnabled(false);
        MapCellEditor *editor = open(MapKind::Ig, 5);
        QTest::keyClick(editor->slider(), Qt::Key_Escape);
        flushDeletes();
        QCOMPARE(m_f.enabledAmong("Command3 mnuData(2)"), QStringLiteral("Command3 mnuData(2)"));
    }

    void opensBesideTheCell() {
        for (int k : {175, 176}) {
            MapCellEditor *editor = open(MapKind::Fi, k);
            const QLabel *cell = cellLabel(MapKind::Fi, k);
            const int cellLeft = cell->mapToGlobal(QPoint(0, 0)).x();
            if (k == 176)
                QVERIFY2(editor->x() < cellLeft, "last NE column: on the left of the cell");
            else
                QVERIFY2(editor->x() >= cellLeft + cell->width(), "on the right of the cell");
            const QRect main = m_f.window->frameGeometry();
            QVERIFY(editor->frameGeometry().bottom() < main.bottom());
            QTest::keyClick(editor->slider(), Qt::Key_Escape);
            flushDeletes();
        }
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
        MapCellEditor *editor = open(MapKind::Fi, 3);
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

QTEST_MAIN(TestMapCellEditor)
#include "test_map_cell_editor.moc"
