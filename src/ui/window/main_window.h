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
class FingerprintStatus;
class TakeCommands;
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
class ZoomedClientArea;
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

// The main window: the calibration document and its views, the file and transfer commands. It
// wires views, dialogs and commands together and keeps its controls in the no-file or the data
// state. Built in main_window_layout.cpp and main_window_menus.cpp; its states in
// main_window_states.cpp.
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
    [[nodiscard]] TakeCommands &takeCommands() { return *m_take; }
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
    // View > "Zoom In", "Zoom Out", "Actual Size": the window takes the size that shows the layout
    // at the next zoom step, or at its designed size, as far as the screen has room.
    void zoomIn();
    void zoomOut();
    void zoomToActualSize();
    [[nodiscard]] ZoomedClientArea &clientArea() const { return *m_clientArea; }
    [[nodiscard]] QRect layoutFrame() const override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void childEvent(QChildEvent *event) override;
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
    // "Operating Point…", "Show Difference" and "Only Changed".
    void buildMapReadingItems(QMenu *view);
    void buildReviewAndWrite(QMenu *transmit);
    void showComparisonSummary();
    void showStatusBar();
    void connectCommands();
    void connectEditors();
    void startUp(const QString &startFile);
    void refreshPortMenu(bool askSystem);
    // After a dialog: the window active, the keyboard with the view shown.
    void takeKeysBack();
    void enterNoFileState(bool clearComment);
    void enterDataState();
    void showFile(const ShownFile &file);
    // "RACE1.E2P – 07KorvoKit Fi Setting Tool[*]"; the title alone without a file.
    void showFileInTitle(const QString &path);
    void showLoadedComment();
    void showEcuRead(const EcuImage &image);
    void enterReadFailureState();
    void setTransferBusy(bool busy);
    [[nodiscard]] QList<QWidget *> dataFrames() const;
    // In main_window_zoom.cpp.
    void addZoomItems(QMenu *view);
    void zoomTo(double zoom);
    void placeOnScreen();
    // The window size that shows the layout at the zoom, or at the largest zoom below it that the
    // screen has room for.
    [[nodiscard]] QSize sizeForZoom(double zoom);
    // The window size nearest to the one wanted that the screen shows whole, frame included.
    [[nodiscard]] QSize sizeOnScreen(QSize wanted) const;
    [[nodiscard]] QMargins frameMargins() const;
    void keepOnScreen();
    void showStatusLine(bool shown);
    void growBy(int height, bool shown);
    void rememberPlacement();

    SettingsStore &m_settings;
    std::unique_ptr<Operator> m_ownOperator;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs *m_dialogs = nullptr;
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
    bool m_keepMapShape = false;
    bool m_settingsWarningDue = true;
    ViewPanels m_panels;
    std::unique_ptr<EditContext> m_editContext;
    FileCommands *m_files = nullptr;
    TransferCommands *m_transfers = nullptr;
    ViewSwitcher *m_views = nullptr;
    EditMenu *m_editMenu = nullptr;
    MapEditCommands *m_mapEdits = nullptr;
    TakeCommands *m_take = nullptr;

    ZoomedClientArea *m_clientArea = nullptr;
    bool m_shownOnce = false;
    // "E2P File" and the file buttons.
    QLabel *m_dataNameLabel = nullptr;
    QLabel *m_fileDateLabel = nullptr;
    QPlainTextEdit *m_commentBox = nullptr;
    QPushButton *m_openFileButton = nullptr;
    QPushButton *m_saveFileButton = nullptr;
    // "Data Edit".
    QGroupBox *m_dataEditFrame = nullptr;
    QComboBox *m_viewSelector = nullptr;
    // Bottom row: the data name read from the ECU, the transfer buttons, Quit.
    QGroupBox *m_ecuDataNameFrame = nullptr;
    QLabel *m_ecuDataNameLabel = nullptr;
    QGroupBox *m_dataTransmitFrame = nullptr;
    QPushButton *m_dataReadButton = nullptr;
    QPushButton *m_dataWriteButton = nullptr;
    QPushButton *m_reviewWriteButton = nullptr;
    QPushButton *m_quitButton = nullptr;
    QProgressBar *m_progress = nullptr;
    // Menu items.
    QAction *m_openFileAction = nullptr;
    QAction *m_saveFileAction = nullptr;
    QAction *m_quitAction = nullptr;
    std::array<QAction *, 16> m_portActions{}; // COM1 .. COM16
    QAction *m_portDeviceAction = nullptr;
    QAction *m_dataReadAction = nullptr;
    QAction *m_dataWriteAction = nullptr;
    QAction *m_reviewWriteAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_cellColoursAction = nullptr;
    QAction *m_compareFileAction = nullptr;
    QAction *m_compareBeforeReadAction = nullptr;
    QAction *m_compareOffAction = nullptr;
    QAction *m_historyAction = nullptr;
    QLabel *m_compareStatus = nullptr;
    FingerprintStatus *m_fingerprint = nullptr;
};
