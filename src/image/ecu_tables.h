#pragma once

#include "ecu_image.h"
#include "ecu_layout.h"

#include <QString>
#include <array>
#include <cstdint>

// The decoded parameter tables and their display texts. Arrays count from 0: map cells
// are [TH row - 1][NE column - 1], axis and RU points [point - 1].
template <typename T>
using MapTable = std::array<std::array<T, NeColumns>, ThRows>;

struct EcuTables {
    MapTable<std::uint8_t> KmapData{};
    MapTable<QString> KmapText;
    MapTable<std::uint8_t> IGmapData{};
    MapTable<QString> IGmapText;
    std::array<std::int32_t, NePoints> NeData{};
    std::array<QString, NePoints> NeText;
    std::array<std::uint8_t, ThPoints> ThData{};
    std::array<QString, ThPoints> ThText;
    std::array<std::uint8_t, RuPoints> RuadjData{};
    std::array<QString, RuPoints> RuadjText;
    std::uint8_t ShiftNeData = 0;
    QString ShiftNeText;
    std::uint8_t PitLimitData = 0;
    QString PitLimitText;
    std::uint8_t IdleNeData = 0;
    QString IdleNeText;

    friend bool operator==(const EcuTables &, const EcuTables &) = default;
};

// The image and the tables decoded from it; every edit keeps the two in step.
struct EcuData {
    EcuImage image;
    EcuTables tables;
};
