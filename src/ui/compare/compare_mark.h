#pragma once

#include <QColor>
#include <QString>

class QPainter;
class QRect;
class QWidget;

// The colour of the frame that marks a value differing from the compared calibration: apart
// from every cell colour, the selection and the cursor.
inline const QColor CompareMarkColour = QColor(0xD0, 0x00, 0xD0);

// The shape that tells the mark from other frames without its colour: a filled triangle in the
// top right corner inside the frame (inside: the rectangle within the frame's lines).
void drawCompareCorner(QPainter &painter, const QRect &inside);

// Marks a label whose value differs from the compared calibration: a frame drawn over it and
// the tooltip "other: <text>", after where the value lies when given ("TH 20 %, 6500 r/min,
// other: +10%"). An empty text takes the mark away.
void showCompareMark(QWidget *label, const QString &otherText, const QString &where = {});
// Whether the label carries the mark, and the text it shows then.
[[nodiscard]] bool hasCompareMark(const QWidget *label);
