#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// One image byte an edit changes.
struct ByteChange {
    int offset = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

// An edit of the calibration: the bytes it changes, and how it reads in the Edit menu. Tables
// and texts follow from the bytes. Edits of one gesture (one drag of one slider) merge into
// one undo step; gesture 0 is a gesture of its own.
struct ByteEdit {
    std::vector<ByteChange> changes;
    // The menu text, from the changes (after a merge: the first before, the last after).
    std::function<QString(const std::vector<ByteChange> &)> describe;
    quint64 gesture = 0;
};

// The arrow between the value before and after in the menu texts.
inline const QString EditArrow = QStringLiteral(" \u2192 ");
