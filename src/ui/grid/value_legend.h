#pragma once

#include "common/colour_maps.h"
#include "image/map_kind.h"

#include <QWidget>
#include <array>

class QLabel;

// The key to a grid's value colours, beside it: the colour scale as a bar from its highest value
// at the top to its lowest at the bottom, with the texts of the highest value, of no change (0)
// and of the lowest value beside their colours ("+30%", "0%", "-30%").
class ValueLegend : public QWidget {
    Q_OBJECT
public:
    // barWidth in twips (at the layout's zoom in force); the texts take the rest of the width.
    ValueLegend(MapKind kind, const QList<ColourStop> &scale, int barWidth,
                QWidget *parent = nullptr);

    // Top to bottom: highest, no change, lowest.
    [[nodiscard]] QStringList texts() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where a value lies on the bar, pixels from the top.
    [[nodiscard]] int barY(double value) const;

    QList<ColourStop> m_scale;
    int m_barWidthTwips;
    [[nodiscard]] int barWidth() const;
    std::array<double, 3> m_values{};
    std::array<QLabel *, 3> m_labels{};
};
