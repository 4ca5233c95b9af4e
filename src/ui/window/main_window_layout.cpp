// The main window's controls and view panels, laid out in twips.

#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/twips.h"
#include "common/zoomed_layout.h"
#include "document/change_speed.h"
#include "graph/map_graph_view.h"
#include "grid/map_grid_view.h"
#include "map3d/map3d_view.h"
#include "panels/ru_map_view.h"
#include "panels/single_value_panel.h"
#include "window/comment_box.h"
#include "window/main_window.h"
#include "window/window_names.h"
#include "window/zoomed_client_area.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

// Client area of the window, twips.
constexpr int ClientWidth = 15240;
constexpr int ClientHeight = 10830;
// Every large view panel lies here on the window; the small ones inside "Data Edit".
constexpr int LargePanelLeft = 240;
constexpr int LargePanelTop = 2280;
constexpr int LargePanelWidth = 14760;
constexpr int LargePanelHeight = 6615;
constexpr int SmallPanelLeft = 4800;
constexpr int SmallPanelTop = 2640;
constexpr int DataEditLeft = 120;
constexpr int DataEditTop = 1560;

QLabel *valueLabel(QWidget *parent, const QString &name, const QRect &twips) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    placeInTwips(label, twips);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text, const QRect &twips) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    placeInTwips(label, twips);
    return label;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QRect &twips) {
    auto *push = new QPushButton(text, parent);
    push->setObjectName(name);
    placeInTwips(push, twips);
    return push;
}

// The window's command buttons are also menu items with keys. A click on one leaves the keyboard
// with the view, and Tab goes from the comment box to the view selector and the view.
void keepKeysInTheView(std::initializer_list<QPushButton *> buttons) {
    for (QPushButton *push : buttons)
        push->setFocusPolicy(Qt::NoFocus);
}

QGroupBox *panel(QWidget *parent, const QString &name, const QString &title) {
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

void MainWindow::buildWindow() {
    m_clientArea = new ZoomedClientArea(QSize(ClientWidth, ClientHeight), this);
    m_clientArea->setObjectName(WindowNames::ZoomedArea);
    setCentralWidget(m_clientArea);
    QWidget *central = m_clientArea->layoutRoot();
    central->setObjectName(WindowNames::ClientArea);
    buildFileFrame(central);
    buildDataEditFrame(central);
    buildBottomRow(central);
    buildMenus();
}

void MainWindow::buildFileFrame(QWidget *central) {
    auto *frame = panel(central, WindowNames::FileFrame, QStringLiteral("E2P File"));
    placeInTwips(frame, QRect(120, 120, 10455, 1335));
    caption(frame, WindowNames::FileNameCaption, QStringLiteral("File Name"),
            QRect(120, 360, 1080, 300));
    caption(frame, WindowNames::DateCaption, QStringLiteral("Date"), QRect(120, 840, 1080, 300));
    caption(frame, WindowNames::CommentCaption, QStringLiteral("Comment Area "),
            QRect(4560, 300, 1500, 300));
    m_dataNameLabel = valueLabel(frame, WindowNames::DataNameLabel, QRect(1200, 330, 3120, 360));
    m_fileDateLabel = valueLabel(frame, WindowNames::FileDateLabel, QRect(1200, 810, 3120, 360));
    m_commentBox = newCommentBox(frame);
    m_commentBox->setObjectName(WindowNames::CommentBox);
    placeInTwips(m_commentBox, QRect(6060, 240, 4275, 975));
    m_commentBox->setPlainText(QStringLiteral("Comment\n"));
    // Tab goes on to the view selector and the view; the box takes the keys only when clicked
    // or tabbed to.
    m_commentBox->setTabChangesFocus(true);
    // The box keeps its own undo; its text is the document's comment.
    connect(m_commentBox, &QPlainTextEdit::textChanged, this,
            [this] { m_document.setComment(m_commentBox->toPlainText()); });

    m_openFileButton = button(central, WindowNames::OpenFileButton, QStringLiteral("Open File"),
                              QRect(10800, 240, 1935, 495));
    m_saveFileButton = button(central, WindowNames::SaveFileButton, QStringLiteral("Save File"),
                              QRect(10800, 840, 1935, 495));
    keepKeysInTheView({m_openFileButton, m_saveFileButton});
}

void MainWindow::buildDataEditFrame(QWidget *central) {
    m_dataEditFrame = panel(central, WindowNames::DataEditFrame, QStringLiteral("Data Edit"));
    placeInTwips(m_dataEditFrame, QRect(DataEditLeft, DataEditTop, 15015, 7455));
    m_viewSelector = new QComboBox(m_dataEditFrame);
    m_viewSelector->setObjectName(WindowNames::ViewSelector);
    placeInTwips(m_viewSelector, QRect(360 - DataEditLeft, 1800 - DataEditTop, 4200, 330));

    const QStringList &captions = ViewSwitcher::captions();
    ViewPanels &p = m_panels;
    p.fiGrid = new MapGridView(MapKind::Fi, m_document, central);
    p.fiGraph = new MapGraphView(MapKind::Fi, m_document, central);
    p.fi3D = new Map3DView(MapKind::Fi, m_document, central);
    p.igGrid = new MapGridView(MapKind::Ig, m_document, central);
    p.igGraph = new MapGraphView(MapKind::Ig, m_document, central);
    p.ig3D = new Map3DView(MapKind::Ig, m_document, central);
    p.ruView = new RuMapView(m_document, central);
    p.shiftTiming =
        new SingleValuePanel(SpeedSetting::ShiftTiming, captions[7], m_document, m_dataEditFrame);
    p.pitRoad =
        new SingleValuePanel(SpeedSetting::PitRoad, captions[8], m_document, m_dataEditFrame);
    p.idleNe = new SingleValuePanel(SpeedSetting::IdleNe, captions[9], m_document, m_dataEditFrame);
    for (QWidget *view : p.all()) {
        if (view->parentWidget() == m_dataEditFrame) {
            placeInTwips(view, QRect(SmallPanelLeft, SmallPanelTop, 4200, 1335));
        } else {
            placeInTwips(view,
                         QRect(LargePanelLeft, LargePanelTop, LargePanelWidth, LargePanelHeight));
            view->raise();
        }
    }
    m_views = new ViewSwitcher(*m_viewSelector, m_panels, m_document, this);

    // The labels where a dialog shows the value being chosen stay readable while the window
    // takes no input.
    for (const MapGridView *grid : {p.fiGrid, p.igGrid}) {
        for (int k = 1; k <= MapCells; ++k)
            keepColoursWhenDisabled(grid->cell(k));
        for (int i = 1; i <= NePoints; ++i)
            keepColoursWhenDisabled(grid->neLabel(i));
        for (int i = 1; i <= ThPoints; ++i)
            keepColoursWhenDisabled(grid->thLabel(i));
    }
    for (const SingleValuePanel *panel : {p.shiftTiming, p.pitRoad, p.idleNe})
        keepColoursWhenDisabled(panel->valueLabel());
}

void MainWindow::buildBottomRow(QWidget *central) {
    m_ecuDataNameFrame =
        panel(central, WindowNames::EcuDataNameFrame, QStringLiteral("ECU Data Name"));
    placeInTwips(m_ecuDataNameFrame, QRect(120, 9120, 4335, 1215));
    m_ecuDataNameLabel =
        valueLabel(m_ecuDataNameFrame, WindowNames::EcuDataNameLabel, QRect(240, 480, 3855, 420));

    m_dataTransmitFrame =
        panel(central, WindowNames::DataTransmitFrame, QStringLiteral("Data Transmit"));
    placeInTwips(m_dataTransmitFrame, QRect(4560, 9120, 6855, 1215));
    m_dataReadButton = button(m_dataTransmitFrame, WindowNames::DataReadButton,
                              QStringLiteral("Data Read"), QRect(240, 420, 3000, 555));
    m_dataWriteButton = button(m_dataTransmitFrame, WindowNames::DataWriteButton,
                               QStringLiteral("Data Write"), QRect(3600, 420, 3000, 555));
    // Between the frame and Quit, where the row had room: no control moved.
    m_reviewWriteButton =
        button(central, WindowNames::ReviewWriteButton, QStringLiteral("Review and\nWrite\u2026"),
               QRect(11520, 9420, 1335, 615));
    m_quitButton = button(central, WindowNames::QuitButton, QStringLiteral("Quit"),
                          QRect(12960, 9420, 2175, 615));
    keepKeysInTheView({m_dataReadButton, m_dataWriteButton, m_reviewWriteButton, m_quitButton});

    m_progress = new QProgressBar(central);
    m_progress->setObjectName(WindowNames::TransferProgress);
    placeInTwips(m_progress, QRect(120, 10440, 15015, 300));
    m_progress->setVisible(false);
    // It shows only while a transfer runs, when the window takes no input: drawn live.
    keepColoursWhenDisabled(m_progress);
}
