#include "difference_text.h"

#include <algorithm>

namespace {

// The kinds in the order the counts name them, with their names there and in the lines.
struct KindNames {
    ParameterKind kind;
    const char *counted;
    const char *named; // of a map or a single value; nullptr: named with its point
};
constexpr KindNames Kinds[] = {
    {ParameterKind::FiCell, "Fi", "Fi Map"},
    {ParameterKind::IgCell, "IG", "IG Map"},
    {ParameterKind::NeAxis, "NE axis", nullptr},
    {ParameterKind::ThAxis, "TH axis", nullptr},
    {ParameterKind::RuPoint, "RU", nullptr},
    {ParameterKind::ShiftNe, "ShiftTiming Indicator", "ShiftTiming Indicator"},
    {ParameterKind::PitLimit, "PITroad Limit", "PITroad Limit"},
    {ParameterKind::IdleNe, "Idring Ne", "Idring Ne"},
};

const KindNames &namesOf(ParameterKind kind) {
    return *std::find_if(std::begin(Kinds), std::end(Kinds),
                         [kind](const KindNames &names) { return names.kind == kind; });
}

QString position(const char *axis, std::size_t index, const QString &text) {
    return QStringLiteral("%1 %2 (%3)").arg(QLatin1String(axis)).arg(index + 1).arg(text);
}

} // namespace

QString parameterName(const ParameterPlace &place, const EcuTables &t) {
    const auto point = static_cast<std::size_t>(place.index - 1);
    switch (place.kind) {
    case ParameterKind::FiCell:
    case ParameterKind::IgCell: {
        const auto th = static_cast<std::size_t>(thRowOfCell(place.index) - 1);
        const auto ne = static_cast<std::size_t>(neColumnOfCell(place.index) - 1);
        return QStringLiteral("%1 %2 %3")
            .arg(QLatin1String(namesOf(place.kind).named), position("TH", th, t.ThText[th]),
                 position("NE", ne, t.NeText[ne]));
    }
    case ParameterKind::NeAxis:
        return QStringLiteral("NE Position %1").arg(place.index);
    case ParameterKind::ThAxis:
        return QStringLiteral("TH Position %1").arg(place.index);
    case ParameterKind::RuPoint:
        return QStringLiteral("RU Map ") + position("NE", point, t.NeText[point]);
    case ParameterKind::PitLimit:
    case ParameterKind::ShiftNe:
    case ParameterKind::IdleNe:
        break;
    }
    return QLatin1String(namesOf(place.kind).named);
}

QString differenceLine(const Difference &d, const EcuTables &namedBy, const QString &arrow) {
    return parameterName(d.place, namedBy) + QStringLiteral(": ") + d.oursText() + arrow +
           d.theirsText();
}

QString differenceCounts(const std::vector<Difference> &differences) {
    QStringList counts;
    for (const KindNames &kind : Kinds) {
        const auto count =
            std::count_if(differences.cbegin(), differences.cend(),
                          [&](const Difference &d) { return d.place.kind == kind.kind; });
        if (count > 0)
            counts << QStringLiteral("%1 %2").arg(QLatin1String(kind.counted)).arg(count);
    }
    QString text = QStringLiteral("%1 differ").arg(differences.size());
    if (!counts.isEmpty())
        text += QStringLiteral(" (") + counts.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

WriteChanges writeChanges(const EcuImage &ecu, const EcuImage &written) {
    WriteChanges changes;
    changes.parameters = compareImages(ecu, written);
    changes.dataName = ecuDataName(ecu) != ecuDataName(written);
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        ParameterPlace place{};
        const bool named =
            parameterAt(offset, place) ||
            (offset >= DataNameOffset && offset < DataNameOffset + EcuDataNameLength);
        if (!named && !isProtectedOffset(offset) && ecu.byte(offset) != written.byte(offset))
            changes.otherOffsets.push_back(offset);
    }
    return changes;
}

QStringList writeChangeLines(const WriteChanges &changes, const EcuImage &ecu,
                             const EcuData &written, const QString &arrow) {
    QStringList lines;
    for (const Difference &d : changes.parameters)
        lines << differenceLine(d, written.tables, arrow);
    if (changes.dataName)
        lines << QStringLiteral("Data name: ") + ecuDataName(ecu).trimmed() + arrow +
                     ecuDataName(written.image).trimmed();
    const auto hex = [](std::uint8_t b) {
        return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    };
    for (const int offset : changes.otherOffsets)
        lines << QStringLiteral("Byte %1: ")
                         .arg(QString::number(EcuImage::fileAddressOf(offset), 16).toUpper()) +
                     hex(ecu.byte(offset)) + arrow + hex(written.image.byte(offset));
    return lines;
}

QString writeChangeCounts(const WriteChanges &changes) {
    QStringList also;
    if (changes.dataName)
        also << QStringLiteral("the data name");
    if (const auto others = changes.otherOffsets.size(); others > 0)
        also << (others == 1 ? QStringLiteral("1 other byte")
                             : QStringLiteral("%1 other bytes").arg(others));
    QString text = differenceCounts(changes.parameters);
    if (!also.isEmpty())
        text += QStringLiteral(", and ") + also.join(QStringLiteral(" and "));
    return text;
}
