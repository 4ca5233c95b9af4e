#include "comparison.h"

#include "calibration_document.h"

namespace {

// The kinds in the order the counts name them.
struct KindName {
    ParameterKind kind;
    const char *name;
};
constexpr KindName KindNames[] = {
    {ParameterKind::FiCell, "Fi"},
    {ParameterKind::IgCell, "IG"},
    {ParameterKind::NeAxis, "NE axis"},
    {ParameterKind::ThAxis, "TH axis"},
    {ParameterKind::RuPoint, "RU"},
    {ParameterKind::ShiftNe, "ShiftTiming Indicator"},
    {ParameterKind::PitLimit, "PITroad Limit"},
    {ParameterKind::IdleNe, "Idring Ne"},
};

} // namespace

QString differenceCounts(const std::vector<Difference> &differences) {
    QStringList counts;
    for (const KindName &kind : KindNames) {
        const auto count =
            std::count_if(differences.cbegin(), differences.cend(),
                          [&](const Difference &d) { return d.place.kind == kind.kind; });
        if (count > 0)
            counts << QStringLiteral("%1 %2").arg(QLatin1String(kind.name)).arg(count);
    }
    QString text = QStringLiteral("%1 differ").arg(differences.size());
    if (!counts.isEmpty())
        text += QStringLiteral(" (") + counts.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

Comparison::Comparison(const CalibrationDocument &document, QObject *parent)
    : QObject(parent)
    , m_document(document) {
    m_at.fill(-1);
    connect(&document, &CalibrationDocument::bytesChanged, this, [this] { update(); });
    connect(&document, &CalibrationDocument::dataReplaced, this, [this] { update(); });
}

void Comparison::compareWith(const EcuImage &other, const QString &name) {
    m_other = other;
    m_name = name;
    update(true);
}

void Comparison::stop() {
    m_other.reset();
    m_name.clear();
    update(true);
}

const Difference *Comparison::differenceAt(int offset) const {
    const int at = m_at[static_cast<std::size_t>(offset)];
    return at < 0 ? nullptr : &m_differences[static_cast<std::size_t>(at)];
}

QString Comparison::summary() const {
    if (!isActive())
        return {};
    return QStringLiteral("Compared with %1: %2").arg(m_name, differenceCounts(m_differences));
}

void Comparison::update(bool always) {
    std::vector<Difference> differences;
    if (m_other && m_document.hasData())
        differences = compareImages(m_document.image(), *m_other);
    // Most edits change nothing of a comparison, and none while there is none.
    if (!always && differences == m_differences)
        return;
    m_differences = std::move(differences);
    m_at.fill(-1);
    for (std::size_t i = 0; i < m_differences.size(); ++i)
        m_at[static_cast<std::size_t>(offsetOf(m_differences[i].place))] = static_cast<int>(i);
    emit changed();
}
