#include "grid/value_legend.h"

#include "common/twips.h"
#include "document/cell_values.h"
#include "document/change_cells.h"

#include <QLabel>
#include <QPainter>

ValueLegend::ValueLegend(MapKind kind, const QList<ColourStop> &scale, int barWidth,
                         QWidget *parent)
    : QWidget(parent)
    , m_scale(scale)
    , m_barWidthTwips(barWidth) {
    setObjectName(QStringLiteral("ValueLegend"));
    const ValueRange range = editorRange(kind);
    const std::array<int, 3> values{range.highest, 0, range.lowest};
    for (std::size_t i = 0; i < values.size(); ++i) {
        m_values[i] = values[i];
        m_labels[i] = new QLabel(cellText(kind, cellByte(kind, values[i])), this);
        m_labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QStringList ValueLegend::texts() const {
    QStringList out;
    for (const QLabel *label : m_labels)
        out << label->text();
    return out;
}

int ValueLegend::barWidth() const {
    return twipsToPixelsX(m_barWidthTwips);
}

int ValueLegend::barY(double value) const {
    const double highest = m_values.front();
    const double lowest = m_values.back();
    return qRound((highest - value) / (highest - lowest) * (height() - 1));
}

void ValueLegend::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // Each text centred on its colour, kept inside the legend.
    const int textLeft = barWidth() + barWidth() / 2;
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        QLabel *label = m_labels[i];
        const int textHeight = label->sizeHint().height();
        const int top = std::clamp(barY(m_values[i]) - textHeight / 2, 0, height() - textHeight);
        label->setGeometry(textLeft, top, width() - textLeft, textHeight);
    }
}

void ValueLegend::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    const int bar = barWidth();
    // Row by row the colour a cell of that value has.
    const double highest = m_values.front();
    const double lowest = m_values.back();
    for (int y = 0; y < height(); ++y) {
        const double value = highest - (highest - lowest) * y / std::max(1, height() - 1);
        painter.fillRect(0, y, bar, 1, colourAt(m_scale, value));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(0, 0, bar - 1, height() - 1);
    // A tick from the bar to each text.
    for (double value : m_values) {
        const int y = barY(value);
        painter.drawLine(bar, y, bar + bar / 3, y);
    }
}
