#pragma once

#include <QList>
#include <QObject>

class CalibrationDocument;
class GraphView;
class Map3DView;
class MapGridView;
class QComboBox;
class QWidget;
class RuMapView;
class SingleValuePanel;

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

// The ten view panels, in the order of the view selector.
struct ViewPanels {
    MapGridView *fiGrid = nullptr;
    GraphView *fiGraph = nullptr;
    Map3DView *fi3D = nullptr;
    MapGridView *igGrid = nullptr;
    GraphView *igGraph = nullptr;
    Map3DView *ig3D = nullptr;
    RuMapView *ruView = nullptr;
    SingleValuePanel *shiftTiming = nullptr;
    SingleValuePanel *pitRoad = nullptr;
    SingleValuePanel *idleNe = nullptr;

    [[nodiscard]] QList<QWidget *> all() const;
};

// Shows one view panel at a time: the view selector, what each of its entries prepares before
// its panel is shown, and hiding every panel before one is shown.
class ViewSwitcher : public QObject {
    Q_OBJECT
public:
    ViewSwitcher(QComboBox &selector, const ViewPanels &panels, const CalibrationDocument &document,
                 QObject *parent = nullptr);

    // The captions of the ten entries, also the captions of their panels.
    [[nodiscard]] static const QStringList &captions();

    // Hides every view panel; called before any panel is shown.
    void hideViewPanels();
    // What a choice in the view selector does. Where a view had the keyboard, the view shown
    // takes it.
    void selectView(ViewPosition position);
    // The selector at its first entry and the Fi grid in front, as after a load.
    void showFiGrid();
    // The keyboard focus to the view shown: a grid, the slider of a graph view that had it last,
    // or the panel itself; to the window when no view is shown, so that keys typed for a view
    // never land in a text box.
    void focusShownView();

private:
    QComboBox &m_selector;
    ViewPanels m_panels;
    const CalibrationDocument &m_document;
};
