#include "window/main_window.h"

#include "common/app_title.h"
#include "compare/compare_commands.h"
#include "dialogs/edit_dialog.h"
#include "dialogs/open_edit_dialog.h"
#include "dialogs/port_device_dialog.h"
#include "files/settings_store.h"
#include "graph/graph_view.h"
#include "grid/map_edit_commands.h"
#include "grid/map_grid_view.h"
#include "map3d/map3d_view.h"
#include "panels/ru_map_view.h"
#include "panels/single_value_panel.h"
#include "window/edit_menu.h"
#include "window/file_commands.h"
#include "window/fingerprint_status.h"
#include "window/message_box_operator.h"
#include "window/qt_file_dialogs.h"
#include "window/transfer_commands.h"
#include "window/window_names.h"
#include "window/window_operator.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

MainWindow::MainWindow(SettingsStore &settings, const WindowSeams &seams, const QString &startFile,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_operator(seams.op)
    , m_ports(seams.ports)
    , m_history(seams.historyPath.isEmpty() ? HistoryFolder::defaultPath() : seams.historyPath) {
    setObjectName(WindowNames::Window);
    setAcceptDrops(true);
    if (!m_operator) {
        m_ownOperator = std::make_unique<MessageBoxOperator>(this);
        m_operator = m_ownOperator.get();
    }
    FileDialogs *dialogs = seams.dialogs;
    if (!dialogs) {
        m_ownDialogs = std::make_unique<QtFileDialogs>(this);
        dialogs = m_ownDialogs.get();
    }
    m_dialogs = dialogs;
    if (!m_ports) {
        m_ownPorts = std::make_unique<SystemSerialPortList>();
        m_ports = m_ownPorts.get();
    }
    m_files = new FileCommands(m_document, *dialogs, *m_operator, m_settings, this);
    m_linkOperator =
        std::make_unique<WindowOperator>(*m_operator, [this](bool busy) { setTransferBusy(busy); });
    m_compare = new CompareCommands(m_comparison, *dialogs, *m_operator, this);
    m_transfers = new TransferCommands(
        m_document, m_files->fileState(), *m_linkOperator, m_settings, m_history,
        [this] { return m_files->maySaveOrDiscard(BeforeReading); }, this);
    buildWindow();
    m_editContext = std::make_unique<EditContext>(EditContext{
        *this, m_document, m_dragAnchor, *m_operator, *this, *m_panels.fiGrid, *m_panels.igGrid,
        *m_panels.shiftTiming, *m_panels.pitRoad, *m_panels.idleNe, m_keepMapShape});
    connectCommands();
    connectEditors();
    startUp(startFile);
}

MainWindow::~MainWindow() {
    // The views and the commands they tell refer to the document, a member that goes before the
    // window's children would: the views go first, while it is still there.
    delete takeCentralWidget();
}

void MainWindow::connectCommands() {
    connect(m_openFileButton, &QPushButton::clicked, m_files, &FileCommands::openFile);
    connect(m_openFileAction, &QAction::triggered, m_files, &FileCommands::openFile);
    connect(m_saveFileButton, &QPushButton::clicked, m_files, &FileCommands::saveFile);
    connect(m_saveFileAction, &QAction::triggered, m_files, &FileCommands::saveFile);
    connect(m_quitButton, &QPushButton::clicked, this, &MainWindow::close);
    connect(m_quitAction, &QAction::triggered, this, &MainWindow::close);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_dataReadButton, &QPushButton::clicked, m_transfers, &TransferCommands::EcuDataRead);
    connect(m_dataReadAction, &QAction::triggered, m_transfers, &TransferCommands::EcuDataRead);
    connect(m_dataWriteButton, &QPushButton::clicked, m_transfers, &TransferCommands::EcuDataWrite);
    connect(m_dataWriteAction, &QAction::triggered, m_transfers, &TransferCommands::EcuDataWrite);

    connect(m_files, &FileCommands::opened, this, [this](const ShownFile &file) {
        showFile(file);
        enterDataState();
        m_fingerprint->noteEvent(QStringLiteral("Opened ") + fileState().fileName);
    });
    // The data shown so far stay; a window without data shows that no file is loaded.
    connect(m_files, &FileCommands::openFailed, this, [this](FileCommandResult result) {
        if (!hasData() && result == FileCommandResult::Rejected)
            enterNoFileState(true);
    });
    connect(m_files, &FileCommands::saved, this, [this](const ShownFile &file) {
        showFile(file);
        m_fingerprint->noteEvent(QStringLiteral("Saved ") + fileState().fileName);
        m_dataWriteButton->setEnabled(true);
        m_dataWriteAction->setEnabled(true);
        m_ecuDataNameFrame->setVisible(false);
    });
    connect(m_transfers, &TransferCommands::progress, this, [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    connect(m_transfers, &TransferCommands::imageRead, this, &MainWindow::showEcuRead);
    connect(&m_comparison, &Comparison::changed, this, &MainWindow::showComparisonSummary);
    m_panels.fiGrid->setComparison(&m_comparison);
    m_panels.igGrid->setComparison(&m_comparison);
    for (GraphView *graph :
         std::initializer_list<GraphView *>{m_panels.fiGraph, m_panels.igGraph, m_panels.ruView})
        graph->setComparison(&m_comparison);
    for (SingleValuePanel *single : {m_panels.shiftTiming, m_panels.pitRoad, m_panels.idleNe})
        single->setComparison(&m_comparison);
    // Data that were loaded stay; a window without data keeps "Data Read" at hand.
    connect(m_transfers, &TransferCommands::readFailed, this, [this] {
        if (!hasData())
            enterReadFailureState();
    });
    connect(&m_document, &CalibrationDocument::dataReplaced, this, &MainWindow::showLoadedComment);
    connect(&m_document, &CalibrationDocument::modifiedChanged, this,
            &MainWindow::setWindowModified);
}

void MainWindow::connectEditors() {
    const auto open = [this](const EditRequest &request) {
        return openEditDialog(*m_editContext, request);
    };
    for (MapGridView *grid : {m_panels.fiGrid, m_panels.igGrid}) {
        const MapKind kind = grid->kind();
        connect(grid, &MapGridView::cellClicked, this, [open, kind, grid](int k) {
            // The keys go on where they left off: the grid, its cursor on the cell.
            connect(open(MapCellRequest{kind, k}), &QDialog::finished, grid,
                    [grid, k] { grid->returnFocus(k); });
        });
        connect(grid, &MapGridView::allAreaClicked, this, [open, kind] {
            open(MapCellRequest{kind, std::nullopt});
        });
    }
    // Only the Fi grid's axes are click targets; the IG grid shows the same axes.
    connect(m_panels.fiGrid, &MapGridView::neLabelClicked, this, [open](int i) {
        open(AxisPointRequest{Axis::Ne, i});
    });
    connect(m_panels.fiGrid, &MapGridView::thLabelClicked, this, [open](int i) {
        open(AxisPointRequest{Axis::Th, i});
    });
    const std::pair<SingleValuePanel *, SpeedSetting> speeds[] = {
        {m_panels.shiftTiming, SpeedSetting::ShiftTiming},
        {m_panels.pitRoad, SpeedSetting::PitRoad},
        {m_panels.idleNe, SpeedSetting::IdleNe}};
    for (const auto &[panel, speed] : speeds)
        connect(panel, &SingleValuePanel::valueClicked, this,
                [open, speed] { open(SpeedRequest{speed}); });
    connect(m_panels.ruView, &RuMapView::allDataChangeClicked, this,
            [open] { open(RuMapRequest{}); });
}

void MainWindow::startUp(const QString &startFile) {
    setWindowTitle(AppTitle + QStringLiteral("[*]"));
    placeOnScreen();

    m_views->hideViewPanels();
    m_panels.fiGrid->setVisible(true);
    m_ecuDataNameFrame->setVisible(false);

    m_viewSelector->addItems(ViewSwitcher::captions());
    m_viewSelector->setCurrentIndex(0);

    m_panels.fi3D->setUpColourSpectrum();
    m_panels.ig3D->setUpColourSpectrum();

    m_portNo = readPortNo(m_settings);
    refreshPortMenu(false);
    selectPort(m_portNo);

    for (QWidget *control :
         {static_cast<QWidget *>(m_saveFileButton), static_cast<QWidget *>(m_dataWriteButton)})
        control->setEnabled(true);
    m_saveFileAction->setEnabled(true);
    m_dataWriteAction->setEnabled(true);

    // A file named on the command line is opened as Open File opens it.
    if (!startFile.isEmpty()) {
        if (!m_files->openChosenFile(startFile))
            enterNoFileState(false);
        return;
    }
    const std::optional<ShownFile> last = m_files->loadLastFile();
    if (!last) {
        enterNoFileState(false);
        return;
    }
    showFile(*last);
    m_fingerprint->noteEvent(QStringLiteral("Opened ") + fileState().fileName);
    // Typing at once edits the grid.
    m_views->focusShownView();
}

void MainWindow::childEvent(QChildEvent *event) {
    QMainWindow::childEvent(event);
    // Every dialog of the window (an editor, a message, a file chooser, Scale…) gives the keys
    // back to the view when it closes, whichever box had them before it opened. A child is
    // polished when first shown, by then a dialog is one.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *dialog = qobject_cast<QDialog *>(event->child()))
            connect(dialog, &QDialog::finished, this, &MainWindow::takeKeysBack,
                    Qt::UniqueConnection);
    }
}

void MainWindow::takeKeysBack() {
    // Window managers give the keys back to the window when a dialog closes; not every
    // platform has one.
    activateWindow();
    m_views->focusShownView();
}

MapGridView *MainWindow::grid(MapKind kind) const {
    return kind == MapKind::Fi ? m_panels.fiGrid : m_panels.igGrid;
}

Map3DView *MainWindow::view3D(MapKind kind) const {
    return kind == MapKind::Fi ? m_panels.fi3D : m_panels.ig3D;
}

GraphView *MainWindow::graphView(GraphKind kind) const {
    switch (kind) {
    case GraphKind::Fi:
        return m_panels.fiGraph;
    case GraphKind::Ig:
        return m_panels.igGraph;
    case GraphKind::Ru:
        break;
    }
    return m_panels.ruView;
}

const E2PFileState &MainWindow::fileState() const {
    return m_files->fileState();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (isMainWindowEnabled() && urls.size() == 1 && urls.front().isLocalFile() &&
        urls.front().toLocalFile().endsWith(QStringLiteral(".E2P"), Qt::CaseInsensitive))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!isMainWindowEnabled() || urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    m_files->openDroppedFile(urls.front().toLocalFile());
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // The transfer's waits run inside this window's event loop; it must end first.
    if (m_transfers->isTransferring() || !m_files->maySaveOrDiscard(BeforeQuitting)) {
        event->ignore();
        return;
    }
    writePortNo(m_settings, m_portNo);
    rememberPlacement();
    event->accept();
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Once the system has framed the window, all of it is on the screen.
    if (!m_shownOnce) {
        m_shownOnce = true;
        QTimer::singleShot(0, this, &MainWindow::keepOnScreen);
    }
    // Told once the window is on screen, never from a box that would stand in for it.
    const QString warning = m_settings.notSavedWarning();
    if (!m_settingsWarningDue || warning.isEmpty())
        return;
    m_settingsWarningDue = false;
    QTimer::singleShot(0, this,
                       [this, warning] { m_operator->tell(warning, MessageIcon::Exclamation); });
}
