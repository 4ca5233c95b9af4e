#pragma once

#include "common/window_controls.h"
#include "dialogs/dialog_drag.h"
#include "dialogs/edit_context.h"
#include "document/calibration_document.h"
#include "document/comparison.h"
#include "files/history_folder.h"
#include "window/view_switcher.h"

#include <QMainWindow>
#include <array>
#include <memory>

class CompareCommands;
class EditMenu;
class MapEditCommands;
class FileCommands;
class FileDialogs;
class Operator;
class SerialPortList;
class QAction;
class QComboBox;
class QDateTime;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class SettingsStore;
class TransferCommands;
class WindowOperator;
enum class GraphKind;
struct E2PFileState;
struct ShownFile;

// What the window talks to the person and the system through; each defaults to the real thing
// (message boxes and file dialogs of the window, the system's serial ports).
struct WindowSeams {
    Operator *op = nullptr;
    FileDialogs *dialogs = nullptr;
    const SerialPortList *ports = nullptr;
    QString historyPath; // the per-user history folder when empty
};

// The main window "Form1": the calibration document and its views, the file and transfer
// commands. It wires views, dialogs and commands together and keeps its
// controls in the no-file or the data state.
class MainWindow : public QMainWindow, public WindowControls {
    Q_OBJECT
public:
    // startFile: a data file to open at start-up in place of the last file.
    explicit MainWindow(SettingsStore &settings, const WindowSeams &seams = {},
                        const QString &startFile = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] CalibrationDocument &document() { return m_document; }
    [[nodiscard]] bool hasData() const { return m_document.hasData(); }
    [[nodiscard]] int portNo() const { return m_portNo; }
    [[nodiscard]] FileCommands &files() { return *m_files; }
    [[nodiscard]] TransferCommands &transfers() { return *m_transfers; }
    [[nodiscard]] EditMenu &editMenu() { return *m_editMenu; }
    [[nodiscard]] CompareCommands &compare() { return *m_compare; }
    [[nodiscard]] Comparison &comparison() { return m_comparison; }
    [[nodiscard]] const E2PFileState &fileState() const;

    [[nodiscard]] MapGridView *grid(MapKind kind) const;
    [[nodiscard]] Map3DView *view3D(MapKind kind) const;
    [[nodiscard]] GraphView *graphView(GraphKind kind) const;

    void setMainWindowEnabled(bool enabled) override;
    [[nodiscard]] bool isMainWindowEnabled() const;
    void enableCommandsAfterMapEdit(bool withDataRead, bool withMenuDataRead) override;

    // What a choice in the view selector does.
    void selectView(ViewPosition position) { m_views->selectView(position); }
    void selectPort(int portNo);
    // "Port device…": maps the checked port number to one of the system's serial ports.
    void choosePortDevice();
    // "History…": the calibrations read and written; open one or compare with it.
    void showHistory();
    void showAbout();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildWindow();
    void buildFileFrame(QWidget *central);
    void buildDataEditFrame(QWidget *central);
    void buildBottomRow(QWidget *central);
    void buildMenus();
    void buildCompareMenu(QMenu *file);
    void showComparisonSummary();
    void connectCommands();
    void connectEditors();
    void startUp(const QString &startFile);
    void refreshPortMenu(bool askSystem);
    void enterNoFileState(bool clearComment);
    void enterDataState();
    void showFile(const ShownFile &file);
    void showLoadedComment();
    void showEcuRead(const EcuImage &image);
    void enterReadFailureState();
    void setTransferBusy(bool busy);
    [[nodiscard]] QList<QWidget *> dataFrames() const;

    SettingsStore &m_settings;
    std::unique_ptr<Operator> m_ownOperator;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    Operator *m_operator = nullptr;
    std::unique_ptr<SerialPortList> m_ownPorts;
    const SerialPortList *m_ports = nullptr;
    std::unique_ptr<WindowOperator> m_linkOperator;

    CalibrationDocument m_document;
    Comparison m_comparison{m_document};
    HistoryFolder m_history;
    CompareCommands *m_compare = nullptr;
    DialogDragAnchor m_dragAnchor;
    int m_portNo = 1;
    bool m_settingsWarningDue = true;
    ViewPanels m_panels;
    std::unique_ptr<EditContext> m_editContext;
    FileCommands *m_files = nullptr;
    TransferCommands *m_transfers = nullptr;
    ViewSwitcher *m_views = nullptr;
    EditMenu *m_editMenu = nullptr;
    MapEditCommands *m_mapEdits = nullptr;

    // "E2P File" frame and its buttons.
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QPlainTextEdit *m_text3 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    // "Data Edit".
    QGroupBox *m_dataEditFrame = nullptr;
    QComboBox *m_combo1 = nullptr;
    // Bottom row.
    QGroupBox *m_frame6 = nullptr;
    QLabel *m_label16 = nullptr;
    QGroupBox *m_frame5 = nullptr;
    QPushButton *m_command7 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    QProgressBar *m_progress = nullptr;
    // Menus.
    QAction *m_mnuOpenFile = nullptr;
    QAction *m_mnuSaveFile = nullptr;
    QAction *m_mnuQuit = nullptr;
    std::array<QAction *, 16> m_mnuComNo{};
    QAction *m_mnuPortDevice = nullptr;
    QAction *m_mnuDataRead = nullptr;
    QAction *m_mnuDataWrite = nullptr;
    QAction *m_mnuAbout = nullptr;
    QAction *m_mnuCellColours = nullptr;
    QAction *m_mnuCompareFile = nullptr;
    QAction *m_mnuCompareBeforeRead = nullptr;
    QAction *m_mnuCompareOff = nullptr;
    QAction *m_mnuHistory = nullptr;
    QLabel *m_compareStatus = nullptr;
};
