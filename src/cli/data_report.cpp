#include "data_report.h"

#include <QTextStream>

namespace {

constexpr int AxisWidth = 10;
constexpr int CellWidth = 7;

using Texts = MapTable<QString>;
using Bytes = MapTable<std::uint8_t>;

struct Map {
    const char *name;
    const Bytes EcuTables::*data;
    const Texts EcuTables::*texts;
};

constexpr Map Maps[] = {
    {"Fi Map", &EcuTables::KmapData, &EcuTables::KmapText},
    {"IG Map", &EcuTables::IGmapData, &EcuTables::IGmapText},
};

struct Speed {
    const char *name;
    std::uint8_t EcuTables::*data;
    QString EcuTables::*text;
};

constexpr Speed Speeds[] = {
    {"ShiftTiming Indicator", &EcuTables::ShiftNeData, &EcuTables::ShiftNeText},
    {"PITroad Limit", &EcuTables::PitLimitData, &EcuTables::PitLimitText},
    {"Idring Ne", &EcuTables::IdleNeData, &EcuTables::IdleNeText},
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

QString change(const QString &what, const QString &a, const QString &b) {
    return QStringLiteral("%1: %2 -> %3").arg(what, a.trimmed(), b.trimmed());
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

QStringList differences(const EcuTables &a, const EcuTables &b) {
    QStringList lines;
    for (const Map &map : Maps) {
        for (std::size_t th = 0; th < ThRows; ++th) {
            for (std::size_t ne = 0; ne < NeColumns; ++ne) {
                if ((a.*map.data)[th][ne] == (b.*map.data)[th][ne])
                    continue;
                lines.push_back(
                    change(QStringLiteral("%1 %2 %3")
                               .arg(QLatin1String(map.name), position("TH", th, a.ThText[th]),
                                    position("NE", ne, a.NeText[ne])),
                           (a.*map.texts)[th][ne], (b.*map.texts)[th][ne]));
            }
        }
    }
    for (std::size_t i = 0; i < NePoints; ++i) {
        if (a.NeData[i] != b.NeData[i])
            lines.push_back(
                change(QStringLiteral("NE Position %1").arg(i + 1), a.NeText[i], b.NeText[i]));
    }
    for (std::size_t i = 0; i < ThPoints; ++i) {
        if (a.ThData[i] != b.ThData[i])
            lines.push_back(
                change(QStringLiteral("TH Position %1").arg(i + 1), a.ThText[i], b.ThText[i]));
    }
    for (std::size_t i = 0; i < RuPoints; ++i) {
        if (a.RuadjData[i] != b.RuadjData[i])
            lines.push_back(change(QStringLiteral("RU Map ") + position("NE", i, a.NeText[i]),
                                   a.RuadjText[i], b.RuadjText[i]));
    }
    for (const Speed &speed : Speeds) {
        if (a.*speed.data != b.*speed.data)
            lines.push_back(change(QLatin1String(speed.name), a.*speed.text, b.*speed.text));
    }
    return lines;
}
