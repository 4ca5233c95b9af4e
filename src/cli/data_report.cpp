#include "data_report.h"

#include "image/difference_text.h"
#include "image/image_fingerprint.h"

#include <QTextStream>

namespace {

constexpr int AxisWidth = 10;
constexpr int CellWidth = 7;

using Texts = MapTable<QString>;

struct Map {
    const char *name;
    const Texts EcuTables::*texts;
};

constexpr Map Maps[] = {
    {"Fi Map", &EcuTables::KmapText},
    {"IG Map", &EcuTables::IGmapText},
};

struct Speed {
    const char *name;
    QString EcuTables::*text;
};

constexpr Speed Speeds[] = {
    {"ShiftTiming Indicator", &EcuTables::ShiftNeText},
    {"PITroad Limit", &EcuTables::PitLimitText},
    {"Idring Ne", &EcuTables::IdleNeText},
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

} // namespace

QString dumpText(const EcuData &data, const QString &comment) {
    const EcuTables &t = data.tables;
    QString text;
    QTextStream out(&text);
    out << "Data name: " << visible(ecuDataName(data.image).trimmed()) << '\n'
        << "CRC-32: " << imageCrc32(data.image) << '\n'
        << "Comment:\n";
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
        lines << differenceLine(d, a.tables, TerminalArrow);
    return lines;
}
