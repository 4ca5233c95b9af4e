#pragma once

#include "graph/graph_view.h"
#include "image/map_kind.h"

class QComboBox;

// The graph mode of a map: one TH row at a time, chosen in the row selector, the highest
// throttle point at the top of its list. "Frame2" shows the Fi map, "FrameIG_Map_GRA" the IG map.
class MapGraphView : public GraphView {
    Q_OBJECT
public:
    MapGraphView(MapKind kind, CalibrationDocument &document, QWidget *parent = nullptr);

    // Starts at row 1, the lowest throttle point; the IG view shows its zero marks.
    void enter() override;

protected:
    [[nodiscard]] int offsetShown(int i) const override;
    [[nodiscard]] QString placeShown(int i) const override;
    [[nodiscard]] int positionOf(std::uint8_t byte) const override;
    void edit(int i, int position, quint64 gesture) override;
    void showPoints() override { showRow(m_row); }
    void showAfterLoad() override;

private:
    void buildRowSelector();
    // Row th (1..11) of the map on the sliders; a row outside the map shows nothing.
    void showRow(int th);
    void showFiRow(int th);
    void showIgRow(int th);
    void rowChosen(int entry);
    void showIgZeroMarks(bool shown);

    MapKind m_kind;
    int m_row = 0; // the TH row shown, 1..11 (0: none yet)
    QComboBox *m_rowSelector = nullptr;
};
