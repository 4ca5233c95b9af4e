#include "map_operations.h"

#include "cell_values.h"
#include "change_cells.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

using CellValues = std::vector<std::pair<int, std::uint8_t>>;

QString cellCount(int count) {
    return count == 1 ? QStringLiteral("1 cell") : QStringLiteral("%1 cells").arg(count);
}

int rounded(double value) {
    return static_cast<int>(std::round(value));
}

// Where each point first..last lies on its axis, from 0 at first to 1 at last: by the axis
// values while they rise across the range, else in even steps.
template <typename Axis>
std::vector<double> fractions(const Axis &axis, int first, int last) {
    std::vector<double> at;
    if (first == last)
        return {0.0};
    bool rising = true;
    for (int i = first; i < last; ++i)
        rising =
            rising && axis[static_cast<std::size_t>(i)] > axis[static_cast<std::size_t>(i - 1)];
    for (int i = first; i <= last; ++i) {
        const auto value = [&axis](int point) {
            return static_cast<double>(axis[static_cast<std::size_t>(point - 1)]);
        };
        at.push_back(rising ? (value(i) - value(first)) / (value(last) - value(first))
                            : static_cast<double>(i - first) / (last - first));
    }
    return at;
}

} // namespace

ByteEdit stepCells(MapKind kind, const EcuTables &tables, const CellBlock &block, int steps) {
    const ValueRange range = editorRange(kind);
    CellValues cells;
    forEachCell(block, [&](int row, int column) {
        const int value = tableValue(kind, tables, row, column);
        const int moved = steps > 0 ? std::max(value, std::min(value + steps, range.highest))
                                    : std::min(value, std::max(value + steps, range.lowest));
        if (moved != value)
            cells.emplace_back(cellNumber(row, column), cellByte(kind, moved));
    });
    const int count = static_cast<int>(cells.size());
    const QString what =
        QStringLiteral("%1 %2%3 %4")
            .arg(cellCount(count), steps > 0 ? QStringLiteral("+") : QString())
            .arg(steps)
            .arg(std::abs(steps) == 1 ? QStringLiteral("step") : QStringLiteral("steps"));
    return changeCells(kind, cells, what);
}

MapEditResult setCells(MapKind kind, const CellBlock &block, const QString &typed) {
    const std::optional<double> number = parseCellNumber(kind, typed);
    if (!number) {
        return {
            {},
            QStringLiteral("\"%1\" is not a number. Nothing was changed.").arg(typed.trimmed())};
    }
    const std::optional<int> value = storableValue(kind, *number);
    if (!value) {
        return {{},
                QStringLiteral("The %1 takes values from %2; %3 is outside that range. Nothing "
                               "was changed.")
                    .arg(mapName(kind), rangeText(kind), typed.trimmed())};
    }
    CellValues cells;
    forEachCell(block, [&](int row, int column) {
        cells.emplace_back(cellNumber(row, column), cellByte(kind, *value));
    });
    return {changeCells(kind, cells,
                        QStringLiteral("%1 set to %2")
                            .arg(cellCount(block.cellCount()), cellText(kind, cells[0].second))),
            {}};
}

bool canInterpolate(const CellBlock &block) {
    return block.cellCount() > 1;
}

namespace {

// The block's cells interpolated between the corners of the rectangle each cell lies in: the
// block's own corners, or those of its row or column alone.
ByteEdit interpolate(MapKind kind, const EcuTables &tables, const CellBlock &block,
                     std::optional<Along> along, const QString &what) {
    const std::vector<double> across =
        fractions(tables.NeData, block.firstColumn, block.lastColumn);
    const std::vector<double> up = fractions(tables.ThData, block.firstRow, block.lastRow);
    const auto at = [&](int row, int column) {
        return static_cast<double>(tableValue(kind, tables, row, column));
    };
    CellValues cells;
    forEachCell(block, [&](int row, int column) {
        const bool rowOnly = along == Along::Rows;
        const bool columnOnly = along == Along::Columns;
        const int low = rowOnly ? row : block.firstRow;
        const int high = rowOnly ? row : block.lastRow;
        const int left = columnOnly ? column : block.firstColumn;
        const int right = columnOnly ? column : block.lastColumn;
        const double x =
            columnOnly ? 0.0 : across[static_cast<std::size_t>(column - block.firstColumn)];
        const double y = rowOnly ? 0.0 : up[static_cast<std::size_t>(row - block.firstRow)];
        const double bottom = at(low, left) + (at(low, right) - at(low, left)) * x;
        const double top = at(high, left) + (at(high, right) - at(high, left)) * x;
        cells.emplace_back(cellNumber(row, column),
                           cellByte(kind, rounded(bottom + (top - bottom) * y)));
    });
    return changeCells(kind, cells,
                       QStringLiteral("interpolate %1 cells").arg(blockSize(block)) + what);
}

} // namespace

ByteEdit interpolateCells(MapKind kind, const EcuTables &tables, const CellBlock &block) {
    return interpolate(kind, tables, block, std::nullopt, QString());
}

ByteEdit interpolateAlong(MapKind kind, const EcuTables &tables, const CellBlock &block,
                          Along along) {
    return interpolate(kind, tables, block, along,
                       along == Along::Rows ? QStringLiteral(" along rows")
                                            : QStringLiteral(" along columns"));
}

bool canInterpolateAlong(const CellBlock &block, Along along) {
    return (along == Along::Rows ? block.columns() : block.rows()) >= 3;
}

bool canSmooth(const CellBlock &block) {
    return block.rows() >= 3 && block.columns() >= 3;
}

ByteEdit smoothCells(MapKind kind, const EcuTables &tables, const CellBlock &block) {
    CellValues cells;
    const CellBlock inner{block.firstRow + 1, block.lastRow - 1, block.firstColumn + 1,
                          block.lastColumn - 1};
    if (canSmooth(block)) {
        forEachCell(inner, [&](int row, int column) {
            const auto at = [&](int r, int c) { return tableValue(kind, tables, r, c); };
            const int sum = at(row, column) + at(row - 1, column) + at(row + 1, column) +
                            at(row, column - 1) + at(row, column + 1);
            cells.emplace_back(cellNumber(row, column), cellByte(kind, rounded(sum / 5.0)));
        });
    }
    return changeCells(kind, cells, QStringLiteral("smooth %1 cells").arg(blockSize(block)));
}

QString blockSize(const CellBlock &block) {
    return QStringLiteral("%1 x %2").arg(block.columns()).arg(block.rows());
}
