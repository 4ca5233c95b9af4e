#pragma once

#include "document/change_speed.h"
#include "image/map_kind.h"

class CalibrationDocument;
class MapGridView;
class Operator;
class QWidget;
class SingleValuePanel;
class WindowControls;
struct DialogDragAnchor;

// What the edit dialogs work with: the document they edit, the window they belong to (parent,
// placement, its controls), the drag anchor they share, and the views they open beside and show
// their value in while it is being chosen, and how an axis change treats the maps.
struct EditContext {
    QWidget &window;
    CalibrationDocument &document;
    DialogDragAnchor &dragAnchor;
    Operator &messages;
    WindowControls &controls;
    MapGridView &fiGrid;
    MapGridView &igGrid;
    SingleValuePanel &shiftTimingPanel;
    SingleValuePanel &pitRoadPanel;
    SingleValuePanel &idleNePanel;
    // "Keep Map Shape": an axis point moved takes its cells of both maps along.
    const bool &keepMapShape;

    [[nodiscard]] MapGridView &grid(MapKind kind) const {
        return kind == MapKind::Fi ? fiGrid : igGrid;
    }
    [[nodiscard]] SingleValuePanel &panel(SpeedSetting speed) const {
        switch (speed) {
        case SpeedSetting::ShiftTiming:
            return shiftTimingPanel;
        case SpeedSetting::PitRoad:
            return pitRoadPanel;
        case SpeedSetting::IdleNe:
            break;
        }
        return idleNePanel;
    }
};
