#pragma once

#include <QColor>
#include <Qt>

// What a grid cell shows besides its text, in layers from the bottom: a fill for its value, the
// selection's tint and border, the dimming of an unchanged value, the compare mark, the frame
// of the operating point's cells, the cursor's frame. A new kind of mark is one
// more member here and one more layer in GridCell::paintEvent.
struct CellDecoration {
    // The colour of the cell's value; invalid: the cell's own background (light yellow).
    QColor fill;
    bool selected = false;
    // The sides of the cell that lie on the selection's border.
    Qt::Edges selectionEdges;
    // The value equals the compared calibration's, and only changed values stand out.
    bool dimmed = false;
    // The value differs from the compared calibration.
    bool differs = false;
    // The sides of the cell that lie on the border of the four cells an operating point reads.
    Qt::Edges operatingPointEdges;
    bool cursor = false;

    friend bool operator==(const CellDecoration &, const CellDecoration &) = default;
};
