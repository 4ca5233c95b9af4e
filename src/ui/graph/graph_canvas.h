#pragma once

#include <QLineF>
#include <QObject>
#include <QPen>
#include <QWidget>

class GraphCanvas;

// One straight line drawn on a graph view, its ends in twips of the view. A line is an object of
// its own (named like "Line4(3)") so that the view can move one end of it at a time.
class GraphLine : public QObject {
    Q_OBJECT
public:
    GraphLine(const QString &name, const QLineF &twips, GraphCanvas *canvas);

    [[nodiscard]] QLineF twips() const { return m_twips; }
    [[nodiscard]] bool isShown() const { return m_shown; }

    void setY1(double y);
    void setY2(double y);
    // Moves the whole line to one height.
    void setHorizontalAt(double y);
    void setShown(bool shown);

private:
    GraphCanvas &m_canvas;
    QLineF m_twips;
    bool m_shown = true;
};

// A transparent layer over a graph view that draws its lines beneath the view's controls.
// It covers the view from its top left corner, so view twips are canvas twips.
class GraphCanvas : public QWidget {
    Q_OBJECT
public:
    explicit GraphCanvas(QWidget *view);

    GraphLine *addLine(const QString &name, const QLineF &twips, const QPen &pen);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Drawn {
        GraphLine *line;
        QPen pen;
    };
    QList<Drawn> m_lines;
};
