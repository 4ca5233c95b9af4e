#include "main_window.h"

#include "app_title.h"
#include "clickable_label.h"
#include "comment_box.h"
#include "dialogs/idle_speed_editor.h"
#include "dialogs/map_cell_editor.h"
#include "dialogs/ru_all_change_dialog.h"
#include "dialogs/speed_editor.h"
#include "dialogs/th_point_editor.h"
#include "element_name.h"
#include "files/e2p_reader.h"
#include "files/settings_store.h"
#include "graph_view.h"
#include "image/hexdata_conv.h"
#include "link/ecu_link.h"
#include "link/qt_serial_port.h"
#include "link/tmp_path.h"
#include "map3d_view.h"
#include "map_grid_view.h"
#include "message_box_operator.h"
#include "qt_file_dialogs.h"
#include "single_value_panel.h"
#include "twips.h"
#include "window_operator.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

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

const QStringList ViewCaptions{QStringLiteral("Fi Map (number of percent)"),
                               QStringLiteral("Fi Map (graph mode)"),
                               QStringLiteral("Fi Map (3D graph)"),
                               QStringLiteral("IG Map (number of degree)"),
                               QStringLiteral("IG Map (graph mode)"),
                               QStringLiteral("IG Map (3D graph)"),
                               QStringLiteral("RU MAP"),
                               QStringLiteral("ShiftTiming Indicator"),
                               QStringLiteral("PITroad Limit"),
                               QStringLiteral("Idring Ne")};

const QString NoFileName = QStringLiteral("file select");
const QString NoFileDate = QStringLiteral("----");

QLabel *valueLabel(QWidget *parent, const QString &name, const QRect &geometry) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text, const QRect &geometry) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text,
                    const QRect &geometry) {
    auto *push = new QPushButton(text, parent);
    push->setObjectName(name);
    push->setGeometry(geometry);
    return push;
}

QGroupBox *panel(QWidget *parent, const QString &name, const QString &title) {
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

// A fresh dialog on every opening; it deletes itself when it closes.
template <typename Dialog>
void openEditDialog(MainWindow &window) {
    auto *dialog = new Dialog(window);
    dialog->open();
}

} // namespace

MainWindow::MainWindow(SettingsStore &settings, Operator *op, FileDialogs *dialogs, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_operator(op)
    , m_dialogs(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    buildWindow();
    if (!m_operator) {
        m_ownOperator = std::make_unique<MessageBoxOperator>(this);
        m_operator = m_ownOperator.get();
    }
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<QtFileDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    m_linkOperator =
        std::make_unique<WindowOperator>(*m_operator, [this](bool busy) { setTransferBusy(busy); });
    m_port = std::make_unique<QtSerialPort>();
    m_link = std::make_unique<EcuLink>(*m_port, *m_linkOperator, m_settings);
    connect(m_link.get(), &EcuLink::progress, this, [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    connectViews();
    startUp();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow() {
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Form1Client"));
    central->setFixedSize(twipsSize(ClientWidth, ClientHeight));
    setCentralWidget(central);
    buildFileFrame(central);
    buildDataEditFrame(central);
    buildBottomRow(central);
    buildMenus();
}

void MainWindow::buildFileFrame(QWidget *central) {
    auto *frame = panel(central, QStringLiteral("Frame0(0)"), QStringLiteral("E2P File"));
    frame->setGeometry(twipsRect(120, 120, 10455, 1335));
    caption(frame, QStringLiteral("Label1(0)"), QStringLiteral("File Name"),
            twipsRect(120, 360, 1080, 300));
    caption(frame, QStringLiteral("Label1(1)"), QStringLiteral("Date"),
            twipsRect(120, 840, 1080, 300));
    caption(frame, QStringLiteral("Label1(2)"), QStringLiteral("Comment Area "),
            twipsRect(4560, 300, 1500, 300));
    m_label2 = valueLabel(frame, QStringLiteral("Label2"), twipsRect(1200, 330, 3120, 360));
    m_label3 = valueLabel(frame, QStringLiteral("Label3"), twipsRect(1200, 810, 3120, 360));
    m_text3 = newCommentBox(frame);
    m_text3->setObjectName(QStringLiteral("Text3"));
    m_text3->setGeometry(twipsRect(6060, 240, 4275, 975));
    m_text3->setPlainText(QStringLiteral("Comment\n"));

    m_command1 = button(central, QStringLiteral("Command1"), QStringLiteral("Open File"),
                        twipsRect(10800, 240, 1935, 495));
    m_command2 = button(central, QStringLiteral("Command2"), QStringLiteral("Save File"),
                        twipsRect(10800, 840, 1935, 495));
}

void MainWindow::buildDataEditFrame(QWidget *central) {
    m_dataEditFrame = panel(central, QStringLiteral("Frame0(1)"), QStringLiteral("Data Edit"));
    m_dataEditFrame->setGeometry(twipsRect(DataEditLeft, DataEditTop, 15015, 7455));
    m_combo1 = new QComboBox(m_dataEditFrame);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setGeometry(twipsRect(360 - DataEditLeft, 1800 - DataEditTop, 4200, 330));

    m_fiGrid = new MapGridView(MapKind::Fi, central);
    m_fiGraph = new GraphView(GraphKind::Fi, m_data, m_state, central);
    m_fi3D = new Map3DView(Map3DKind::Fi, central);
    m_igGrid = new MapGridView(MapKind::Ig, central);
    m_igGraph = new GraphView(GraphKind::Ig, m_data, m_state, central);
    m_ig3D = new Map3DView(Map3DKind::Ig, central);
    m_ruView = new GraphView(GraphKind::Ru, m_data, m_state, central);
    m_shiftPanel = new SingleValuePanel(QStringLiteral("Frame4"), ViewCaptions[7],
                                        QStringLiteral("Label14"), 0, m_dataEditFrame);
    m_pitPanel = new SingleValuePanel(QStringLiteral("FramePITroad"), ViewCaptions[8],
                                      QStringLiteral("Lbl_PITroad"), 1, m_dataEditFrame);
    m_idlePanel = new SingleValuePanel(QStringLiteral("FrameIdleNe"), ViewCaptions[9],
                                       QStringLiteral("Lbl_IdleNe"), 2, m_dataEditFrame);
    for (QWidget *large : {static_cast<QWidget *>(m_fiGrid), static_cast<QWidget *>(m_fiGraph),
                           static_cast<QWidget *>(m_fi3D), static_cast<QWidget *>(m_igGrid),
                           static_cast<QWidget *>(m_igGraph), static_cast<QWidget *>(m_ig3D),
                           static_cast<QWidget *>(m_ruView)}) {
        large->setGeometry(
            twipsRect(LargePanelLeft, LargePanelTop, LargePanelWidth, LargePanelHeight));
        large->raise();
    }
    for (QWidget *small : {m_shiftPanel, m_pitPanel, m_idlePanel})
        small->setGeometry(twipsRect(SmallPanelLeft, SmallPanelTop, 4200, 1335));
}

void MainWindow::buildBottomRow(QWidget *central) {
    m_frame6 = panel(central, QStringLiteral("Frame6"), QStringLiteral("ECU Data Name"));
    m_frame6->setGeometry(twipsRect(120, 9120, 4335, 1215));
    m_label16 = valueLabel(m_frame6, QStringLiteral("Label16"), twipsRect(240, 480, 3855, 420));

    m_frame5 = panel(central, QStringLiteral("Frame5"), QStringLiteral("Data Transmit"));
    m_frame5->setGeometry(twipsRect(4560, 9120, 6855, 1215));
    m_command7 = button(m_frame5, QStringLiteral("Command7"), QStringLiteral("Data Read"),
                        twipsRect(240, 420, 3000, 555));
    m_command3 = button(m_frame5, QStringLiteral("Command3"), QStringLiteral("Data Write"),
                        twipsRect(3600, 420, 3000, 555));
    m_command4 = button(central, QStringLiteral("Command4"), QStringLiteral("Quit"),
                        twipsRect(12960, 9420, 2175, 615));

    m_progress = new QProgressBar(central);
    m_progress->setObjectName(QStringLiteral("TransferProgress"));
    m_progress->setGeometry(twipsRect(120, 10440, 15015, 300));
    m_progress->setVisible(false);
}

void MainWindow::buildMenus() {
    auto addItem = [this](QMenu *menu, const QString &name, const QString &text) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        return action;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    m_mnuOpenFile = addItem(file, QStringLiteral("mnuOpenFile(1)"), QStringLiteral("OpenFile..."));
    m_mnuSaveFile = addItem(file, QStringLiteral("mnuSaveFile(2)"), QStringLiteral("SaveFile..."));
    file->addSeparator()->setObjectName(QStringLiteral("mnuNON"));
    m_mnuQuit = addItem(file, QStringLiteral("mnuQuit(3)"), QStringLiteral("Quit"));
    m_mnuQuit->setShortcut(QKeySequence::Quit);

    QMenu *ports = menuBar()->addMenu(QStringLiteral("CommPort"));
    ports->setObjectName(QStringLiteral("mnuCOMMP"));
    for (int k = 1; k <= LastPortNo; ++k) {
        QAction *item = addItem(ports, elementName("mnuCOM_NO", k), QStringLiteral("COM%1").arg(k));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, k] { selectPort(k); });
        m_mnuComNo[static_cast<std::size_t>(k - 1)] = item;
    }

    QMenu *transmit = menuBar()->addMenu(QStringLiteral("DataTransmit"));
    transmit->setObjectName(QStringLiteral("mnuDataTransmit"));
    m_mnuDataRead = addItem(transmit, QStringLiteral("mnuData(1)"), QStringLiteral("DataRead"));
    m_mnuDataWrite = addItem(transmit, QStringLiteral("mnuData(2)"), QStringLiteral("DataWrite"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuAbout = addItem(help, QStringLiteral("mnuAbout(1)"), QStringLiteral("About..."));
}

void MainWindow::connectViews() {
    connect(m_command1, &QPushButton::clicked, this, &MainWindow::E2PFileOpen);
    connect(m_mnuOpenFile, &QAction::triggered, this, &MainWindow::E2PFileOpen);
    connect(m_command2, &QPushButton::clicked, this, &MainWindow::E2PFileSave);
    connect(m_mnuSaveFile, &QAction::triggered, this, &MainWindow::E2PFileSave);
    connect(m_command4, &QPushButton::clicked, this, &MainWindow::close);
    connect(m_mnuQuit, &QAction::triggered, this, &MainWindow::close);
    connect(m_mnuAbout, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_command7, &QPushButton::clicked, this, &MainWindow::EcuDataRead);
    connect(m_mnuDataRead, &QAction::triggered, this, &MainWindow::EcuDataRead);
    connect(m_command3, &QPushButton::clicked, this, &MainWindow::EcuDataWrite);
    connect(m_mnuDataWrite, &QAction::triggered, this, &MainWindow::EcuDataWrite);

    connect(m_combo1, &QComboBox::activated, this,
            [this](int index) { selectView(static_cast<ViewPosition>(index)); });

    for (MapGridView *grid : {m_fiGrid, m_igGrid}) {
        const MapKind kind = grid->kind();
        connect(grid, &MapGridView::cellClicked, this, [this, kind](int k) {
            m_state.SelIndex = static_cast<std::uint8_t>(k - 1);
            m_state.MapEditMode = 3;
            openMapCellEditor(kind);
        });
        connect(grid, &MapGridView::allAreaClicked, this, [this, kind] {
            m_state.MapEditMode = 2;
            openMapCellEditor(kind);
        });
    }
    // Only the Fi grid's axes are click targets; the IG grid shows the same axes.
    connect(m_fiGrid, &MapGridView::neLabelClicked, this, [this](int i) {
        m_state.SelIndex = static_cast<std::uint8_t>(i);
        if (i != 1 && i != NePoints && i != NePoints + 1) {
            m_state.ValueEditMode = 1;
            openEditDialog<SpeedEditor>(*this);
        }
    });
    connect(m_fiGrid, &MapGridView::thLabelClicked, this, [this](int i) {
        m_state.SelIndex = static_cast<std::uint8_t>(i);
        // The first and last points and the title stay where they are.
        if (i >= 2 && i < ThPoints)
            openEditDialog<ThPointEditor>(*this);
    });
    connect(m_shiftPanel, &SingleValuePanel::valueClicked, this, [this] {
        m_state.ValueEditMode = 2;
        openEditDialog<SpeedEditor>(*this);
    });
    connect(m_pitPanel, &SingleValuePanel::valueClicked, this, [this] {
        m_state.ValueEditMode = 4;
        openEditDialog<SpeedEditor>(*this);
    });
    connect(m_idlePanel, &SingleValuePanel::valueClicked, this,
            [this] { openEditDialog<IdleSpeedEditor>(*this); });
    connect(m_ruView, &GraphView::allDataChangeClicked, this,
            [this] { (new RuAllChangeDialog(*this))->open(); });
}

void MainWindow::startUp() {
    setWindowTitle(AppTitle);
    adjustSize();
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.left() + (available.width() - frameGeometry().width()) / 2,
             available.top() + (available.height() - frameGeometry().height()) / 2);
    }

    fFormVisibleOFF();
    m_fiGrid->setVisible(true);
    m_frame6->setVisible(false);

    m_combo1->addItems(ViewCaptions);
    m_combo1->setCurrentIndex(0);

    m_fi3D->setUpColourSpectrum();
    m_ig3D->setUpColourSpectrum();

    m_portNo = readPortNo(m_settings);
    selectPort(m_portNo);

    m_state.SliderArmedFi = SliderDisarmed;
    m_state.SliderArmedIg = SliderDisarmed;

    for (QWidget *control :
         {static_cast<QWidget *>(m_command2), static_cast<QWidget *>(m_command3)})
        control->setEnabled(true);
    m_mnuSaveFile->setEnabled(true);
    m_mnuDataWrite->setEnabled(true);

    const LastFile last = readLastFile(m_settings);
    if (last.path == NoLastFile) {
        enterNoFileState(false);
        return;
    }
    // A stored name too short to carry an extension is no usable last file.
    if (last.name.size() < 4) {
        enterNoFileState(false);
        return;
    }
    m_file = {last.path, last.dir, last.name};
    m_label2->setText(dataNameOfFile(last.name));

    HexReadResult read = HEX_Data_read(last.path);
    if (!read.HexReadOk) {
        m_operator->tell(read.message, read.icon);
        enterNoFileState(false);
        return;
    }
    EcuData loaded;
    loaded.image = read.image;
    HEXdata_Conv(loaded);
    // A foreign file passes in silence.
    if (EcuDataType(loaded.image) != EcuMarker) {
        enterNoFileState(false);
        return;
    }
    m_data = loaded;
    m_hasData = true;
    refreshLabels();
    showFileTime(QFileInfo(last.path).lastModified());
    setComment(read.comment);
}

void MainWindow::enterNoFileState(bool clearComment) {
    m_hasData = false;
    m_label2->setText(NoFileName);
    m_label3->setText(NoFileDate);
    if (clearComment)
        setComment({});
    for (QWidget *control :
         {static_cast<QWidget *>(m_command2), static_cast<QWidget *>(m_command7),
          static_cast<QWidget *>(m_command3), static_cast<QWidget *>(m_fiGrid->allAreaButton()),
          static_cast<QWidget *>(m_combo1), static_cast<QWidget *>(m_fiGrid)})
        control->setEnabled(false);
    for (QAction *item : {m_mnuSaveFile, m_mnuDataRead, m_mnuDataWrite})
        item->setEnabled(false);
    fFormVisibleOFF();
    m_frame6->setVisible(false);
}

void MainWindow::enterDataState() {
    m_hasData = true;
    for (QWidget *control :
         {static_cast<QWidget *>(m_command2), static_cast<QWidget *>(m_command7),
          static_cast<QWidget *>(m_command3), static_cast<QWidget *>(m_fiGrid->allAreaButton()),
          static_cast<QWidget *>(m_combo1)})
        control->setEnabled(true);
    for (QAction *item : {m_mnuSaveFile, m_mnuDataRead, m_mnuDataWrite})
        item->setEnabled(true);
    for (QWidget *frame : viewPanels())
        frame->setEnabled(true);
    m_combo1->setCurrentIndex(0);
    fFormVisibleOFF();
    m_fiGrid->setVisible(true);
    m_fiGrid->raise();
    m_frame6->setVisible(false);
}

QList<QWidget *> MainWindow::viewPanels() const {
    return {m_fiGrid, m_fiGraph, m_fi3D,       m_igGrid,   m_igGraph,
            m_ig3D,   m_ruView,  m_shiftPanel, m_pitPanel, m_idlePanel};
}

QList<QWidget *> MainWindow::dataFrames() const {
    return {m_fiGrid,   m_fiGraph, m_shiftPanel, m_frame6, m_fi3D,
            m_pitPanel, m_igGrid,  m_igGraph,    m_ig3D};
}

void MainWindow::fFormVisibleOFF() {
    for (QWidget *frame : viewPanels())
        frame->setVisible(false);
}

void MainWindow::selectView(ViewPosition position) {
    QWidget *shown = nullptr;
    switch (position) {
    case ViewPosition::FiNumeric:
        m_fiGrid->fill(m_data.tables);
        shown = m_fiGrid;
        break;
    case ViewPosition::FiGraph:
        m_fiGraph->enter();
        shown = m_fiGraph;
        break;
    case ViewPosition::Fi3D:
        m_fi3D->showMap(m_data.tables);
        shown = m_fi3D;
        break;
    case ViewPosition::IgNumeric:
        m_igGrid->fill(m_data.tables);
        shown = m_igGrid;
        break;
    case ViewPosition::IgGraph:
        m_igGraph->enter();
        shown = m_igGraph;
        break;
    case ViewPosition::Ig3D:
        m_ig3D->showMap(m_data.tables);
        shown = m_ig3D;
        break;
    case ViewPosition::RuMap:
        m_ruView->enter();
        shown = m_ruView;
        break;
    case ViewPosition::ShiftTiming:
        shown = m_shiftPanel;
        break;
    case ViewPosition::PitRoad:
        shown = m_pitPanel;
        break;
    case ViewPosition::IdleNe:
        shown = m_idlePanel;
        break;
    }
    fFormVisibleOFF();
    if (shown)
        shown->setVisible(true);
}

void MainWindow::refreshLabels() {
    const EcuTables &t = m_data.tables;
    m_pitPanel->valueLabel()->setText(t.PitLimitText);
    m_shiftPanel->valueLabel()->setText(t.ShiftNeText);
    m_idlePanel->valueLabel()->setText(t.IdleNeText);
    m_fiGrid->showTables(t);
    m_igGrid->showTables(t);
    m_ruView->showValueTexts(t.RuadjText);
}

MapGridView *MainWindow::grid(MapKind kind) const {
    return kind == MapKind::Fi ? m_fiGrid : m_igGrid;
}

Map3DView *MainWindow::view3D(MapKind kind) const {
    return kind == MapKind::Fi ? m_fi3D : m_ig3D;
}

GraphView *MainWindow::graphView(GraphKind kind) const {
    switch (kind) {
    case GraphKind::Fi:
        return m_fiGraph;
    case GraphKind::Ig:
        return m_igGraph;
    case GraphKind::Ru:
        break;
    }
    return m_ruView;
}

void MainWindow::setMainWindowEnabled(bool enabled) {
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
}

bool MainWindow::isMainWindowEnabled() const {
    return centralWidget()->isEnabled() && menuBar()->isEnabled();
}

void MainWindow::enableCommandsAfterMapEdit(bool withDataRead, bool withMenuDataRead) {
    for (QWidget *control : {static_cast<QWidget *>(m_command1), static_cast<QWidget *>(m_command2),
                             static_cast<QWidget *>(m_command3), static_cast<QWidget *>(m_command4),
                             static_cast<QWidget *>(m_fiGrid->allAreaButton())})
        control->setEnabled(true);
    if (withDataRead)
        m_command7->setEnabled(true);
    for (QAction *item : {m_mnuOpenFile, m_mnuSaveFile, m_mnuDataWrite})
        item->setEnabled(true);
    if (withMenuDataRead)
        m_mnuDataRead->setEnabled(true);
}

void MainWindow::openMapCellEditor(MapKind kind) {
    auto *editor = new MapCellEditor(kind, *this);
    editor->open();
}

void MainWindow::setComment(const E2PComment &comment) {
    m_comment = comment;
    QString text = comment.text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text3->setPlainText(text);
}

QString MainWindow::commentText() const {
    QString text = m_text3->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void MainWindow::showFileTime(const QDateTime &time) {
    m_label3->setText(QLocale().toString(time, QLocale::ShortFormat));
}

void MainWindow::E2PFileOpen() {
    OpenOutcome outcome = ::E2PFileOpen(m_file, *m_dialogs, *m_operator, m_settings);
    if (!outcome.accepted()) {
        // The data shown so far stay; a window without data shows that no file is loaded.
        if (!m_hasData && outcome.result == FileCommandResult::Rejected)
            enterNoFileState(true);
        return;
    }
    m_data = outcome.data;
    m_label2->setText(outcome.EcuDataName);
    showFileTime(outcome.fileTime);
    refreshLabels();
    setComment(outcome.comment);
    // A graph view left showing follows the new data before the window returns to Frame1.
    for (GraphView *view : {m_fiGraph, m_ruView}) {
        if (view->isVisibleTo(this))
            view->showLoadedData();
    }
    enterDataState();
}

void MainWindow::E2PFileSave() {
    (void)::E2PFileSave(m_file, m_data.image, m_comment.toSave(commentText()), *m_dialogs,
                        *m_operator, m_settings, [this](const SaveOutcome &saved) {
                            m_label2->setText(saved.EcuDataName);
                            showFileTime(saved.fileTime);
                            m_command3->setEnabled(true);
                            m_mnuDataWrite->setEnabled(true);
                            m_frame6->setVisible(false);
                        });
}

void MainWindow::selectPort(int portNo) {
    for (QAction *item : m_mnuComNo)
        item->setChecked(false);
    m_portNo = portNo;
    QAction *item = m_mnuComNo.at(static_cast<std::size_t>(portNo - 1));
    item->setChecked(true);
    m_frame5->setTitle(QStringLiteral("Data Transmit ----- ") + item->text());
    m_link->setPortNo(portNo);
}

void MainWindow::showAbout() {
    const QString version = QStringLiteral("Version: %1.%2.0.%3")
                                .arg(ECU_VERSION_MAJOR)
                                .arg(ECU_VERSION_MINOR)
                                .arg(ECU_VERSION_REVISION);
    m_operator->tell(AppTitle + QStringLiteral("\r\r") + version + QStringLiteral("\r\r"),
                     MessageIcon::None);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // The transfer's waits run inside this window's event loop; it must end first.
    if (isTransferring()) {
        event->ignore();
        return;
    }
    writePortNo(m_settings, m_portNo);
    event->accept();
}

bool MainWindow::isTransferring() const {
    return m_link && m_link->isTransferring();
}

void MainWindow::setTransferBusy(bool busy) {
    setMainWindowEnabled(!busy);
    m_progress->setValue(0);
    m_progress->setVisible(busy);
}

void MainWindow::EcuDataRead() {
    if (isTransferring())
        return;
    if (!m_link->EcuDataRead([this](const EcuImage &image) { showEcuRead(image); })) {
        // Data that were loaded stay; a window without data keeps "Data Read" at hand.
        if (!m_hasData)
            enterReadFailureState();
    }
}

void MainWindow::showEcuRead(const EcuImage &image) {
    for (QWidget *control :
         {static_cast<QWidget *>(m_command2), static_cast<QWidget *>(m_command7),
          static_cast<QWidget *>(m_fiGrid->allAreaButton()), static_cast<QWidget *>(m_combo1)})
        control->setEnabled(true);
    m_command3->setEnabled(false);
    m_mnuSaveFile->setEnabled(true);
    m_mnuDataRead->setEnabled(true);
    m_mnuDataWrite->setEnabled(false);
    m_combo1->setCurrentIndex(0);
    for (QWidget *frame : dataFrames())
        frame->setEnabled(true);
    fFormVisibleOFF();
    m_fiGrid->setVisible(true);
    m_fiGrid->raise();

    m_data.image = image;
    HEXdata_Conv(m_data);
    m_hasData = true;
    refreshLabels();
    m_label2->setText(QStringLiteral("ECU Read data"));
    m_label3->setText(QStringLiteral("-----"));
    setComment({});
    setMainWindowEnabled(true);
    m_frame6->setVisible(true);
    m_label16->setText(EcuDataName(m_data.image));
}

void MainWindow::enterReadFailureState() {
    enterNoFileState(true);
    // Unlike the no-file state of start-up, "Data Read" stays at hand and the data frames are off.
    m_command7->setEnabled(true);
    m_mnuDataRead->setEnabled(true);
    for (QWidget *frame : dataFrames())
        frame->setEnabled(false);
}

void MainWindow::EcuDataWrite() {
    if (isTransferring())
        return;
    // A last file stored as "0" names no file and no folder.
    const auto known = [](const QString &value) { return value == NoLastFile ? QString() : value; };
    const EcuImage image = m_data.image;
    const QString tmpPath =
        TmpPath(known(m_file.E2PFilePath), known(m_file.E2PFileDir), EcuDataName(image));
    // A write that stopped among the words offers to write the same image again.
    while (m_link->EcuDataWrite(image, tmpPath, WriteAgainOffer::Yes) == WriteOutcome::WriteAgain) {
    }
}
