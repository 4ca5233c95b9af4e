#pragma once

#include "cell_block.h"
#include "map_operations.h"

#include <optional>
#include <utility>
#include <vector>

// Scale and Add over a block of map cells, each one undo step, refused as a whole when a result
// would leave the editor range. Results are rounded to whole percent or degrees, halves away
// from zero, in exact integer arithmetic.
//
// Scale by p percent: a Fi trim t (fuel = 100 % + t) becomes (1 + t)(1 + p) - 1, so +5 % on a
// cell at -10 % gives -5.5 %, stored as -6 %; an IG cell, a change of the ignition in degrees,
// becomes d (1 + p), so +10 % on -10deg gives -11deg and 0deg stays 0deg.
// Add a: every cell moves by a (percent or degrees), a rounded to a whole value.
enum class Arithmetic { Scale, Add };

// What the input stands for: Scale in hundredths of a percent, Add in whole units.
struct CellArithmetic {
    Arithmetic kind = Arithmetic::Scale;
    int amount = 0;
};

// A typed amount: a number, a decimal point or comma, the unit ("%"; for Add on IG "deg")
// optional. Scale keeps two decimals. Nothing when the text is no number.
[[nodiscard]] std::optional<CellArithmetic> parseArithmetic(Arithmetic kind, MapKind map,
                                                            const QString &typed);

// What the arithmetic does to each cell of the block.
struct ArithmeticOutcome {
    std::vector<std::pair<int, std::uint8_t>> changes; // cells (1..176) within the range
    int aboveRange = 0; // cells whose result would pass the highest value
    int belowRange = 0; // ... the lowest
    [[nodiscard]] bool refused() const { return aboveRange + belowRange > 0; }
};
[[nodiscard]] ArithmeticOutcome arithmeticOutcome(MapKind map, const EcuTables &tables,
                                                  const CellBlock &block,
                                                  CellArithmetic arithmetic);

// The input's live preview: "12 cells change", "12 cells change, 2 would pass +30%: refused";
// for a text that is no number, what is wrong with it; nothing for an empty text.
[[nodiscard]] QString arithmeticPreview(Arithmetic kind, MapKind map, const EcuTables &tables,
                                        const CellBlock &block, const QString &typed);

// The edit ("Fi map: scale 12 cells by +5%", "IG map: add -2deg to 6 cells"; no changes when
// no cell changes), or why there is none.
[[nodiscard]] MapEditResult arithmeticEdit(Arithmetic kind, MapKind map, const EcuTables &tables,
                                           const CellBlock &block, const QString &typed);

// The whole map: TH rows 1..11, NE columns 1..16.
[[nodiscard]] CellBlock wholeMap();
