#pragma once

#include "document/cell_arithmetic.h"

#include <QObject>
#include <array>

class CalibrationDocument;
class MapGridView;
class Operator;
class QAction;
class QMenu;

// The Edit menu's changes of the shown grid's selection (or its cursor cell): steps, a typed
// value, interpolation, smoothing, copy and paste, and selecting the whole map; scale and add
// (the selection, or the whole map when nothing is selected). Their keys work
// while the grid has the focus; each item is off where it has nothing to do, and all are off
// while a dialog is open or a transfer runs. Refusals go to the operator.
class MapEditCommands : public QObject {
    Q_OBJECT
public:
    MapEditCommands(QMenu &menu, CalibrationDocument &document, Operator &messages,
                    const std::array<MapGridView *, 2> &grids, QObject *parent = nullptr);

    // Off while a dialog is open or a transfer runs.
    void setAvailable(bool available);

private:
    QAction *addAction(QMenu &menu, const char *name, const QString &text,
                       const QKeySequence &keys);
    // More keys for an item; the menu names them all, where it would show only the first.
    static void alsoOn(QAction *action, const QList<QKeySequence> &more);
    [[nodiscard]] MapGridView *shownGrid() const;
    void update();
    void step(int steps);
    void setTyped(MapGridView &grid, const QString &typed);
    void paste();
    void copy();
    void apply(const MapEditResult &result);
    void interpolate();
    void smooth();
    void interpolateAlong(Along along);
    // The input of "Scale…" or "Add…" over the grid.
    void openArithmetic(Arithmetic kind);

    CalibrationDocument &m_document;
    Operator &m_messages;
    std::array<MapGridView *, 2> m_grids;
    bool m_available = true;
    bool m_clipboardHasText = true; // until the clipboard was asked
    QAction *m_selectAll = nullptr;
    std::array<QAction *, 4> m_steps{}; // +1, -1, +5, -5
    QAction *m_setValue = nullptr;
    QAction *m_interpolate = nullptr;
    QAction *m_smooth = nullptr;
    QAction *m_interpolateRows = nullptr;
    QAction *m_interpolateColumns = nullptr;
    QAction *m_scale = nullptr;
    QAction *m_add = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
};
