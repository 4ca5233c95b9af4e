// The main window's size and zoom: its place on the screen at start-up, View > Zoom, the status
// line that keeps the zoom, and the size remembered for the next start.

#include "common/twips.h"
#include "files/settings_store.h"
#include "window/main_window.h"
#include "window/window_names.h"
#include "window/zoomed_client_area.h"

#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <array>

namespace {

constexpr std::array ZoomSteps{0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                               1.25, 1.5,  1.75, 2.0, 2.5, 3.0, 4.0};
// A zoom this close to a step is at that step.
constexpr double ZoomTolerance = 0.005;

} // namespace

void MainWindow::addZoomItems(QMenu *view) {
    view->addSeparator();
    const struct {
        const QString &name;
        const char *text;
        QList<QKeySequence> keys;
        void (MainWindow::*command)();
    } items[] = {
        {WindowNames::ZoomInItem,
         "Zoom &In",
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
         &MainWindow::zoomIn},
        {WindowNames::ZoomOutItem,
         "Zoom O&ut",
         {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
         &MainWindow::zoomOut},
        {WindowNames::ActualSizeItem,
         "&Actual Size",
         {QKeySequence(Qt::CTRL | Qt::Key_0)},
         &MainWindow::zoomToActualSize},
    };
    for (const auto &item : items) {
        QAction *action = view->addAction(QLatin1String(item.text));
        action->setObjectName(item.name);
        action->setShortcuts(item.keys);
        connect(action, &QAction::triggered, this, item.command);
    }
}

void MainWindow::zoomIn() {
    const auto *next = std::find_if(ZoomSteps.begin(), ZoomSteps.end(), [](double step) {
        return step > layoutZoom() + ZoomTolerance;
    });
    if (next != ZoomSteps.end())
        zoomTo(*next);
}

void MainWindow::zoomOut() {
    const auto next = std::find_if(ZoomSteps.rbegin(), ZoomSteps.rend(),
                                   [](double step) { return step < layoutZoom() - ZoomTolerance; });
    if (next != ZoomSteps.rend())
        zoomTo(*next);
}

void MainWindow::zoomToActualSize() {
    zoomTo(1.0);
}

void MainWindow::zoomTo(double zoom) {
    // An open editor keeps the size and place it was opened with.
    if (!isMainWindowEnabled())
        return;
    if (isMaximized() || isFullScreen())
        showNormal();
    resize(sizeForZoom(zoom));
    keepOnScreen();
}

QSize MainWindow::sizeForZoom(double zoom) {
    // The menu bar and a status line shown take their room besides the layout.
    layout()->activate();
    const QSize chrome = size() - m_clientArea->size();
    if (const QScreen *screen = this->screen()) {
        const QSize room = screen->availableGeometry().size().shrunkBy(frameMargins()) - chrome;
        zoom = std::min(zoom, m_clientArea->zoomToFit(room));
    }
    return m_clientArea->sizeAtZoom(zoom) + chrome;
}

QMargins MainWindow::frameMargins() const {
    const QRect frame = frameGeometry();
    const QRect inside = geometry();
    const QMargins known(inside.left() - frame.left(), inside.top() - frame.top(),
                         frame.right() - inside.right(), frame.bottom() - inside.bottom());
    // Before the window is first shown the system has not told its frame: a title bar at least.
    if (known.isNull() && !m_shownOnce)
        return {0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0};
    return known;
}

QSize MainWindow::sizeOnScreen(QSize wanted) const {
    const QScreen *screen = this->screen();
    if (!screen)
        return wanted;
    const QMargins frame = frameMargins();
    const QSize room = screen->availableGeometry().size().shrunkBy(frame);
    return wanted.boundedTo(room).expandedTo(minimumSizeHint());
}

void MainWindow::keepOnScreen() {
    const QScreen *screen = this->screen();
    if (!screen || isMaximized() || isFullScreen())
        return;
    const QRect available = screen->availableGeometry();
    const QSize fitting = sizeOnScreen(size());
    if (fitting != size())
        resize(fitting);
    const QMargins frame = frameMargins();
    const QSize outer = size().grownBy(frame);
    const QPoint at = pos();
    move(std::clamp(at.x(), available.left(),
                    std::max(available.left(), available.right() + 1 - outer.width())),
         std::clamp(at.y(), available.top(),
                    std::max(available.top(), available.bottom() + 1 - outer.height())));
}

void MainWindow::placeOnScreen() {
    // The status line's texts are the layout's, at its zoom: in the system's font, which may be
    // larger, they would not fit beside each other.
    statusBar()->setFont(layoutFont());
    connect(m_clientArea, &ZoomedClientArea::zoomChanged, statusBar(),
            [this] { statusBar()->setFont(layoutFont()); });
    // A bar shown below the layout makes the window taller, as the status line does.
    for (QToolBar *bar : findChildren<QToolBar *>()) {
        connect(bar, &QToolBar::visibilityChanged, this,
                [this, bar](bool shown) { growBy(bar->sizeHint().height(), shown); });
    }
    // At the size it had, or its designed size, as far as the screen has room; centred.
    const WindowPlacement placement = readWindowPlacement(m_settings);
    resize(placement.size.isValid() ? sizeOnScreen(placement.size) : sizeForZoom(1.0));
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        const QSize outer = size().grownBy(frameMargins());
        move(available.left() + (available.width() - outer.width()) / 2,
             available.top() + (available.height() - outer.height()) / 2);
    }
    layout()->activate();
    m_clientArea->fitLayout();
    if (placement.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::showStatusLine(bool shown) {
    if (statusBar()->isHidden() != shown)
        return;
    statusBar()->setVisible(shown);
    growBy(statusBar()->sizeHint().height(), shown);
}

void MainWindow::growBy(int height, bool shown) {
    // The window grows by a line shown rather than the layout shrinking, where the screen has room.
    if (!isMaximized() && !isFullScreen()) {
        resize(sizeOnScreen(size() + QSize(0, shown ? height : -height)));
        keepOnScreen();
    }
}

void MainWindow::rememberPlacement() {
    const bool maximized = isMaximized();
    QSize size = maximized ? normalGeometry().size() : this->size();
    // Less the lines below the layout: each makes the window taller when it shows again.
    QList<QWidget *> lines{statusBar()};
    for (QToolBar *bar : findChildren<QToolBar *>())
        lines << bar;
    for (const QWidget *line : std::as_const(lines)) {
        if (!maximized && line->isVisible())
            size.rheight() -= line->height();
    }
    writeWindowPlacement(m_settings, {size, maximized});
}

QRect MainWindow::layoutFrame() const {
    return frameGeometry() - m_clientArea->slack();
}
