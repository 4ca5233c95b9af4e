#include "data_report.h"

#include "image/image_comparison.h"

#include <QTextStream>
#include <algorithm>

namespace {

constexpr int AxisWidth = 10;
constexpr int CellWidth = 7;

using Texts = MapTable<QString>;

struct Map {
    ParameterKind kind;
    const char *name;
    const Texts EcuTables::*texts;
};

constexpr Map Maps[] = {
    {ParameterKind::FiCell, "Fi Map", &EcuTables::KmapText},
    {ParameterKind::IgCell, "IG Map", &EcuTables::IGmapText},
};

struct Speed {
    ParameterKind kind;
    const char *name;
    QString EcuTables::*text;
};

constexpr Speed Speeds[] = {
    {ParameterKind::ShiftNe, "ShiftTiming Indicator", &EcuTables::ShiftNeText},
    {ParameterKind::PitLimit, "PITroad Limit", &EcuTables::PitLimitText},
    {ParameterKind::IdleNe, "Idring Ne", &EcuTables::IdleNeText},
};

// A text from the file as the terminal may show it: control characters (C0, DEL, C1) other than
// tab and newline are written as \xHH, so that none reaches the terminal and none (NUL) ends
// the output early.
QString visible(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (control && code != u'\t' && code != u'\n')
            out += QStringLiteral("\\x%1").arg(static_cast<int>(code), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString axisCell(const QString &text) {
    return text.rightJustified(AxisWidth);
}

QString cell(const QString &text) {
    return text.rightJustified(CellWidth);
}

void neAxisRow(QTextStream &out, const EcuTables &t) {
    out << axisCell(QStringLiteral("Ne(r/min)"));
    for (const QString &ne : t.NeText)
        out << cell(ne);
    out << '\n';
}

void dumpMap(QTextStream &out, const EcuTables &t, const Map &map) {
    out << '\n' << map.name << '\n' << axisCell(QStringLiteral("TH(%)")) << '\n';
    for (int th = ThRows; th >= 1; --th) {
        const auto row = static_cast<std::size_t>(th - 1);
        out << axisCell(t.ThText[row]);
        for (const QString &text : (t.*map.texts)[row])
            out << cell(text);
        out << '\n';
    }
    neAxisRow(out, t);
}

QString position(const char *axis, std::size_t index, const QString &text) {
    return QStringLiteral("%1 %2 (%3)").arg(QLatin1String(axis)).arg(index + 1).arg(text);
}

// The entry of a table for a kind.
template <typename Entry, std::size_t Size>
const Entry &entryOf(const Entry (&table)[Size], ParameterKind kind) {
    return *std::find_if(std::begin(table), std::end(table),
                         [kind](const Entry &entry) { return entry.kind == kind; });
}

// The parameter a line of the diff names, placed on the axes of t: "Fi Map TH 3 (20) NE 5
// (4000)", "NE Position 2", "RU Map NE 1 (1000)", "Idring Ne".
QString parameterName(const ParameterPlace &place, const EcuTables &t) {
    const auto point = static_cast<std::size_t>(place.index - 1);
    switch (place.kind) {
    case ParameterKind::FiCell:
    case ParameterKind::IgCell: {
        const auto th = static_cast<std::size_t>(thRowOfCell(place.index) - 1);
        const auto ne = static_cast<std::size_t>(neColumnOfCell(place.index) - 1);
        return QStringLiteral("%1 %2 %3")
            .arg(QLatin1String(entryOf(Maps, place.kind).name), position("TH", th, t.ThText[th]),
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
    return QLatin1String(entryOf(Speeds, place.kind).name);
}

} // namespace

QString dumpText(const EcuData &data, const QString &comment) {
    const EcuTables &t = data.tables;
    QString text;
    QTextStream out(&text);
    out << "Data name: " << visible(ecuDataName(data.image).trimmed()) << '\n' << "Comment:\n";
    // A lone LF within a comment line starts another line of the dump.
    QString lineEnds = comment;
    lineEnds.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = comment.isEmpty() ? QStringList() : lineEnds.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        out << "  " << visible(line) << '\n';
    for (const Map &map : Maps)
        dumpMap(out, t, map);

    out << "\nRU Map\n";
    neAxisRow(out, t);
    out << axisCell(QStringLiteral("RU"));
    for (const QString &ru : t.RuadjText)
        out << cell(ru);
    out << "\n\n";
    for (const Speed &speed : Speeds)
        out << QString::fromLatin1(speed.name).leftJustified(22)
            << (t.*speed.text).rightJustified(6) << " (r/min)\n";
    out.flush();
    return text;
}

QStringList differences(const EcuData &a, const EcuData &b) {
    QStringList lines;
    for (const Difference &d : compareImages(a.image, b.image))
        lines << QStringLiteral("%1: %2 -> %3")
                     .arg(parameterName(d.place, a.tables), d.oursText(), d.theirsText());
    return lines;
}
