#pragma once

#include <QMargins>
#include <QWidget>

// The main window's client area: it holds the layout, designed in twips, at the largest zoom at
// which the whole layout fits (within MinZoom..MaxZoom), centred in the room left over. So
// resizing the window zooms the layout, and a zoom asked for is a window size.
class ZoomedClientArea : public QWidget {
    Q_OBJECT
public:
    static constexpr double MinZoom = 0.5;
    static constexpr double MaxZoom = 4.0;

    // designedTwips: the layout's size in twips.
    ZoomedClientArea(QSize designedTwips, QWidget *parent = nullptr);

    // What the controls are laid out on.
    [[nodiscard]] QWidget *layoutRoot() const { return m_root; }
    // The area the layout takes at a zoom, in pixels.
    [[nodiscard]] QSize sizeAtZoom(double zoom) const;
    // The zoom at which the layout fits an area of that size.
    [[nodiscard]] double zoomToFit(QSize area) const;
    // The room around the layout.
    [[nodiscard]] QMargins slack() const;
    // The layout at the zoom that fits the area as it is now.
    void fitLayout();

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

signals:
    void zoomChanged(double zoom);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize m_designed;
    QWidget *m_root;
};
