#include "comparison.h"

#include "calibration_document.h"

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
