// The window on the mechanic's screens: every control and text whole on the screen at any size
// and zoom, View > Zoom and the size remembered, and every coloured text legible under the
// default, a dark and a high-contrast palette. Run on a 1366x768 screen, on a 1920x1080 screen
// at 150 % and on a desktop screen (tests/ui/CMakeLists.txt).

#include "common/colours.h"
#include "common/twips.h"
#include "compare/compare_commands.h"
#include "files/e2p_writer.h"
#include "graph/graph_view.h"
#include "grid/map_grid_view.h"
#include "dialogs/edit_dialog.h"
#include "window/zoomed_client_area.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyleFactory>
#include <algorithm>

namespace {

// What a text needs of its control and does not get: empty when it is whole.
QString clippedText(const QWidget *w) {
    QString text;
    QSize needed;
    QSize room = w->contentsRect().size();
    const QFontMetrics metrics(w->font());
    if (const auto *label = qobject_cast<const QLabel *>(w); label && !label->wordWrap()) {
        text = label->text();
        needed = label->sizeHint();
        room = label->size();
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        text = button->text();
        // The check mark of an option, the bevel of a button.
        const int mark = qobject_cast<const QPushButton *>(w) ? 4 : metrics.height() + 8;
        needed = QSize(metrics.horizontalAdvance(text) + mark, metrics.height());
    } else if (const auto *box = qobject_cast<const QGroupBox *>(w)) {
        text = box->title();
        needed = QSize(metrics.horizontalAdvance(text), 0);
    } else if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
        text = combo->currentText();
        needed = QSize(metrics.horizontalAdvance(text) + metrics.height(), metrics.height());
    }
    if (text.isEmpty() || (needed.width() <= room.width() && needed.height() <= room.height()))
        return {};
    return QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
        .arg(w->objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

// Every control shown in the window, and where it is on the screen.
QList<QWidget *> shownControls(const QWidget *root) {
    QList<QWidget *> shown;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (w->isVisible() && !w->isWindow())
            shown << w;
    }
    return shown;
}

QRect onScreen(const QWidget *w) {
    return {w->mapToGlobal(QPoint()), w->size()};
}

// Where the layout places each of its named controls, in its own pixels; a slider across only
// (the style gives its knob a fixed size).
QHash<QString, QRect> placesIn(const QWidget *root) {
    QHash<QString, QRect> places;
    for (const QWidget *w : root->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !w->isVisible() ||
            w->parentWidget()->layout())
            continue;
        QRect at(w->mapTo(root, QPoint()), w->size());
        if (qobject_cast<const QAbstractSlider *>(w))
            at.setRect(at.x(), 0, at.width(), 0);
        places.insert(name, at);
    }
    return places;
}

// The places at a zoom ratio to those given, each edge within a pixel and the ratio.
QStringList notInProportion(const QHash<QString, QRect> &given, const QHash<QString, QRect> &now,
                            double ratio) {
    QStringList faults;
    for (auto at = given.cbegin(); at != given.cend(); ++at) {
        const QRect is = now.value(at.key());
        const QRectF wanted(at->x() * ratio, at->y() * ratio, at->width() * ratio,
                            at->height() * ratio);
        const double slack = 1.0 + ratio;
        if (qAbs(is.left() - wanted.left()) > slack || qAbs(is.top() - wanted.top()) > slack ||
            qAbs(is.left() + is.width() - wanted.right()) > slack ||
            qAbs(is.top() + is.height() - wanted.bottom()) > slack)
            faults << at.key();
    }
    return faults;
}

// The contrast of a text as drawn: the commonest colour of the control's inside is its
// background, the colour that stands out most from it its text.
double drawnContrast(QWidget *w) {
    const QImage drawn = w->grab(w->contentsRect().adjusted(4, 4, -4, -4)).toImage();
    QHash<QRgb, int> counts;
    pixelsWhere(drawn, [&counts](int, int, QColor c) { return ++counts[c.rgb()] < 0; });
    const QRgb background = std::max_element(counts.cbegin(), counts.cend()).key();
    double most = 1.0;
    for (auto at = counts.cbegin(); at != counts.cend(); ++at)
        most = std::max(most, contrastRatio(QColor(background), QColor(at.key())));
    return most;
}

// A dark palette (qt6ct's "darker" scheme) and a high-contrast one.
QPalette darkPalette() {
    QPalette p(QColor(0xFFFFFF), QColor(0x424245), QColor(0x979797), QColor(0x302F2E),
               QColor(0x4A4947), QColor(0xFFFFFF), QColor(0xFFFFFF), QColor(0x3D3D3D),
               QColor(0x222020));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x808080));
    return p;
}
QPalette highContrastPalette() {
    return {Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray, Qt::white, Qt::white,
            Qt::black, Qt::black};
}

constexpr double ZoomSteps[] = {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25,
                                1.5, 1.75, 2.0,  2.5,  3.0, 4.0};

} // namespace

class TestWindowScaling : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    [[nodiscard]] QWidget *root() const { return m_f.find(QStringLiteral("Form1Client")); }
    [[nodiscard]] QRect screen() const { return m_f.window->screen()->availableGeometry(); }

    // Controls off the screen or outside their frame, and texts cut short.
    [[nodiscard]] QStringList faultsShown() const {
        QStringList faults;
        if (!screen().contains(m_f.window->frameGeometry()))
            faults << QStringLiteral("the window");
        for (QWidget *control : shownControls(root())) {
            const QRect at = onScreen(control);
            if (!screen().contains(at) || !onScreen(control->parentWidget()).contains(at))
                faults << control->objectName() + QStringLiteral(" off its place") + QStringLiteral(" %1,%2 %3x%4 in %5,%6 %7x%8").arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height()).arg(onScreen(control->parentWidget()).x()).arg(onScreen(control->parentWidget()).y()).arg(control->parentWidget()->width()).arg(control->parentWidget()->height());
            if (const QString clipped = clippedText(control); !clipped.isEmpty())
                faults << clipped;
        }
        return faults;
    }

private slots:
    void init() { QVERIFY(m_f.restartWithSample()); }
    void cleanup() {
        m_f.close();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void everyColouredTextReads_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("texts");
        const std::pair<const char *, QPalette> palettes[] = {
            {"default", QApplication::style()->standardPalette()},
            {"dark", darkPalette()},
            {"high contrast", highContrastPalette()}};
        // What is shown (a view, a cell or value being edited, the value colours, a selection)
        // and the texts read then.
        const std::pair<int, const char *> rows[] = {
            {0, "Label6(46) Label7(5) Label8(5)"},
            {1, "Label6(46) Label1 Text1 Text2"},
            {2, "Label6(*)"},
            {3, "Label6(46) GridStatus"},
            {4, "Label12(1) Label12(2) Label10(1) Label9(1)"},
            {5, "Label14 Label14Other"},
            {6, "Label1 Text1 Text2 Text3"},
            {7, "Label19 Label20 Label21 Label22 Label23 Label26 Label27"}};
        for (const auto &[name, palette] : palettes) {
            for (const auto &[shown, texts] : rows)
                QTest::addRow("%s %d", name, shown) << palette << shown << QString::fromLatin1(texts);
        }
    }

    // Every text on a background the program sets, and the plain texts beside them, reads at a
    // contrast of 4.5 or more under each palette.
    void everyColouredTextReads() {
        QFETCH(QPalette, palette);
        QFETCH(int, shown);
        QFETCH(QString, texts);
        QApplication::setPalette(palette);
        QVERIFY(m_f.restartWithSample());
        MainWindow &w = *m_f.window;
        const QList<ViewPosition> views{ViewPosition::FiNumeric, ViewPosition::FiNumeric,
                                        ViewPosition::FiNumeric, ViewPosition::FiNumeric,
                                        ViewPosition::FiGraph,   ViewPosition::ShiftTiming,
                                        ViewPosition::RuMap,     ViewPosition::Fi3D};
        w.selectView(views.at(shown));
        if (shown == 1)
            m_f.click("Label6(46)");
        m_f.find<QAction>("mnuCellColours")->setChecked(shown == 2);
        if (shown == 3)
            w.grid(MapKind::Fi)->selectAll();
        if (shown == 4)
            m_f.click("Label12(2)");
        if (shown == 5) {
            const EcuImage other = withBytes(w.document().image(), {430, 120});
            QVERIFY(w.compare().compareWithPath(
                m_f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {}))));
        }
        if (shown == 6)
            m_f.click("Command8");
        // A dialog's own controls first.
        EditDialog *dialog = w.findChild<EditDialog *>();
        QStringList names = texts.split(QLatin1Char(' '));
        if (names.constFirst() == QLatin1String("Label6(*)")) {
            names.clear();
            for (int k = 1; k <= MapCells; ++k)
                names << QStringLiteral("Label6(%1)").arg(k);
        }
        std::pair<double, QString> lowest{21.0, {}};
        for (const QString &name : names) {
            QWidget *text = dialog ? dialog->findChild<QWidget *>(name) : nullptr;
            if (!text)
                text = m_f.find(name);
            QVERIFY2(text && text->isVisible(), qPrintable(name));
            lowest = std::min(lowest, {drawnContrast(text), name});
        }
        qInfo("lowest %.2f (%s)", lowest.first, qPrintable(lowest.second));
        QVERIFY2(lowest.first >= 4.5, qPrintable(lowest.second));
        if (dialog)
            closeWith(dialog, "Command2", 0);
    }

    void everyControlOnTheScreenAndEveryTextWhole_data() {
        QTest::addColumn<int>("view");
        for (int view = 0; view < 10; ++view)
            QTest::addRow("view %d", view) << view;
    }

    // With a comparison on (the status line and the other values shown) and the progress bar.
    void everyControlOnTheScreenAndEveryTextWhole() {
        QFETCH(int, view);
        MainWindow &w = *m_f.window;
        const EcuImage other = withBytes(w.document().image(), {PitLimitOffset, 65, 30, 90});
        QVERIFY(w.compare().compareWithPath(
            m_f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {}))));
        w.selectView(static_cast<ViewPosition>(view));
        m_f.find("TransferProgress")->show();
        QTRY_VERIFY(screen().contains(w.frameGeometry()));
        qInfo("zoom %.3f, window %dx%d", layoutZoom(), w.width(), w.height());
        QVERIFY(w.statusBar()->isVisible());
        QVERIFY(screen().contains(onScreen(w.statusBar())));
        const QStringList faults = faultsShown();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Down to the smallest step and up to what the screen holds, with the keys: the layout keeps
    // its proportions and its texts whole, the window stays on the screen, and "Actual Size"
    // brings back the pixels of the start. The size is there again at the next start, one that
    // does not fit the screen is fitted, and a stored size that is no size is not used.
    void zoomKeepsProportionsAndTheSizeIsRemembered() {
        MainWindow *w = m_f.window.get();
        QCOMPARE(m_f.find<QAction>("mnuZoomIn")->text(), QStringLiteral("Zoom In"));
        QCOMPARE(m_f.find<QAction>("mnuZoomOut")->text(), QStringLiteral("Zoom Out"));
        QCOMPARE(m_f.find<QAction>("mnuActualSize")->text(), QStringLiteral("Actual Size"));
        const double start = layoutZoom();
        const QSize startSize = w->size();
        const QHash<QString, QRect> atStart = placesIn(root());
        QStringList faults;
        const auto press = [&](int key) {
            const double before = layoutZoom();
            QTest::keySequence(w, QKeySequence(Qt::CTRL | key));
            (void)QTest::qWaitFor([&] { return screen().contains(w->frameGeometry()); });
            faults << faultsShown()
                   << notInProportion(atStart, placesIn(root()), layoutZoom() / start);
            return layoutZoom() != before;
        };
        QList<double> out;
        while (press(Qt::Key_Minus))
            out << layoutZoom();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(out.constLast(), ZoomSteps[0]);
        QVERIFY(std::all_of(out.cbegin(), out.cend(), [](double z) {
            return std::find(std::begin(ZoomSteps), std::end(ZoomSteps), z) != std::end(ZoomSteps);
        }));
        // A start below 1 fitted the screen before the system told the window's frame.
        press(Qt::Key_0);
        QVERIFY(layoutZoom() >= start && layoutZoom() <= 1.0);
        if (start == 1.0) {
            QCOMPARE(placesIn(root()), atStart);
            QCOMPARE(w->size(), startSize);
        }
        while (press(Qt::Key_Equal))
            QVERIFY(layoutZoom() > start);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // The screen is full across or down.
        const QRect frame = w->frameGeometry();
        QVERIFY(frame.width() >= screen().width() - 2 || frame.height() >= screen().height() - 2);

        press(Qt::Key_Minus);
        const QSize size = w->size();
        const double zoom = layoutZoom();
        QVERIFY(w->close());
        QCOMPARE(m_f.settings->readText(QStringLiteral("Window"), QStringLiteral("Width"), {}),
                 QString::number(size.width()));
        w = &m_f.start();
        QCOMPARE(w->size(), size);
        QCOMPARE(layoutZoom(), zoom);

        const std::pair<const char *, const char *> stored[] = {
            {"abc", "700"}, {"0", "700"}, {"900", "99999999"}, {"5000", "4000"}};
        for (const auto &[width, height] : stored) {
            m_f.window.reset();
            m_f.settings->writeText(QStringLiteral("Window"), QStringLiteral("Width"),
                                    QLatin1String(width));
            m_f.settings->writeText(QStringLiteral("Window"), QStringLiteral("Height"),
                                    QLatin1String(height));
            w = &m_f.start();
            QTRY_VERIFY(screen().contains(w->frameGeometry()));
            if (QLatin1String(width) != QLatin1String("5000"))
                QCOMPARE(w->size(), startSize);
        }
    }
};

QTEST_MAIN(TestWindowScaling)
#include "test_window_scaling.moc"
