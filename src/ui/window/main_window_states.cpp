// The main window's states: no file, data loaded, data read from the ECU, a failed read, a
// transfer running, a dialog open.

#include "common/app_title.h"
#include "compare/compare_commands.h"
#include "compare/take_commands.h"
#include "graph/graph_view.h"
#include "grid/map_edit_commands.h"
#include "grid/map_grid_view.h"
#include "map3d/map3d_view.h"
#include "panels/single_value_panel.h"
#include "window/edit_menu.h"
#include "window/file_commands.h"
#include "window/fingerprint_status.h"
#include "window/main_window.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <initializer_list>

namespace {

const QString NoFileName = QStringLiteral("file select");
const QString NoFileDate = QStringLiteral("----");

void enableAll(std::initializer_list<QWidget *> controls, bool enabled) {
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

void enableAll(std::initializer_list<QAction *> items, bool enabled) {
    for (QAction *item : items)
        item->setEnabled(enabled);
}

} // namespace

void MainWindow::enterNoFileState(bool clearComment) {
    m_document.clear();
    showFileInTitle({});
    m_dataNameLabel->setText(NoFileName);
    m_fileDateLabel->setText(NoFileDate);
    if (clearComment)
        m_commentBox->clear();
    enableAll({m_saveFileButton, m_dataReadButton, m_dataWriteButton,
               m_panels.fiGrid->allAreaButton(), m_viewSelector, m_panels.fiGrid},
              false);
    enableAll({m_saveFileAction, m_dataReadAction, m_dataWriteAction}, false);
    m_views->hideViewPanels();
    m_ecuDataNameFrame->setVisible(false);
    m_views->focusShownView();
    m_fingerprint->noteEvent({});
}

void MainWindow::enterDataState() {
    enableAll({m_saveFileButton, m_dataReadButton, m_dataWriteButton,
               m_panels.fiGrid->allAreaButton(), m_viewSelector},
              true);
    enableAll({m_saveFileAction, m_dataReadAction, m_dataWriteAction}, true);
    for (QWidget *frame : m_panels.all())
        frame->setEnabled(true);
    m_views->showFiGrid();
    m_ecuDataNameFrame->setVisible(false);
    m_views->focusShownView();
}

void MainWindow::showFileInTitle(const QString &path) {
    setWindowFilePath(path);
    const QString title = AppTitle + QStringLiteral("[*]");
    setWindowTitle(
        path.isEmpty() ? title : QFileInfo(path).fileName() + QStringLiteral(" \u2013 ") + title);
}

void MainWindow::showFile(const ShownFile &file) {
    showFileInTitle(fileState().filePath);
    m_dataNameLabel->setText(file.dataName);
    m_fileDateLabel->setText(QLocale().toString(file.fileTime, QLocale::ShortFormat));
}

void MainWindow::showLoadedComment() {
    QString text = m_document.loadedComment().text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_commentBox->setPlainText(text);
    // The box may show some characters otherwise (a no-break space as a space); what it shows
    // is the unedited comment.
    m_document.adoptShownComment(m_commentBox->toPlainText());
}

QList<QWidget *> MainWindow::dataFrames() const {
    const ViewPanels &p = m_panels;
    return {p.fiGrid, p.fiGraph, p.shiftTiming, m_ecuDataNameFrame, p.fi3D, p.pitRoad,
            p.igGrid, p.igGraph, p.ig3D};
}

void MainWindow::setMainWindowEnabled(bool enabled) {
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    m_editMenu->setAvailable(enabled);
    m_mapEdits->setAvailable(enabled);
    m_take->setAvailable(enabled);
    // Disabled, the view lost the keyboard; it gets it back, not the first box of the window.
    if (enabled)
        m_views->focusShownView();
}

bool MainWindow::isMainWindowEnabled() const {
    return centralWidget()->isEnabled() && menuBar()->isEnabled();
}

void MainWindow::enableCommandsAfterMapEdit(bool withDataRead, bool withMenuDataRead) {
    enableAll({m_openFileButton, m_saveFileButton, m_dataWriteButton, m_quitButton,
               m_panels.fiGrid->allAreaButton()},
              true);
    if (withDataRead)
        m_dataReadButton->setEnabled(true);
    enableAll({m_openFileAction, m_saveFileAction, m_dataWriteAction}, true);
    if (withMenuDataRead)
        m_dataReadAction->setEnabled(true);
}

void MainWindow::setTransferBusy(bool busy) {
    setMainWindowEnabled(!busy);
    m_progress->setValue(0);
    m_progress->setVisible(busy);
}

void MainWindow::showEcuRead(const EcuImage &image) {
    enableAll(
        {m_saveFileButton, m_dataReadButton, m_panels.fiGrid->allAreaButton(), m_viewSelector},
        true);
    m_dataWriteButton->setEnabled(false);
    m_saveFileAction->setEnabled(true);
    m_dataReadAction->setEnabled(true);
    m_dataWriteAction->setEnabled(false);
    for (QWidget *frame : dataFrames())
        frame->setEnabled(true);
    m_views->showFiGrid();

    // What the window held stays at hand for "Compare with data before the read".
    if (m_document.hasData())
        m_compare->keepBeforeRead(m_document.image());
    m_document.load(image, E2PComment());
    m_dataNameLabel->setText(QStringLiteral("ECU Read data"));
    showFileInTitle({});
    m_fileDateLabel->setText(QStringLiteral("-----"));
    setMainWindowEnabled(true);
    m_ecuDataNameFrame->setVisible(true);
    m_ecuDataNameLabel->setText(ecuDataName(m_document.image()));
    m_fingerprint->noteEvent(QStringLiteral("Read from the ECU"));
}

void MainWindow::enterReadFailureState() {
    enterNoFileState(true);
    // Unlike the no-file state of start-up, "Data Read" stays at hand and the data frames are off.
    m_dataReadButton->setEnabled(true);
    m_dataReadAction->setEnabled(true);
    for (QWidget *frame : dataFrames())
        frame->setEnabled(false);
}
