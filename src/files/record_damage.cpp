#include "record_damage.h"

#include "files/hex_field.h"

#include <algorithm>

namespace {

// ":", byte count, address and type take 9 characters, the checksum 2 more.
constexpr qsizetype RecordFrame = 11;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f';
}

QString damageName(RecordDamage damage) {
    switch (damage) {
    case RecordDamage::NotHex:
        return QStringLiteral("not hex");
    case RecordDamage::CutShort:
        return QStringLiteral("cut short");
    case RecordDamage::ByteCount:
        return QStringLiteral("byte count");
    case RecordDamage::Checksum:
        return QStringLiteral("checksum");
    case RecordDamage::None:
        break;
    }
    return {};
}

} // namespace

RecordDamage recordDamage(const QByteArray &line) {
    qsizetype end = line.size();
    while (end > 0 && isBlank(line[end - 1]))
        --end;
    const qsizetype length = RecordFrame + 2 * hexField(line, 1, 2);
    for (qsizetype i = 1; i < std::min(end, length); ++i) {
        if (hexDigit(line[i]) < 0)
            return RecordDamage::NotHex;
    }
    if (end < length)
        return RecordDamage::CutShort;
    if (end > length)
        return RecordDamage::ByteCount;
    int sum = 0;
    for (qsizetype i = 1; i < length; i += 2)
        sum += hexField(line, i, 2);
    return sum % 256 == 0 ? RecordDamage::None : RecordDamage::Checksum;
}

void DamagedLines::note(int lineNumber, RecordDamage damage) {
    if (damage == RecordDamage::None)
        return;
    if (count++ == 0) {
        firstLine = lineNumber;
        firstDamage = damage;
    }
}

QString damageWarning(const QString &fileName, const DamagedLines &damaged) {
    if (damaged.count == 0)
        return {};
    const QString place =
        QStringLiteral("line %1, %2").arg(damaged.firstLine).arg(damageName(damaged.firstDamage));
    const QString lines = damaged.count == 1
                              ? QStringLiteral("1 damaged line (%1); its values were").arg(place)
                              : QStringLiteral("%1 damaged lines (first: %2); their values were")
                                    .arg(damaged.count)
                                    .arg(place);
    return QStringLiteral("%1: %2 read as the file gives them. Check the maps before writing "
                          "them to the ECU.")
        .arg(fileName, lines);
}
