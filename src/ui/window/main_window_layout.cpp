#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/element_name.h"
#include "common/twips.h"
#include "compare/compare_commands.h"
#include "files/settings_store.h"
#include "graph/map_graph_view.h"
#include "grid/map_edit_commands.h"
#include "grid/map_grid_view.h"
#include "map3d/map3d_view.h"
#include "panels/ru_map_view.h"
#include "panels/single_value_panel.h"
#include "window/comment_box.h"
#include "window/edit_menu.h"
#include "window/file_commands.h"
#include "window/main_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

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

} // namespace

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
    // The box keeps its own undo; its text is the document's comment.
    connect(m_text3, &QPlainTextEdit::textChanged, this,
            [this] { m_document.setComment(m_text3->toPlainText()); });

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
        new SingleValuePanel(QStringLiteral("Frame4"), captions[7], QStringLiteral("Label14"), 0,
                             m_document, ShiftNeOffset, &EcuTables::ShiftNeText, m_dataEditFrame);
    p.pitRoad = new SingleValuePanel(QStringLiteral("FramePITroad"), captions[8],
                                     QStringLiteral("Lbl_PITroad"), 1, m_document, PitLimitOffset,
                                     &EcuTables::PitLimitText, m_dataEditFrame);
    p.idleNe = new SingleValuePanel(QStringLiteral("FrameIdleNe"), captions[9],
                                    QStringLiteral("Lbl_IdleNe"), 2, m_document, IdleNeOffset,
                                    &EcuTables::IdleNeText, m_dataEditFrame);
    for (QWidget *view : p.all()) {
        if (view->parentWidget() == m_dataEditFrame) {
            view->setGeometry(twipsRect(SmallPanelLeft, SmallPanelTop, 4200, 1335));
        } else {
            view->setGeometry(
                twipsRect(LargePanelLeft, LargePanelTop, LargePanelWidth, LargePanelHeight));
            view->raise();
        }
    }
    m_views = new ViewSwitcher(*m_combo1, m_panels, m_document, this);

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
    // It shows only while a transfer runs, when the window takes no input: drawn live.
    keepColoursWhenDisabled(m_progress);
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
    buildCompareMenu(file);
    file->addSeparator()->setObjectName(QStringLiteral("mnuNON"));
    m_mnuQuit = addItem(file, QStringLiteral("mnuQuit(3)"), QStringLiteral("Quit"));
    m_mnuQuit->setShortcut(QKeySequence::Quit);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_editMenu = new EditMenu(*edit, m_document.undoStack(), this);
    m_mapEdits = new MapEditCommands(*edit, m_document, *m_operator,
                                     {m_panels.fiGrid, m_panels.igGrid}, this);

    QMenu *view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("mnuView"));
    m_mnuCellColours =
        addItem(view, QStringLiteral("mnuCellColours"), QStringLiteral("Colour cells by value"));
    m_mnuCellColours->setCheckable(true);
    connect(m_mnuCellColours, &QAction::toggled, this, [this](bool on) {
        m_panels.fiGrid->setValueColours(on);
        m_panels.igGrid->setValueColours(on);
        writeCellColours(m_settings, on);
    });
    m_mnuCellColours->setChecked(readCellColours(m_settings));

    QMenu *ports = menuBar()->addMenu(QStringLiteral("CommPort"));
    ports->setObjectName(QStringLiteral("mnuCOMMP"));
    for (int k = 1; k <= LastPortNo; ++k) {
        QAction *item = addItem(ports, elementName("mnuCOM_NO", k), QStringLiteral("COM%1").arg(k));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, k] { selectPort(k); });
        m_mnuComNo[static_cast<std::size_t>(k - 1)] = item;
    }
    ports->addSeparator();
    m_mnuPortDevice =
        addItem(ports, QStringLiteral("mnuPortDevice"), QStringLiteral("Port device\u2026"));
    connect(m_mnuPortDevice, &QAction::triggered, this, &MainWindow::choosePortDevice);
    // Adapters come and go: the items name what the system has when the menu opens.
    connect(ports, &QMenu::aboutToShow, this, [this] { refreshPortMenu(true); });

    QMenu *transmit = menuBar()->addMenu(QStringLiteral("DataTransmit"));
    transmit->setObjectName(QStringLiteral("mnuDataTransmit"));
    m_mnuDataRead = addItem(transmit, QStringLiteral("mnuData(1)"), QStringLiteral("DataRead"));
    m_mnuDataWrite = addItem(transmit, QStringLiteral("mnuData(2)"), QStringLiteral("DataWrite"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuAbout = addItem(help, QStringLiteral("mnuAbout(1)"), QStringLiteral("About..."));
}

void MainWindow::buildCompareMenu(QMenu *file) {
    file->addSeparator();
    m_mnuCompareFile = file->addAction(QStringLiteral("Compare with file\u2026"));
    m_mnuCompareFile->setObjectName(QStringLiteral("mnuCompareFile"));
    m_mnuCompareFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_mnuCompareBeforeRead = file->addAction(QStringLiteral("Compare with data before the read"));
    m_mnuCompareBeforeRead->setObjectName(QStringLiteral("mnuCompareBeforeRead"));
    m_mnuCompareBeforeRead->setEnabled(false);
    m_mnuCompareOff = file->addAction(QStringLiteral("Compare off"));
    m_mnuCompareOff->setObjectName(QStringLiteral("mnuCompareOff"));
    m_mnuCompareOff->setEnabled(false);
    m_mnuHistory = file->addAction(QStringLiteral("History\u2026"));
    m_mnuHistory->setObjectName(QStringLiteral("mnuHistory"));
    connect(m_mnuCompareFile, &QAction::triggered, this,
            [this] { m_compare->compareWithFile(fileState().E2PFileDir); });
    connect(m_mnuCompareBeforeRead, &QAction::triggered, m_compare,
            &CompareCommands::compareWithBeforeRead);
    connect(m_mnuCompareOff, &QAction::triggered, m_compare, &CompareCommands::compareOff);
    connect(m_mnuHistory, &QAction::triggered, this, &MainWindow::showHistory);
    connect(m_compare, &CompareCommands::beforeReadKept, this,
            [this] { m_mnuCompareBeforeRead->setEnabled(true); });

    m_compareStatus = new QLabel(this);
    m_compareStatus->setObjectName(QStringLiteral("CompareStatus"));
    statusBar()->addWidget(m_compareStatus);
    statusBar()->setVisible(false);
}
