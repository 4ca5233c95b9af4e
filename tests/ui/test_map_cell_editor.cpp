#include "dialogs/map_cell_editor.h"
#include "main/colours.h"
#include "window_fixture.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

class TestMapCellEditor : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    QLabel *cellLabel(MapKind kind, int k) const {
        return m_f.find<QLabel>(
            (kind == MapKind::Fi ? QStringLiteral("Label6(%1)") : QStringLiteral("Label_IG6(%1)"))
                .arg(k));
    }

    // Clicks cell k of the grid and returns the editor that opened.
    MapCellEditor *openCell(MapKind kind, int k) {
        m_f.window->selectView(kind == MapKind::Fi ? ViewPosition::FiNumeric
                                                   : ViewPosition::IgNumeric);
        QTest::mouseClick(cellLabel(kind, k), Qt::LeftButton);
        return m_f.window->findChild<MapCellEditor *>();
    }

    MapCellEditor *openWholeMap(MapKind kind) {
        m_f.window->selectView(kind == MapKind::Fi ? ViewPosition::FiNumeric
                                                   : ViewPosition::IgNumeric);
        QTest::mouseClick(m_f.find<QPushButton>(kind == MapKind::Fi
                                                    ? QStringLiteral("Command6")
                                                    : QStringLiteral("Command_IG6")),
                          Qt::LeftButton);
        return m_f.window->findChild<MapCellEditor *>();
    }

    void setCell(MapKind kind, int k, std::uint8_t value) {
        EcuData &data = m_f.window->data();
        const auto th = static_cast<std::size_t>((k - 1) / 16);
        const auto ne = static_cast<std::size_t>((k - 1) % 16);
        (kind == MapKind::Fi ? data.tables.KmapData : data.tables.IGmapData)[th][ne] = value;
    }

    static QString label1(MapCellEditor *editor) {
        return editor->findChild<QLabel *>(QStringLiteral("Label1"))->text();
    }

private slots:
    void init() {
        m_f.window.reset();
        m_f.op.messages.clear();
        m_f.storeLastFile(m_f.copySample(), QStringLiteral("SAMPLE.E2P"));
        m_f.start();
    }

    void cleanup() {
        m_f.window.reset();
        flushDeletes();
    }

    void sliderFollowsTheValue_data() {
        QTest::addColumn<bool>("fi");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("key"); // 0: none
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        QTest::newRow("Fi 100 at 30") << true << 100 << 0 << 30 << 100 << "0%";
        QTest::newRow("Fi one up") << true << 100 << int(Qt::Key_Up) << 29 << 101 << "+1%";
        QTest::newRow("Fi top") << true << 100 << int(Qt::Key_Home) << 0 << 130 << "+30%";
        QTest::newRow("Fi bottom") << true << 100 << int(Qt::Key_End) << 60 << 70 << "-30%";
        QTest::newRow("Fi page up") << true << 100 << int(Qt::Key_PageUp) << 25 << 105 << "+5%";
        QTest::newRow("Fi 50 stops at the bottom") << true << 50 << 0 << 60 << 70 << "-30%";
        QTest::newRow("IG 0 at 3") << false << 0 << 0 << 3 << 0 << "0deg";
        QTest::newRow("IG top") << false << 0 << int(Qt::Key_Home) << 0 << 3 << "+3deg";
        QTest::newRow("IG one down") << false << 0 << int(Qt::Key_Down) << 4 << 255 << "-1deg";
        QTest::newRow("IG bottom") << false << 0 << int(Qt::Key_End) << 23 << 236 << "-20deg";
        QTest::newRow("IG +10 stops at the top") << false << 10 << 0 << 0 << 3 << "+3deg";
    }

    void sliderFollowsTheValue() {
        QFETCH(bool, fi);
        QFETCH(int, stored);
        QFETCH(int, key);
        QFETCH(int, position);
        QFETCH(int, byte);
        QFETCH(QString, text);
        const MapKind kind = fi ? MapKind::Fi : MapKind::Ig;
        setCell(kind, 20, static_cast<std::uint8_t>(stored));
        MapCellEditor *editor = openCell(kind, 20);
        QVERIFY(editor);
        QCOMPARE(editor->objectName(),
                 fi ? QStringLiteral("Form2") : QStringLiteral("Form2_IGMAP"));
        QVERIFY(!m_f.window->isMainWindowEnabled());
        if (key != 0)
            QTest::keyClick(editor->slider(), static_cast<Qt::Key>(key));
        QCOMPARE(editor->slider()->value(), position);
        QCOMPARE(int(m_f.window->state().ValueByte), byte);
        QCOMPARE(m_f.window->state().ValueText, text);
        QCOMPARE(label1(editor), text);
    }

    void titleNamesTheCell() {
        MapCellEditor *editor = openCell(MapKind::Fi, 46);
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
        QTest::newRow("Fi cell 111") << true << 112 << 303;
        QTest::newRow("Fi cell 112") << true << 113 << 320;
        QTest::newRow("Fi cell 175") << true << 176 << 383;
        QTest::newRow("IG cell 0") << false << 1 << 0;
        QTest::newRow("IG cell 64") << false << 65 << 80;
        QTest::newRow("IG cell 175") << false << 176 << 191;
    }

    void enterWritesOneCell() {
        QFETCH(bool, fi);
        QFETCH(int, cell);
        QFETCH(int, offset);
        const MapKind kind = fi ? MapKind::Fi : MapKind::Ig;
        const EcuImage before = m_f.window->data().image;
        QPointer<MapCellEditor> editor = openCell(kind, cell);
        QTest::keyClick(editor->slider(), Qt::Key_Home);
        QTest::keyClick(editor->slider(), Qt::Key_Return);
        flushDeletes();
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());

        const std::uint8_t expected = fi ? 130 : 3;
        const EcuData &data = m_f.window->data();
        for (int i = 0; i < EcuImageSize; ++i) {
            const int want = i == offset ? expected : before.byte(i);
            QCOMPARE(int(data.image.byte(i)), want);
        }
        const auto th = static_cast<std::size_t>((cell - 1) / 16);
        const auto ne = static_cast<std::size_t>((cell - 1) % 16);
        QCOMPARE(int((fi ? data.tables.KmapData : data.tables.IGmapData)[th][ne]), int(expected));
        const QString text = fi ? QStringLiteral("+30%") : QStringLiteral("+3deg");
        QCOMPARE((fi ? data.tables.KmapText : data.tables.IGmapText)[th][ne], text);
        QCOMPARE(cellLabel(kind, cell)->text(), text);
        QCOMPARE(backgroundOf(cellLabel(kind, cell)), LightYellow);
    }

    void wholeMapAtMinusFivePercent() {
        const EcuImage before = m_f.window->data().image;
        QPointer<MapCellEditor> editor = openWholeMap(MapKind::Fi);
        QCOMPARE(int(m_f.window->state().MapEditMode), 2);
        QCOMPARE(label1(editor), QStringLiteral("0%"));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(editor->slider(), Qt::Key_Down);
        QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        flushDeletes();
        QVERIFY(editor.isNull());
        const EcuData &data = m_f.window->data();
        for (int k = 1; k <= MapCells; ++k) {
            QCOMPARE(int(data.image.byte(fiCellOffset(k))), 95);
            QCOMPARE(cellLabel(MapKind::Fi, k)->text(), QStringLiteral("-5%"));
        }
        for (int i = 304; i <= 319; ++i)
            QCOMPARE(data.image.byte(i), before.byte(i));
        for (int i = 0; i < 192; ++i)
            QCOMPARE(data.image.byte(i), before.byte(i));
    }

    void wholeIgMapUnmovedIsZeroDegrees() {
        QPointer<MapCellEditor> editor = openWholeMap(MapKind::Ig);
        QTest::keyClick(editor->slider(), Qt::Key_Enter);
        flushDeletes();
        for (int k = 1; k <= MapCells; ++k)
            QCOMPARE(int(m_f.window->data().image.byte(igCellOffset(k))), 0);
        QCOMPARE(cellLabel(MapKind::Ig, 100)->text(), QStringLiteral("0deg"));
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
        const EcuData before = m_f.window->data();
        const QString caption = cellLabel(kind, 30)->text();
        QPointer<MapCellEditor> editor = openCell(kind, 30);
        QTest::keyClick(editor->slider(), Qt::Key_End);
        if (escape)
            QTest::keyClick(editor->slider(), Qt::Key_Escape);
        else
            QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        flushDeletes();
        QVERIFY(editor.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());
        QCOMPARE(m_f.window->data().image, before.image);
        QVERIFY(m_f.window->data().tables == before.tables);
        QCOMPARE(cellLabel(kind, 30)->text(), caption);
        QCOMPARE(backgroundOf(cellLabel(kind, 30)), LightYellow);
    }

    void closingHandsBackTheCommands() {
        // After an ECU read "Data Write" is off; closing the editor turns it on again.
        m_f.find(QStringLiteral("Command3"))->setEnabled(false);
        m_f.find<QAction>(QStringLiteral("mnuData(2)"))->setEnabled(false);
        MapCellEditor *editor = openCell(MapKind::Ig, 5);
        QTest::keyClick(editor->slider(), Qt::Key_Escape);
        flushDeletes();
        QVERIFY(m_f.find(QStringLiteral("Command3"))->isEnabled());
        QVERIFY(m_f.find<QAction>(QStringLiteral("mnuData(2)"))->isEnabled());
    }

    void opensBesideTheCell() {
        for (int k : {175, 176}) {
            MapCellEditor *editor = openCell(MapKind::Fi, k);
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
        MapCellEditor *editor = openCell(MapKind::Fi, 3);
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
