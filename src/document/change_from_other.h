#pragma once

#include "byte_edit.h"
#include "cell_block.h"
#include "image/ecu_image.h"
#include "image/map_kind.h"

#include <vector>

// "Take from Other": a table, an axis, the speeds or some cells taken back from the calibration
// compared with.
enum class TakenPart { FiMap, IgMap, RuMap, NeAxis, ThAxis, Speeds, SelectedCells };
// Every part, in the order the menus offer them.
constexpr TakenPart TakenParts[] = {TakenPart::FiMap,        TakenPart::IgMap,  TakenPart::RuMap,
                                    TakenPart::NeAxis,       TakenPart::ThAxis, TakenPart::Speeds,
                                    TakenPart::SelectedCells};
// As the menus offer it: "Fi Map", "IG Map", "RU Map", "NE Axis", "TH Axis", "Three Speeds",
// "Selected Cells".
[[nodiscard]] QString takenPartText(TakenPart part);

// The grid's selection, for SelectedCells.
struct SelectedCells {
    MapKind kind = MapKind::Fi;
    CellBlock block;
};

// The image offsets of a part.
[[nodiscard]] std::vector<int> takenOffsets(TakenPart part, const SelectedCells &cells = {});
// The part's bytes that differ set to the other's, as one step "Take IG map from RACE1.E2P"
// ("Take 4 x 3 Fi map cells from RACE1.E2P"); no changes when the part is the same in both.
[[nodiscard]] ByteEdit takeFromOther(TakenPart part, const SelectedCells &cells,
                                     const EcuImage &ours, const EcuImage &other,
                                     const QString &otherName);
