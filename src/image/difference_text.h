#pragma once

#include "ecu_tables.h"
#include "image_comparison.h"

#include <QString>
#include <QStringList>
#include <vector>

// The words the compare marks, the review before a write and qz3rok-cli use for differences.

// The arrows between the value before and after: the window's, and the terminal's.
inline const QString WindowArrow = QStringLiteral(" \u2192 ");
inline const QString TerminalArrow = QStringLiteral(" -> ");

// The parameter at a place, its cells and RU points named on the axes of tables:
// "Fi Map TH 3 (20) NE 5 (4000)", "NE Position 2", "RU Map NE 1 (1000)", "Idring Ne".
[[nodiscard]] QString parameterName(const ParameterPlace &place, const EcuTables &tables);
// "Fi Map TH 3 (20) NE 5 (4000): +2% -> +5%": ours, then theirs.
[[nodiscard]] QString differenceLine(const Difference &difference, const EcuTables &namedBy,
                                     const QString &arrow);
// How many differ, and of which kind: "12 differ (Fi 8, IG 3, NE axis 1)".
[[nodiscard]] QString differenceCounts(const std::vector<Difference> &differences);

// What writing an image into an ECU that holds another changes there: every parameter, the
// data name, and any other byte outside the areas the ECU keeps for itself.
struct WriteChanges {
    std::vector<Difference> parameters; // the ECU's value first
    bool dataName = false;
    std::vector<int> otherOffsets;
    [[nodiscard]] bool none() const {
        return parameters.empty() && !dataName && otherOffsets.empty();
    }
};
[[nodiscard]] WriteChanges writeChanges(const EcuImage &ecu, const EcuImage &written);
// One line a change, the parameters named on the axes of the data written:
// "IG Map TH 11 (100) NE 16 (16000): 0deg -> -5deg", "Data name: OLD -> NEW",
// "Byte 150: 00 -> 12" (its file address, as the verification names bytes).
[[nodiscard]] QStringList writeChangeLines(const WriteChanges &changes, const EcuImage &ecu,
                                           const EcuData &written, const QString &arrow);
// The counts, with the data name and other bytes: "3 differ (Fi 2, IG 1), and the data name".
[[nodiscard]] QString writeChangeCounts(const WriteChanges &changes);
