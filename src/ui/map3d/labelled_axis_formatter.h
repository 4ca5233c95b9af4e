#pragma once

#include "map3d/map3d_data.h"

#include <QList>
#include <QValue3DAxisFormatter>

// Puts grid lines and labels of a value axis exactly at chosen values, with chosen texts (empty
// texts leave a point unlabelled); values off the axis's range are left out. Q3DSurface ignores
// QValue3DAxis::setLabels(), and its own formatter only knows evenly spaced segments.
class LabelledAxisFormatter : public QValue3DAxisFormatter {
    Q_OBJECT
public:
    explicit LabelledAxisFormatter(QObject *parent = nullptr);

    // Replaces the labelled values (never adds to them).
    void setLabelledValues(const QList<LabelledValue> &values);
    [[nodiscard]] const QList<LabelledValue> &labelledValues() const { return m_values; }

protected:
    [[nodiscard]] QValue3DAxisFormatter *createNewInstance() const override;
    void recalculate() override;
    void populateCopy(QValue3DAxisFormatter &copy) const override;

private:
    QList<LabelledValue> m_values;
};
