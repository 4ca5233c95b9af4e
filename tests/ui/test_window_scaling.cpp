// The window on a 1366x768 screen, a 1920x1080 one at 150 % and a desktop's: every control and
// text whole at any zoom, the size remembered, every coloured text legible under any palette.

#include "common/colours.h"
#include "common/twips.h"
#include "compare/compare_commands.h"
#include "dialogs/edit_dialog.h"
#include "files/e2p_writer.h"
#include "grid/map_grid_view.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
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
        needed = metrics.size(Qt::TextShowMnemonic, text) + QSize(mark, 0);
    } else if (const auto *box = qobject_cast<const QGroupBox *>(w)) {
        text = box->title();
        needed = QSize(metrics.horizontalAdvance(text), 0);
    } else if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
        text = combo->currentText();
        needed = QSize(metrics.horizontalAdvance(text) + metrics.height(), metrics.height());
    }
    if (text.isEmpty() || (needed.width() <= room.width() && needed.height() <= room.height()))
        return {};
    return w->objectName() + QStringLiteral(" cuts \"") + text + QLatin1Char('"');
}

QRect onScreen(const QWidget *w) {
    return {w->mapToGlobal(QPoint()), w->size()};
}

// Each named control's place at zoom 1 (a slider's across only: its knob keeps its size).
QHash<QString, QRectF> placesIn(const QWidget *root) {
    QHash<QString, QRectF> places;
    for (const QWidget *w : root->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
            !w->isVisible() || w->parentWidget()->layout())
            continue;
        const QRectF at(QPointF(w->mapTo(root, QPoint())) / layoutZoom(),
                        QSizeF(w->size()) / layoutZoom());
        const bool slider = qobject_cast<const QAbstractSlider *>(w);
        places.insert(w->objectName(), slider ? QRectF(at.x(), 0, at.width(), 0) : at);
    }
    return places;
}

// The controls off their places at the start by more than a pixel at either zoom.
QStringList notInProportion(const QHash<QString, QRectF> &given, const QHash<QString, QRectF> &now,
                            double givenZoom) {
    QStringList faults;
    for (auto at = given.cbegin(); at != given.cend(); ++at) {
        const QRectF is = now.value(at.key());
        if (std::max({qAbs(is.left() - at->left()), qAbs(is.top() - at->top()),
                      qAbs(is.right() - at->right()), qAbs(is.bottom() - at->bottom())}) >
            1.0 / layoutZoom() + 1.0 / givenZoom)
            faults << at.key();
    }
    return faults;
}

// A text's contrast as drawn: the commonest colour is its background, the farthest its text.
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

} // namespace

class TestWindowScaling : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    [[nodiscard]] QWidget *root() const { return m_f.find(QStringLiteral("Form1Client")); }
    [[nodiscard]] QRect screen() const { return m_f.window->screen()->availableGeometry(); }

    // Controls (an editor's too) off the screen or outside their frame, and texts cut short.
    [[nodiscard]] QStringList faultsShown() const {
        QStringList faults;
        if (!screen().contains(m_f.window->frameGeometry()))
            faults << QStringLiteral("the window");
        for (QWidget *control : m_f.window->findChildren<QWidget *>()) {
            if (!control->isVisible())
                continue;
            const QRect at = onScreen(control);
            if (!screen().contains(at) || !onScreen(control->parentWidget()).contains(at))
                faults << control->objectName() + QStringLiteral(" off its place");
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
        QTest::addColumn<int>("row");
        // qt6ct's "darker" scheme and a high-contrast palette.
        QPalette dark(Qt::white, QColor(0x424245), QColor(0x979797), QColor(0x302F2E),
                      QColor(0x4A4947), Qt::white, Qt::white, QColor(0x3D3D3D), QColor(0x222020));
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(QPalette::Disabled, role, QColor(0x808080));
        const std::pair<const char *, QPalette> palettes[] = {
            {"default", QApplication::style()->standardPalette()},
            {"dark", dark},
            {"high contrast", QPalette(Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray,
                                       Qt::white, Qt::white, Qt::black, Qt::black)}};
        for (const auto &[name, palette] : palettes) {
            for (int row = 0; row < 7; ++row)
                QTest::addRow("%s %d", name, row) << palette << row;
        }
    }

    // Every text on a background the program sets, and the plain ones beside it, reads at 4.5:1
    // or more as drawn, with an editor open, a selection, a comparison or the value colours on.
    void everyColouredTextReads() {
        QFETCH(QPalette, palette);
        QFETCH(int, row);
        const struct {
            ViewPosition view;
            const char *done;
            const char *texts;
        } rows[] = {
            {ViewPosition::FiNumeric, "Label6(46)", "Label6(46) Label1 Text1 Text2"},
            {ViewPosition::FiNumeric, "colours", "Label7(5)"},
            {ViewPosition::FiNumeric, "select", "Label6(46) Label7(5) Label8(5) GridStatus"},
            {ViewPosition::FiGraph, "Label12(2)", "Label12(1) Label12(2) Label10(1) Label9(1)"},
            {ViewPosition::ShiftTiming, "compare", "Label14 Label14Other"},
            {ViewPosition::RuMap, "Command8", "Label1 Text1 Text2 Text3"},
            {ViewPosition::Fi3D, "", "Label19 Label20 Label21 Label22 Label23 Label26 Label27"}};
        const auto &[view, done, texts] = rows[row];
        QApplication::setPalette(palette);
        QVERIFY(m_f.restartWithSample());
        MainWindow &w = *m_f.window;
        w.selectView(view);
        const QLatin1String what(done);
        m_f.find<QAction>("mnuCellColours")->setChecked(what == QLatin1String("colours"));
        if (what == QLatin1String("select"))
            w.grid(MapKind::Fi)->selectAll();
        if (what == QLatin1String("compare")) {
            const EcuImage other = withBytes(w.document().image(), {430, 120});
            QVERIFY(w.compare().compareWithPath(
                m_f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {}))));
        }
        if (what.startsWith(QLatin1String("Label")) || what.startsWith(QLatin1String("Command")))
            m_f.click(what);
        QStringList names = words(texts);
        for (int k = 1; what == QLatin1String("colours") && k <= MapCells; ++k)
            names << QStringLiteral("Label6(%1)").arg(k);
        // A dialog's own controls first.
        EditDialog *dialog = w.findChild<EditDialog *>();
        std::pair<double, QString> lowest{21.0, {}};
        for (const QString &name : std::as_const(names)) {
            QWidget *mine = dialog ? dialog->findChild<QWidget *>(name) : nullptr;
            QWidget *text = mine ? mine : m_f.find(name);
            QVERIFY2(text && text->isVisible(), qPrintable(name));
            lowest = std::min(lowest, {drawnContrast(text), name});
        }
        QVERIFY2(lowest.first >= 4.5, qPrintable(lowest.second));
        if (dialog)
            closeWith(dialog, "Command2", 0);
    }

    // Every view, with a comparison on (the status line, the other values) and the progress bar.
    void everyControlOnTheScreenAndEveryTextWhole() {
        MainWindow &w = *m_f.window;
        const EcuImage other = withBytes(w.document().image(), {PitLimitOffset, 65, 30, 90});
        QVERIFY(w.compare().compareWithPath(
            m_f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {}))));
        m_f.find("TransferProgress")->show();
        QStringList faults;
        for (int view = 0; view < 10; ++view) {
            w.selectView(static_cast<ViewPosition>(view));
            QCoreApplication::processEvents(); // the status line's layout
            for (const QString &fault : faultsShown())
                faults << QStringLiteral("view %1: ").arg(view) + fault;
        }
        QVERIFY(w.statusBar()->isVisible());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Zoomed by the keys down to the least and up to the screen's room, the layout keeps its
    // proportions, all of it on the screen; "Actual Size" goes back; the size is kept.
    void zoomKeepsProportionsAndTheSizeIsRemembered() {
        MainWindow *w = m_f.window.get();
        QCOMPARE(m_f.find<QAction>("mnuZoomIn")->text(), QStringLiteral("Zoom &In"));
        QCOMPARE(m_f.find<QAction>("mnuZoomOut")->text(), QStringLiteral("Zoom O&ut"));
        QCOMPARE(m_f.find<QAction>("mnuActualSize")->text(), QStringLiteral("&Actual Size"));
        const double start = layoutZoom();
        const QSize startSize = w->size();
        const QHash<QString, QRectF> atStart = placesIn(root());
        QStringList faults;
        const auto press = [&](int key) {
            const double before = layoutZoom();
            QTest::keySequence(w, QKeySequence(Qt::CTRL | key));
            (void)QTest::qWaitFor([&] { return screen().contains(w->frameGeometry()); });
            QCoreApplication::processEvents(); // the layouts that follow a font
            faults << faultsShown() << notInProportion(atStart, placesIn(root()), start);
            return layoutZoom() != before;
        };
        // The cell editor at the zoom, whole, beside its cell as at 1.
        const auto openEditor = [&] {
            m_f.click("Label6(46)");
            auto *dialog = w->findChild<EditDialog *>();
            const int gap = onScreen(dialog).left() - onScreen(m_f.find("Label6(46)")).right() - 1;
            if (qAbs(gap - twipsToPixelsX(350)) > 1)
                faults << QStringLiteral("the editor %1 px from its cell").arg(gap);
            faults << faultsShown();
            closeWith(dialog, "Command2", 0);
        };
        while (press(Qt::Key_Minus)) {
        }
        QCOMPARE(layoutZoom(), 0.5);
        openEditor();
        // A start below 1 fitted the screen before the system told the window's frame.
        press(Qt::Key_0);
        QVERIFY(layoutZoom() >= start && layoutZoom() <= 1.0);
        if (start == 1.0) {
            QCOMPARE(placesIn(root()), atStart);
            QCOMPARE(w->size(), startSize);
        }
        while (press(Qt::Key_Equal))
            QVERIFY(layoutZoom() > start);
        openEditor();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // The screen is full across or down.
        const QRect frame = w->frameGeometry();
        QVERIFY(frame.width() >= screen().width() - 2 || frame.height() >= screen().height() - 2);
        // One step down, kept for the next start.
        press(Qt::Key_Minus);
        const QSize size = w->size();
        const double zoom = layoutZoom();
        QVERIFY(w->close());
        w = &m_f.start();
        QCOMPARE(w->size(), size);
        QCOMPARE(layoutZoom(), zoom);
        // A size too large for the screen is fitted to it.
        m_f.window.reset();
        for (const char *length : {"Width", "Height"})
            m_f.settings->writeText(QStringLiteral("Window"), QLatin1String(length),
                                    QStringLiteral("5000"));
        w = &m_f.start();
        QTRY_VERIFY(screen().contains(w->frameGeometry()));
    }
};

QTEST_MAIN(TestWindowScaling)
#include "test_window_scaling.moc"
