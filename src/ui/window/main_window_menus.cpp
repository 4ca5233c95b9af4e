// The main window's menu bar, and what its port, history, compare and help items do.

#include "common/app_title.h"
#include "compare/compare_commands.h"
#include "compare/difference_view_commands.h"
#include "compare/history_dialog.h"
#include "compare/review_dialog.h"
#include "compare/take_commands.h"
#include "dialogs/port_device_dialog.h"
#include "files/settings_store.h"
#include "grid/map_edit_commands.h"
#include "grid/map_grid_view.h"
#include "grid/operating_point_bar.h"
#include "image/program_version.h"
#include "link/ecu_link.h"
#include "window/edit_menu.h"
#include "window/file_commands.h"
#include "window/fingerprint_status.h"
#include "window/main_window.h"
#include "window/table_csv_menu.h"
#include "window/transfer_commands.h"
#include "window/window_names.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

void MainWindow::buildMenus() {
    auto addItem = [this](QMenu *menu, const QString &name, const QString &text) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        return action;
    };

    // Each menu and item has its mnemonic (Alt+F opens "File"); the texts show as they read.
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(WindowNames::FileMenu);
    m_openFileAction = addItem(file, WindowNames::OpenFileItem, QStringLiteral("&OpenFile..."));
    m_openFileAction->setShortcut(QKeySequence::Open);
    m_saveFileAction = addItem(file, WindowNames::SaveFileItem, QStringLiteral("&SaveFile..."));
    m_saveFileAction->setShortcut(QKeySequence::Save);
    file->addSeparator();
    new TableCsvMenu(*file, m_document, m_files->fileState(), *m_dialogs, *m_operator, this);
    buildCompareMenu(file);
    file->addSeparator()->setObjectName(WindowNames::FileMenuSeparator);
    m_quitAction = addItem(file, WindowNames::QuitItem, QStringLiteral("&Quit"));
    m_quitAction->setShortcut(QKeySequence::Quit);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(WindowNames::EditMenu);
    m_editMenu = new EditMenu(*edit, m_document.undoStack(), this);
    m_mapEdits = new MapEditCommands(*edit, m_document, *m_operator,
                                     {m_panels.fiGrid, m_panels.igGrid}, this);
    edit->addSeparator();
    QAction *keepMapShape =
        addItem(edit, WindowNames::KeepMapShapeItem, QStringLiteral("&Keep Map Shape"));
    keepMapShape->setCheckable(true);
    connect(keepMapShape, &QAction::toggled, this, [this](bool on) {
        m_keepMapShape = on;
        writeKeepMapShape(m_settings, on);
    });
    keepMapShape->setChecked(readKeepMapShape(m_settings));
    m_take =
        new TakeCommands(*edit, m_document, m_comparison, {m_panels.fiGrid, m_panels.igGrid}, this);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(WindowNames::ViewMenu);
    m_cellColoursAction =
        addItem(view, WindowNames::CellColoursItem, QStringLiteral("&Colour cells by value"));
    m_cellColoursAction->setCheckable(true);
    connect(m_cellColoursAction, &QAction::toggled, this, [this](bool on) {
        m_panels.fiGrid->setValueColours(on);
        m_panels.igGrid->setValueColours(on);
        writeCellColours(m_settings, on);
    });
    m_cellColoursAction->setChecked(readCellColours(m_settings));
    buildMapReadingItems(view);
    addZoomItems(view);

    QMenu *ports = menuBar()->addMenu(QStringLiteral("&CommPort"));
    ports->setObjectName(WindowNames::PortMenu);
    for (int k = 1; k <= LastPortNo; ++k) {
        QAction *item = addItem(ports, WindowNames::portItem(k), QStringLiteral("COM%1").arg(k));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, k] { selectPort(k); });
        m_portActions[static_cast<std::size_t>(k - 1)] = item;
    }
    ports->addSeparator();
    m_portDeviceAction =
        addItem(ports, WindowNames::PortDeviceItem, QStringLiteral("&Port device\u2026"));
    connect(m_portDeviceAction, &QAction::triggered, this, &MainWindow::choosePortDevice);
    // Adapters come and go: the items name what the system has when the menu opens.
    connect(ports, &QMenu::aboutToShow, this, [this] { refreshPortMenu(true); });

    QMenu *transmit = menuBar()->addMenu(QStringLiteral("&DataTransmit"));
    transmit->setObjectName(WindowNames::DataTransmitMenu);
    m_dataReadAction = addItem(transmit, WindowNames::DataReadItem, QStringLiteral("Data&Read"));
    m_dataWriteAction = addItem(transmit, WindowNames::DataWriteItem, QStringLiteral("Data&Write"));
    buildReviewAndWrite(transmit);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(WindowNames::HelpMenu);
    m_aboutAction = addItem(help, WindowNames::AboutItem, QStringLiteral("&About..."));
}

void MainWindow::buildCompareMenu(QMenu *file) {
    file->addSeparator();
    m_compareFileAction = file->addAction(QStringLiteral("&Compare with file\u2026"));
    m_compareFileAction->setObjectName(WindowNames::CompareFileItem);
    m_compareFileAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_compareBeforeReadAction =
        file->addAction(QStringLiteral("Compare with data &before the read"));
    m_compareBeforeReadAction->setObjectName(WindowNames::CompareBeforeReadItem);
    m_compareBeforeReadAction->setEnabled(false);
    m_compareOffAction = file->addAction(QStringLiteral("Compare o&ff"));
    m_compareOffAction->setObjectName(WindowNames::CompareOffItem);
    m_compareOffAction->setEnabled(false);
    m_historyAction = file->addAction(QStringLiteral("&History\u2026"));
    m_historyAction->setObjectName(WindowNames::HistoryItem);
    connect(m_compareFileAction, &QAction::triggered, this,
            [this] { m_compare->compareWithFile(fileState().folder); });
    connect(m_compareBeforeReadAction, &QAction::triggered, m_compare,
            &CompareCommands::compareWithBeforeRead);
    connect(m_compareOffAction, &QAction::triggered, m_compare, &CompareCommands::compareOff);
    connect(m_historyAction, &QAction::triggered, this, &MainWindow::showHistory);
    connect(m_compare, &CompareCommands::beforeReadKept, this,
            [this] { m_compareBeforeReadAction->setEnabled(true); });

    m_compareStatus = new QLabel(this);
    m_compareStatus->setObjectName(WindowNames::CompareStatus);
    statusBar()->addWidget(m_compareStatus);
    m_fingerprint = new FingerprintStatus(m_document, this);
    statusBar()->addPermanentWidget(m_fingerprint);
    connect(m_fingerprint, &FingerprintStatus::shownChanged, this, &MainWindow::showStatusBar);
    statusBar()->setVisible(false);
}

void MainWindow::buildMapReadingItems(QMenu *view) {
    view->addSeparator();
    const std::array<MapGridView *, 2> grids{m_panels.fiGrid, m_panels.igGrid};
    auto *operatingPoint = new OperatingPointBar(m_document, grids, this);
    addToolBar(Qt::BottomToolBarArea, operatingPoint);
    operatingPoint->hide();
    QAction *item = view->addAction(QStringLiteral("&Operating Point\u2026"));
    item->setObjectName(WindowNames::OperatingPointItem);
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(item, &QAction::triggered, operatingPoint, &OperatingPointBar::open);
    new DifferenceViewCommands(*view, *statusBar(), m_comparison, grids, this);
}

void MainWindow::buildReviewAndWrite(QMenu *transmit) {
    m_reviewWriteAction = transmit->addAction(QStringLiteral("Re&view and Write\u2026"));
    m_reviewWriteAction->setObjectName(WindowNames::ReviewWriteItem);
    m_reviewWriteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    // At hand exactly when "Data Write" is.
    connect(m_dataWriteAction, &QAction::enabledChanged, this, [this](bool enabled) {
        m_reviewWriteAction->setEnabled(enabled);
        m_reviewWriteButton->setEnabled(enabled);
    });
    connect(m_reviewWriteAction, &QAction::triggered, m_transfers,
            &TransferCommands::reviewAndWrite);
    connect(m_reviewWriteButton, &QPushButton::clicked, m_transfers,
            &TransferCommands::reviewAndWrite);
    m_transfers->setReviewer([this](const QStringList &heading, const QStringList &changes) {
        ReviewDialog dialog(heading, changes, this);
        setMainWindowEnabled(false);
        const bool write = dialog.exec() == QDialog::Accepted;
        setMainWindowEnabled(true);
        return write;
    });
    connect(m_transfers, &TransferCommands::written, this, [this] {
        m_fingerprint->noteEvent(QStringLiteral("Written to the ECU and verified"));
    });
}

void MainWindow::selectPort(int portNo) {
    for (QAction *item : m_portActions)
        item->setChecked(false);
    m_portNo = portNo;
    QAction *item = m_portActions.at(static_cast<std::size_t>(portNo - 1));
    item->setChecked(true);
    m_dataTransmitFrame->setTitle(QStringLiteral("Data Transmit ----- COM%1").arg(portNo));
    m_transfers->setPortNo(portNo);
}

void MainWindow::refreshPortMenu(bool askSystem) {
    // At start-up the items name the devices from the settings alone: asking the system for its
    // ports waits until the menu is opened.
    const QList<SerialPortEntry> ports =
        askSystem ? m_ports->availablePorts() : QList<SerialPortEntry>();
    for (int k = 1; k <= LastPortNo; ++k)
        m_portActions.at(static_cast<std::size_t>(k - 1))
            ->setText(portMenuText(k, m_settings, ports));
}

void MainWindow::choosePortDevice() {
    PortDeviceDialog dialog(*m_ports, m_settings, m_portNo, this);
    connect(&dialog, &PortDeviceDialog::portMapped, this, [this] { refreshPortMenu(true); });
    setMainWindowEnabled(false);
    dialog.exec();
    setMainWindowEnabled(true);
}

void MainWindow::showHistory() {
    HistoryDialog dialog(m_history, m_take->selectedCells().has_value(), this);
    setMainWindowEnabled(false);
    dialog.exec();
    setMainWindowEnabled(true);
    if (dialog.choice() == HistoryDialog::Choice::Open) {
        m_files->openDroppedFile(dialog.chosenPath());
    } else if (dialog.choice() == HistoryDialog::Choice::Compare) {
        (void)m_compare->compareWithPath(dialog.chosenPath());
    } else if (dialog.choice() == HistoryDialog::Choice::Take) {
        // Compared with the entry, the marks show what is still different after the take.
        if (m_compare->compareWithPath(dialog.chosenPath()))
            (void)m_take->take(dialog.takenPart());
    }
}

void MainWindow::showComparisonSummary() {
    m_compareStatus->setText(m_comparison.summary());
    showStatusBar();
    m_compareOffAction->setEnabled(m_comparison.isActive());
}

void MainWindow::showStatusBar() {
    showStatusLine(m_comparison.isActive() || !m_fingerprint->text().isEmpty());
}

void MainWindow::showAbout() {
    m_operator->tell(AppTitle + QStringLiteral("\r\rVersion: ") + programVersion() +
                         QStringLiteral("\r\r"),
                     MessageIcon::None);
}
