#pragma once

#include "dialogs/dialog_drag.h"
#include "files/e2p_commands.h"
#include "image/ecu_tables.h"
#include "map_kind.h"
#include "window_state.h"

#include <QMainWindow>
#include <array>
#include <memory>

class ClickableLabel;
class EcuLink;
class GraphView;
class Map3DView;
class MapGridView;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QtSerialPort;
class SettingsStore;
class SingleValuePanel;
class WindowOperator;
enum class GraphKind;

// The positions of the view selector's ten entries.
enum class ViewPosition {
    FiNumeric = 0,
    FiGraph = 1,
    Fi3D = 2,
    IgNumeric = 3,
    IgGraph = 4,
    Ig3D = 5,
    RuMap = 6,
    ShiftTiming = 7,
    PitRoad = 8,
    IdleNe = 9,
};

// The main window "Form1": owns the image and its tables, the shared window state and the
// serial link; shows one editing view at a time.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // op and dialogs default to message boxes and file dialogs of this window.
    explicit MainWindow(SettingsStore &settings, Operator *op = nullptr,
                        FileDialogs *dialogs = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shared with the views and dialogs.
    [[nodiscard]] WindowState &state() { return m_state; }
    [[nodiscard]] EcuData &data() { return m_data; }
    [[nodiscard]] Operator &messages() { return *m_operator; }
    [[nodiscard]] bool hasData() const { return m_hasData; }
    [[nodiscard]] int portNo() const { return m_portNo; }
    [[nodiscard]] const E2PFileState &fileState() const { return m_file; }
    [[nodiscard]] DialogDragAnchor &dragAnchor() { return m_dragAnchor; }
    // The serial port the link talks through, and the link itself.
    [[nodiscard]] QtSerialPort &serialPort() { return *m_port; }
    [[nodiscard]] EcuLink &link() { return *m_link; }
    // True while a read or write runs.
    [[nodiscard]] bool isTransferring() const;

    [[nodiscard]] MapGridView *grid(MapKind kind) const;
    [[nodiscard]] Map3DView *view3D(MapKind kind) const;
    [[nodiscard]] GraphView *graphView(GraphKind kind) const;
    [[nodiscard]] SingleValuePanel *shiftTimingPanel() const { return m_shiftPanel; }
    [[nodiscard]] SingleValuePanel *pitRoadPanel() const { return m_pitPanel; }
    [[nodiscard]] SingleValuePanel *idleNePanel() const { return m_idlePanel; }
    // The "Data Edit" frame, in which the single-value panels sit.
    [[nodiscard]] QGroupBox *dataEditFrame() const { return m_dataEditFrame; }

    // The window's controls as a whole: off while a dialog is open or a transfer runs.
    void setMainWindowEnabled(bool enabled);
    [[nodiscard]] bool isMainWindowEnabled() const;

    // Enables the commands a closing map dialog hands back: Open, Save, Data Write, Quit, All
    // area Data change, and Data Read when withDataRead; the menu items Open, Save, DataWrite,
    // and DataRead when withMenuDataRead.
    void enableCommandsAfterMapEdit(bool withDataRead, bool withMenuDataRead);

    // Hides every view panel; called before any panel is shown.
    void fFormVisibleOFF();
    // What a choice in the view selector does.
    void selectView(ViewPosition position);
    // Shows every label from the tables, as after a load.
    void refreshLabels();

    // Commands of the buttons and menus.
    void E2PFileOpen();
    void E2PFileSave();
    void EcuDataRead();
    void EcuDataWrite();
    void selectPort(int portNo);
    void showAbout();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void buildFileFrame(QWidget *central);
    void buildDataEditFrame(QWidget *central);
    void buildBottomRow(QWidget *central);
    void buildMenus();
    void connectViews();
    void startUp();
    void enterNoFileState(bool clearComment);
    void showEcuRead(const EcuImage &image);
    void enterReadFailureState();
    void setTransferBusy(bool busy);
    void enterDataState();
    void openMapCellEditor(MapKind kind);
    void setComment(const E2PComment &comment);
    [[nodiscard]] QString commentText() const;
    void showFileTime(const QDateTime &time);
    [[nodiscard]] QList<QWidget *> viewPanels() const;
    [[nodiscard]] QList<QWidget *> dataFrames() const;

    SettingsStore &m_settings;
    std::unique_ptr<Operator> m_ownOperator;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    Operator *m_operator = nullptr;
    FileDialogs *m_dialogs = nullptr;
    std::unique_ptr<WindowOperator> m_linkOperator;
    std::unique_ptr<QtSerialPort> m_port;
    std::unique_ptr<EcuLink> m_link;

    EcuData m_data;
    WindowState m_state;
    DialogDragAnchor m_dragAnchor;
    E2PFileState m_file;
    bool m_hasData = false;
    int m_portNo = 1;

    // "E2P File" frame and its buttons.
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QPlainTextEdit *m_text3 = nullptr;
    E2PComment m_comment; // as read: saved unchanged while the box shows it unedited
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    // "Data Edit".
    QGroupBox *m_dataEditFrame = nullptr;
    QComboBox *m_combo1 = nullptr;
    MapGridView *m_fiGrid = nullptr;
    MapGridView *m_igGrid = nullptr;
    GraphView *m_fiGraph = nullptr;
    Map3DView *m_fi3D = nullptr;
    GraphView *m_igGraph = nullptr;
    Map3DView *m_ig3D = nullptr;
    GraphView *m_ruView = nullptr;
    SingleValuePanel *m_shiftPanel = nullptr;
    SingleValuePanel *m_pitPanel = nullptr;
    SingleValuePanel *m_idlePanel = nullptr;
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
    QAction *m_mnuDataRead = nullptr;
    QAction *m_mnuDataWrite = nullptr;
    QAction *m_mnuAbout = nullptr;
};
