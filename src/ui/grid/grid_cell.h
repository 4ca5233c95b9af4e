#pragma once

#include "common/clickable_label.h"
#include "grid/cell_decoration.h"

// A map grid cell: a click target that shows its value's text on its background (light yellow,
// or what the cell editor marks it with) and draws its decoration over it. Every mark is a frame
// drawn in a dark and a light line, so that it shows on every fill.
class GridCell : public ClickableLabel {
    Q_OBJECT
public:
    explicit GridCell(QWidget *parent = nullptr);

    [[nodiscard]] const CellDecoration &decoration() const { return m_decoration; }
    void setDecoration(const CellDecoration &decoration);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CellDecoration m_decoration;
};
