#pragma once

#include "files/table_csv.h"
#include "map_operations.h"

#include <QStringList>

// A table read from a CSV file, checked against the data: the edit that puts its values (and
// its axes, where they differ) into the data as one undo step, or why there is none.
struct TableImport {
    MapEditResult result;
    // The axis points the file gives otherwise than the data ("NE point 7: 6500 → 7000 r/min");
    // the edit changes them too, so they are asked about first.
    QStringList axisChanges;
};

// Every field must be a number (a unit after it is taken: "%", or "deg" in the IG map); values
// are rounded to whole ones and must lie in the editors' range, but for a value the cell holds
// already. Axis points that differ must be points the axis editors could give: the first and the
// last as in the data, a rising axis, NE points whole hundreds of r/min and TH points whole
// numbers. "Fi map: import RACE1.csv", "... and its axes".
[[nodiscard]] TableImport importTable(CsvTable table, const EcuTables &tables,
                                      const TableCsvFields &fields, const QString &fileName);
