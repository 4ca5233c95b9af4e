#pragma once

#include "common/value_slider.h"

#include <QColor>

// A slider that also shows a selection band: a marked stretch of its scale, here the values the
// dialog allows. The band is only shown; it does not limit the slider.
class BandSlider : public ValueSlider {
    Q_OBJECT
public:
    explicit BandSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

    // The band's colour on the groove, apart from the style's own groove colours.
    static inline const QColor BandColour = QColor(0xE0, 0x90, 0x20);

    // Band from start over length steps (start ... start + length; a length of 0 marks the one
    // position start).
    void setSelection(int start, int length);
    // No band.
    void clearSelection();
    [[nodiscard]] bool hasSelection() const { return m_hasSelection; }
    [[nodiscard]] int selectionStart() const { return m_selectionStart; }
    [[nodiscard]] int selectionLength() const { return m_selectionLength; }

protected:
    void paintOverGroove(QPainter &painter, const QStyleOptionSlider &option) override;

private:
    // Pixel centre of the handle when it stands at the position, along the slider's length.
    [[nodiscard]] int pixelCentreOf(int position) const;

    bool m_hasSelection = false;
    int m_selectionStart = 0;
    int m_selectionLength = 0;
};
