#pragma once

#include "byte_edit.h"
#include "change_axis_point.h"
#include "image/ecu_tables.h"

// An inner axis point moved with the maps kept: in the Fi and the IG map, each cell of the
// point's NE column (or TH row) becomes what the map read at the point's new value before the
// move, linear along the axis between the old points on either side of it (the old point and
// a neighbour), rounded to a whole step with halves away from zero. A map linear along the axis
// keeps every value exactly. The new value lies strictly between the neighbours, which do not
// move, so the map is never read beyond its end points; a result lies between two cells that
// are already there and so never leaves the range those cells keep. With an old point that
// stands on a neighbour (an axis that does not rise), the cells keep their values.
// One step with the axis point: "NE 7 6500 → 7000, map kept", "TH 5 40 → 45, map kept".
[[nodiscard]] ByteEdit changeAxisPointKeepingMaps(const EcuTables &tables, Axis axis, int point,
                                                  std::uint8_t value);
