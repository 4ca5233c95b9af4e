#pragma once

#include "document/change_axis_point.h"
#include "document/change_speed.h"
#include "image/map_kind.h"

#include <optional>
#include <variant>

// What an edit dialog is opened for. Each request holds only what its dialog needs, so a dialog
// cannot be asked for a combination it has no meaning for.

// One cell of a map (grid element 1..176), or with no cell every cell of it set to one value.
struct MapCellRequest {
    MapKind map;
    std::optional<int> cell;
};

// A point of the NE axis or of the TH axis. Only inner points are edited (NE 2..15, TH 2..10):
// the ends and the axis titles open nothing.
struct AxisPointRequest {
    Axis axis;
    int point;
};

// One of the single engine speeds: shift light, pit-road limit or idle speed.
struct SpeedRequest {
    SpeedSetting speed;
};

// Every point of the RU map set to one value.
struct RuMapRequest {};

using EditRequest = std::variant<MapCellRequest, AxisPointRequest, SpeedRequest, RuMapRequest>;
