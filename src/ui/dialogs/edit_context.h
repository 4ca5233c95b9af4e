#pragma once

#include "image/map_kind.h"

class CalibrationDocument;
class MapGridView;
class Operator;
class QWidget;
class SingleValuePanel;
class WindowControls;
struct DialogDragAnchor;
struct WindowState;

// What an edit dialog works with: the document it edits, the shared window state, the window
// it belongs to (placement, its controls) and the labels that show the value being chosen.
struct EditContext {
    QWidget &window;
    CalibrationDocument &document;
    WindowState &state;
    DialogDragAnchor &dragAnchor;
    Operator &messages;
    WindowControls &controls;
    MapGridView &fiGrid;
    MapGridView &igGrid;
    SingleValuePanel &shiftTimingPanel;
    SingleValuePanel &pitRoadPanel;
    SingleValuePanel &idleNePanel;

    [[nodiscard]] MapGridView &grid(MapKind kind) const {
        return kind == MapKind::Fi ? fiGrid : igGrid;
    }
};
