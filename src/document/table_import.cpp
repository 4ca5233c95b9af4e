#include "table_import.h"

#include "cell_values.h"
#include "change_axis_point.h"
#include "change_cells.h"
#include "image/display_text.h"

#include <cmath>
#include <functional>

namespace {

// The RU sliders' range.
constexpr ValueRange RuRange{-15, 15};

struct Refusal {
    QString text;
};

// The place of a field in the file and in the table: "row 3, column 5 of RACE1.csv (TH row 10,
// NE column 4)".
QString where(CsvPlace place, const QString &fileName, const QString &what) {
    return QStringLiteral("in row %1, column %2 of %3 (%4)")
        .arg(place.row)
        .arg(place.column)
        .arg(fileName, what);
}

// The points of one axis as the file gives them, checked.
class AxisImport {
public:
    AxisImport(Axis axis, const QStringList &texts, const QString &fileName)
        : m_axis(axis)
        , m_texts(texts)
        , m_fileName(fileName) {}

    // The points in the axis' stored units, or the refusal.
    std::optional<Refusal> read(const std::vector<int> &data) {
        for (int point = 1; point <= static_cast<int>(m_texts.size()); ++point) {
            const QString &text = m_texts[point - 1];
            const std::optional<double> number = parseNumber(text, {});
            if (!number) {
                return Refusal{QStringLiteral("The value \"%1\" %2 is not a number.")
                                   .arg(text, where(place(point), m_fileName, name(point)))};
            }
            m_points.push_back(*number / scale());
        }
        bool differs = false;
        for (std::size_t i = 0; i < m_points.size(); ++i)
            differs = differs || m_points[i] != data[i];
        return differs ? checkOtherAxis(data) : std::nullopt;
    }

    // The changes of the axis' bytes, and their texts.
    void addChanges(const std::vector<int> &data, ByteEdit &edit, QStringList &texts) const {
        const bool ne = m_axis == Axis::Ne;
        for (int point = 1; point <= static_cast<int>(m_points.size()); ++point) {
            const auto i = static_cast<std::size_t>(point - 1);
            const auto value = static_cast<std::uint8_t>(m_points[i]);
            if (value == data[i])
                continue;
            edit.changes.push_back({ne ? neAxisOffset(point) : thAxisOffset(point), 0, value});
            texts << name(point) + QStringLiteral(": ") + QString::number(data[i] * scale()) +
                         EditArrow + QString::number(value * scale()) +
                         (ne ? QStringLiteral(" r/min") : QStringLiteral("%"));
        }
    }

private:
    // The file's units per stored unit.
    [[nodiscard]] int scale() const { return m_axis == Axis::Ne ? 100 : 1; }
    [[nodiscard]] QString name(int point) const {
        return (m_axis == Axis::Ne ? QStringLiteral("NE point %1") : QStringLiteral("TH point %1"))
            .arg(point);
    }
    [[nodiscard]] CsvPlace place(int point) const {
        return m_axis == Axis::Ne ? nePointPlace(point) : thPointPlace(point);
    }
    // A value in stored units as the file shows it: "7000 r/min", "45".
    [[nodiscard]] QString shown(double value) const {
        return m_axis == Axis::Ne ? QString::number(value * scale()) + QStringLiteral(" r/min")
                                  : QString::number(value);
    }

    // The points that differ from the data's must be points the axis editors could give.
    [[nodiscard]] std::optional<Refusal> checkOtherAxis(const std::vector<int> &data) const {
        const int last = static_cast<int>(m_points.size());
        const auto changed = [&](int point) {
            return point >= 1 && point <= last &&
                   m_points[static_cast<std::size_t>(point - 1)] !=
                       data[static_cast<std::size_t>(point - 1)];
        };
        for (int point = 1; point <= last; ++point) {
            const auto i = static_cast<std::size_t>(point - 1);
            if (!changed(point))
                continue;
            if (m_points[i] != std::floor(m_points[i])) {
                return Refusal{QStringLiteral("%1 in %2, %3, is not %4.")
                                   .arg(name(point), m_fileName, shown(m_points[i]),
                                        m_axis == Axis::Ne
                                            ? QStringLiteral("a whole hundred of r/min")
                                            : QStringLiteral("a whole number"))};
            }
            if (point == 1 || point == last) {
                return Refusal{
                    QStringLiteral("%1 in %2 is %3, in the data %4: the first and last "
                                   "points of an axis stay as they are.")
                        .arg(name(point), m_fileName, shown(m_points[i]), shown(data[i]))};
            }
        }
        for (int point = 2; point <= last; ++point) {
            const auto i = static_cast<std::size_t>(point - 1);
            if ((changed(point) || changed(point - 1)) && m_points[i] <= m_points[i - 1]) {
                return Refusal{QStringLiteral("%1 in %2, %3, is not above %4, %5: an axis rises "
                                              "from point to point.")
                                   .arg(name(point), m_fileName, shown(m_points[i]),
                                        name(point - 1), shown(m_points[i - 1]))};
            }
        }
        return std::nullopt;
    }

    Axis m_axis;
    const QStringList &m_texts;
    const QString &m_fileName;
    std::vector<double> m_points;
};

std::vector<int> neAxis(const EcuTables &tables) {
    return {tables.NeData.cbegin(), tables.NeData.cend()};
}

std::vector<int> thAxis(const EcuTables &tables) {
    return {tables.ThData.cbegin(), tables.ThData.cend()};
}

int signedByte(std::uint8_t b) {
    return b >= 128 ? b - 256 : b;
}

// How a table's values are read, checked and stored.
struct ValueRules {
    QString unit;
    ValueRange range;
    QString rangeText;
    std::function<int(int row, int column)> current;
    std::function<ByteChange(int row, int column, int value)> change;
};

ValueRules rulesOf(CsvTable table, const EcuTables &tables) {
    if (table == CsvTable::Ru) {
        return {QStringLiteral("%"), RuRange,
                ruEditText(static_cast<std::uint8_t>(RuRange.lowest)) + QStringLiteral(" to ") +
                    ruEditText(static_cast<std::uint8_t>(RuRange.highest)),
                [&tables](int, int point) {
                    return signedByte(tables.RuadjData[static_cast<std::size_t>(point - 1)]);
                },
                [](int, int point, int value) {
                    return ByteChange{ruMapOffset(point), 0, static_cast<std::uint8_t>(value)};
                }};
    }
    const MapKind kind = table == CsvTable::Fi ? MapKind::Fi : MapKind::Ig;
    return {
        kind == MapKind::Fi ? QStringLiteral("%") : QStringLiteral("deg"), editorRange(kind),
        rangeText(kind),
        [kind, &tables](int row, int column) { return tableValue(kind, tables, row, column); },
        [kind](int row, int column, int value) {
            return ByteChange{cellOffset(kind, cellNumber(row, column)), 0, cellByte(kind, value)};
        }};
}

TableImport refused(const Refusal &refusal) {
    return {{{}, refusal.text + NothingImported}, {}};
}

} // namespace

TableImport importTable(CsvTable table, const EcuTables &tables, const TableCsvFields &fields,
                        const QString &fileName) {
    if (fields.refused())
        return {{{}, fields.refusal}, {}};
    AxisImport ne(Axis::Ne, fields.ne, fileName);
    if (const std::optional<Refusal> refusal = ne.read(neAxis(tables)))
        return refused(*refusal);
    AxisImport th(Axis::Th, fields.th, fileName);
    if (const std::optional<Refusal> refusal = th.read(thAxis(tables)))
        return refused(*refusal);

    const QString name = csvTableName(table);
    const ValueRules rules = rulesOf(table, tables);
    ByteEdit edit;
    for (int line = 0; line < static_cast<int>(fields.values.size()); ++line) {
        for (int field = 0; field < NeColumns; ++field) {
            const int row = line + 1;
            const int column = field + 1;
            const QString &text = fields.values[line][field];
            const QString place =
                where(valuePlace(table, row, column), fileName,
                      table == CsvTable::Ru
                          ? QStringLiteral("RU point %1").arg(column)
                          : QStringLiteral("TH row %1, NE column %2").arg(row).arg(column));
            const std::optional<double> number = parseNumber(text, rules.unit);
            if (!number) {
                return refused(
                    {QStringLiteral("The value \"%1\" %2 is not a number.").arg(text, place)});
            }
            // Halves away from zero, as typed values.
            const double value = std::round(*number);
            if (value == rules.current(row, column))
                continue;
            if (!(value >= rules.range.lowest && value <= rules.range.highest)) {
                return refused(
                    {QStringLiteral("The value %1 %2 is outside the range of the %3, %4.")
                         .arg(text, place, name, rules.rangeText)});
            }
            edit.changes.push_back(rules.change(row, column, static_cast<int>(value)));
        }
    }

    QStringList axisChanges;
    ne.addChanges(neAxis(tables), edit, axisChanges);
    th.addChanges(thAxis(tables), edit, axisChanges);
    edit.describe =
        [text = QStringLiteral("%1: import %2%3")
                    .arg(name, fileName,
                         axisChanges.isEmpty() ? QString() : QStringLiteral(" and its axes"))](
            const std::vector<ByteChange> &) { return text; };
    return {{edit, {}}, axisChanges};
}
