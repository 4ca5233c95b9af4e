#pragma once

#include <QByteArray>

// The value of a hex digit of either case; -1 for any other character.
[[nodiscard]] constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value of the hex digits at the start of a field of a record line (0-based start); a field
// without a leading hex digit, or beyond the end of the line, reads as 0.
[[nodiscard]] inline int hexField(const QByteArray &line, qsizetype start, qsizetype length) {
    int value = 0;
    for (qsizetype i = start; i < start + length && i < line.size(); ++i) {
        const int digit = hexDigit(line[i]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}
