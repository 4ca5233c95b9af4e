#pragma once

#include "graph/graph_view.h"

// "RU MAP" ("Frame7"): the sixteen points of the RU map on graph sliders, and "All data change"
// to give them all one value.
class RuMapView : public GraphView {
    Q_OBJECT
public:
    explicit RuMapView(CalibrationDocument &document, QWidget *parent = nullptr);

    void enter() override;

signals:
    // "All data change".
    void allDataChangeClicked();

protected:
    [[nodiscard]] int offsetShown(int i) const override;
    [[nodiscard]] QString placeShown(int i) const override;
    [[nodiscard]] int positionOf(std::uint8_t byte) const override;
    void edit(int i, int position, quint64 gesture) override;
    void showPoints() override { showRuMap(); }
    void showAfterLoad() override;

private:
    void showRuMap();
};
