#include "map3d/labelled_axis_formatter.h"

#include <QValue3DAxis>

namespace {

constexpr double Tolerance = 1e-6;

} // namespace

LabelledAxisFormatter::LabelledAxisFormatter(QObject *parent)
    : QValue3DAxisFormatter(parent) {}

void LabelledAxisFormatter::setLabelledValues(const QList<LabelledValue> &values) {
    m_values = values;
    markDirty(true);
}

QValue3DAxisFormatter *LabelledAxisFormatter::createNewInstance() const {
    return new LabelledAxisFormatter;
}

void LabelledAxisFormatter::recalculate() {
    const QValue3DAxis *owner = axis();
    const double min = owner->min();
    const double span = owner->max() - min;

    gridPositions().clear();
    subGridPositions().clear();
    labelPositions().clear();
    labelStrings().clear();
    for (const LabelledValue &v : m_values) {
        const double at = span > 0 ? (v.value - min) / span : 0.0;
        // A value off the axis would be drawn outside the graph.
        if (at < -Tolerance || at > 1.0 + Tolerance)
            continue;
        gridPositions().append(static_cast<float>(at));
        labelPositions().append(static_cast<float>(at));
        labelStrings().append(v.text);
    }
}

void LabelledAxisFormatter::populateCopy(QValue3DAxisFormatter &copy) const {
    QValue3DAxisFormatter::populateCopy(copy);
    if (auto *labelled = qobject_cast<LabelledAxisFormatter *>(&copy))
        labelled->m_values = m_values;
}
