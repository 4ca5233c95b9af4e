#include "change_cells.h"

#include "image/display_text.h"
#include "image/ecu_layout.h"

QString mapName(MapKind kind) {
    return kind == MapKind::Fi ? QStringLiteral("Fi map") : QStringLiteral("IG map");
}

QString cellText(MapKind kind, std::uint8_t value) {
    return kind == MapKind::Fi ? fiText(value) : igText(value);
}

int cellOffset(MapKind kind, int cell) {
    return kind == MapKind::Fi ? fiCellOffset(cell) : igCellOffset(cell);
}

ByteEdit changeCell(MapKind kind, int cell, std::uint8_t value, quint64 gesture) {
    ByteEdit edit;
    edit.changes.push_back({cellOffset(kind, cell), 0, value});
    edit.describe = [kind, cell](const std::vector<ByteChange> &changes) {
        return QStringLiteral("%1 TH %2 NE %3: %4")
                   .arg(mapName(kind))
                   .arg(thRowOfCell(cell))
                   .arg(neColumnOfCell(cell))
                   .arg(cellText(kind, changes.front().before)) +
               EditArrow + cellText(kind, changes.front().after);
    };
    edit.gesture = gesture;
    return edit;
}

ByteEdit changeAllCells(MapKind kind, std::uint8_t value) {
    std::vector<std::pair<int, std::uint8_t>> cells;
    for (int cell = 1; cell <= MapCells; ++cell)
        cells.emplace_back(cell, value);
    return changeCells(kind, cells, QStringLiteral("all cells ") + cellText(kind, value));
}

ByteEdit changeCells(MapKind kind, const std::vector<std::pair<int, std::uint8_t>> &cells,
                     const QString &what) {
    ByteEdit edit;
    for (const auto &[cell, value] : cells)
        edit.changes.push_back({cellOffset(kind, cell), 0, value});
    edit.describe = [text = mapName(kind) + QStringLiteral(": ") +
                            what](const std::vector<ByteChange> &) { return text; };
    return edit;
}
