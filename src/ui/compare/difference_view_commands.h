#pragma once

#include <QObject>
#include <array>

class Comparison;
class MapGridView;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;

// "Show Difference" and "Only Changed" in the View menu. While a comparison is on, the map grids
// show their values, their differences (this − other) or, for the Fi map, the fuel amount's
// change in percent, and "Only Changed" dims the cells equal to the other's. The status line
// says what the cells show. Both are off without a comparison; when it ends the grids show
// their values again.
class DifferenceViewCommands : public QObject {
    Q_OBJECT
public:
    DifferenceViewCommands(QMenu &viewMenu, QStatusBar &statusLine, const Comparison &comparison,
                           const std::array<MapGridView *, 2> &grids, QObject *parent = nullptr);

private:
    void followComparison();
    void apply();

    const Comparison &m_comparison;
    std::array<MapGridView *, 2> m_grids;
    QMenu *m_showMenu = nullptr;
    QAction *m_values = nullptr;
    QAction *m_difference = nullptr;
    QAction *m_percentDifference = nullptr;
    QAction *m_onlyChanged = nullptr;
    QLabel *m_shown = nullptr;
};
