// The 3-D map views on a real X display (Mesa's software renderer under Xvfb).

#include "app/keep_gl_driver_loaded.h"
#include "common/twips.h"
#include "document/calibration_document.h"
#include "document/change_axis_point.h"
#include "document/change_cells.h"
#include "map3d/labelled_axis_formatter.h"
#include "map3d/map3d_setup.h"
#include "map3d/map3d_view.h"
#include "pixels.h"
#include "sample_image.h"

#include <Q3DCamera>
#include <Q3DScene>
#include <Q3DSurface>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QSurface3DSeries>
#include <QSurfaceDataProxy>
#include <QTest>
#include <QValue3DAxis>
#include <algorithm>
#include <memory>

namespace {

// Every cell of the map shown by a view of this kind set to one byte.
EcuTables flatMap(EcuTables tables, MapKind kind, std::uint8_t b) {
    for (auto &row : kind == MapKind::Fi ? tables.KmapData : tables.IGmapData)
        row.fill(b);
    return tables;
}

QVector3D plotted(const Map3DView &view, int thRow, int neColumn) {
    return view.series()->dataProxy()->itemAt(thRow - 1, neColumn - 1)->position();
}

// Where the labels of an axis sit.
QList<double> labelPlaces(QValue3DAxis *axis) {
    QList<double> places;
    if (auto *formatter = qobject_cast<LabelledAxisFormatter *>(axis->formatter()))
        for (const LabelledValue &v : formatter->labelledValues())
            places.append(v.value);
    return places;
}

// What the eye calls a pixel's colour: black, a middle grey, yellow or blue, each channel clearly
// on (above 150) or off (below 90).
QString shadeOf(QColor c) {
    const int r = c.red(), g = c.green(), b = c.blue();
    if (c.value() < 50)
        return QStringLiteral("black");
    if (qAbs(r - g) < 20 && qAbs(g - b) < 20 && r > 90 && r < 190)
        return QStringLiteral("grey");
    QString channels;
    for (int v : {r, g, b})
        channels += v > 150 ? QLatin1Char('1') : v < 90 ? QLatin1Char('0') : QLatin1Char('?');
    return channels == QLatin1String("110")   ? QStringLiteral("yellow")
           : channels == QLatin1String("001") ? QStringLiteral("blue")
                                              : QStringLiteral("other");
}

// The pixels of the surface in a picture of the graph: where it differs from a picture without
// the surface.
QList<std::pair<QPoint, QColor>> surfacePixels(Map3DView &view, QSize size) {
    const QImage withSurface = view.graph()->renderToImage(0, size);
    view.series()->setVisible(false);
    const QImage without = view.graph()->renderToImage(0, size);
    view.series()->setVisible(true);
    QList<std::pair<QPoint, QColor>> pixels;
    pixelsWhere(withSurface, [&](int x, int y, QColor a) {
        const QColor b = without.pixelColor(x, y);
        if (qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) >= 60)
            pixels.append({QPoint(x, y), a});
        return false;
    });
    return pixels;
}

QPointF centreOf(const QList<std::pair<QPoint, QColor>> &pixels) {
    QPointF sum;
    for (const auto &p : pixels)
        sum += p.first;
    return pixels.isEmpty() ? sum : sum / pixels.size();
}

// A drag with the left button, through the point half-way.
void drag(Q3DSurface *graph, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(graph, Qt::LeftButton, modifiers, from);
    QTest::mouseMove(graph, (from + to) / 2);
    QTest::mouseMove(graph, to);
    QTest::mouseRelease(graph, Qt::LeftButton, modifiers, to);
}

QPoint centreOf(const Q3DSurface *graph) {
    return {graph->width() / 2, graph->height() / 2};
}

struct PlotCase {
    MapKind kind;
    int thRow, neColumn, byte;
    float value, x, y;
};

struct OptionCase {
    MapKind kind;
    QStringList clicks; // "P1": element 1 of the plot style array, "C0": element 0 of the colours
    Map3DView::PlotStyle plotStyle;
    Map3DView::ColourMapStyle colourMap;
    bool legendShown;
};

struct ColourCase {
    MapKind kind;
    Map3DView::ColourMapStyle colourMap;
    int byte;
    const char *shade;
};

struct AngleCase {
    MapKind kind;
    double dx, dy; // drag across the graph in fractions of its size
    float xRotation, yRotation;
};

} // namespace

Q_DECLARE_METATYPE(PlotCase)
Q_DECLARE_METATYPE(OptionCase)
Q_DECLARE_METATYPE(ColourCase)
Q_DECLARE_METATYPE(AngleCase)

class TestMap3DView : public QObject {
    Q_OBJECT

private:
    CalibrationDocument m_document;
    EcuTables m_tables;
    std::unique_ptr<Map3DView> m_views[2];

    Map3DView &view(MapKind kind) { return *m_views[kind == MapKind::Fi ? 0 : 1]; }

    template <typename T = QWidget>
    T *child(MapKind kind, const QString &name) {
        T *found = view(kind).findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    // An element of a control array, as "Option2(1)".
    template <typename T = QWidget>
    T *element(MapKind kind, QLatin1String array, int k) {
        return child<T>(kind, QStringLiteral("%1(%2)").arg(array).arg(k));
    }

    // On the indicator: a radio button takes clicks on its indicator and text only.
    static void click(QWidget *w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->height() / 2, w->height() / 2));
    }

private slots:
    void initTestCase() {
        m_document.load(sampleImage(), {});
        m_tables = m_document.tables();
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            auto v = std::make_unique<Map3DView>(kind, m_document);
            v->resize(twipsSize(14760, 6615));
            v->setUpColourSpectrum();
            // The graph is made when the view is first shown.
            QVERIFY(!v->isGraphMade() && !v->graph());
            v->showMap(m_tables);
            v->show();
            QVERIFY(QTest::qWaitForWindowExposed(v.get()));
            QVERIFY2(v->graph(), "the 3-D tests need an OpenGL context (run them under Xvfb)");
            m_views[kind == MapKind::Fi ? 0 : 1] = std::move(v);
        }
        keepGlDriverLoaded();
    }

    // Each test starts from the state after start-up and a first entry.
    void init() {
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            view(kind).chooseColourMapStyle(Map3DView::ColourMapStyle::Spectrum);
            view(kind).resetView();
            view(kind).showMap(m_tables);
        }
    }

    void plotsEachCellAtItsPlaceAndValue_data() {
        QTest::addColumn<PlotCase>("c");
        const MapKind Fi = MapKind::Fi, Ig = MapKind::Ig;
        // Sample axes: NE 14, 25 .. 165 (x 100 r/min), TH 0, 5 .. 80, 100 (%).
        QTest::newRow("Fi 70 is -30 %") << PlotCase{Fi, 1, 1, 70, -30, 16600, 100};
        QTest::newRow("Fi 130 is +30 %") << PlotCase{Fi, 11, 16, 130, 30, 1500, 0};
        QTest::newRow("Fi 100 is 0 %") << PlotCase{Fi, 6, 9, 100, 0, 8500, 70};
        QTest::newRow("IG 236 is -20 deg") << PlotCase{Ig, 1, 16, 236, -20, 1500, 100};
        QTest::newRow("IG 3 is +3 deg") << PlotCase{Ig, 2, 2, 3, 3, 15500, 95};
        QTest::newRow("IG 128 is -128 deg") << PlotCase{Ig, 4, 3, 128, -128, 14500, 85};
    }

    // Entering again shows the tables as they are now.
    void plotsEachCellAtItsPlaceAndValue() {
        QFETCH(PlotCase, c);
        EcuTables tables = m_tables;
        auto &map = c.kind == MapKind::Fi ? tables.KmapData : tables.IGmapData;
        map[std::size_t(c.thRow - 1)][std::size_t(c.neColumn - 1)] = std::uint8_t(c.byte);
        view(c.kind).showMap(tables);

        // Graph X is the engine-speed axis, graph Z the throttle axis, graph Y the value.
        const QVector3D at = plotted(view(c.kind), c.thRow, c.neColumn);
        QCOMPARE(at.y(), c.value);
        QCOMPARE(at.x(), c.x);
        QCOMPARE(at.z(), c.y);
    }

    // An edit, its undo and an axis point moved show on the surface at once.
    void followsTheDocument() {
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const QVector3D before = plotted(view(kind), 3, 4);
            QVERIFY(
                m_document.apply(changeCell(kind, cellNumber(3, 4), kind == MapKind::Fi ? 75 : 2)));
            QCOMPARE(plotted(view(kind), 3, 4).y(), kind == MapKind::Fi ? -25.0f : 2.0f);
            QVERIFY(m_document.apply(changeAxisPoint(Axis::Ne, 4, 40)));
            QCOMPARE(plotted(view(kind), 3, 4).x(), 14000.0f);
            m_document.undoStack().undo();
            m_document.undoStack().undo();
            QCOMPARE(plotted(view(kind), 3, 4), before);
        }
    }

    void labelsEveryAxisPointOnceAfterEnteringTwice() {
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            Map3DView &v = view(kind);
            EcuTables changed = m_tables;
            changed.NeData[15] = 170;
            changed.ThData[10] = 90;
            v.showMap(changed);

            QValue3DAxis *ne = v.graph()->axisX();
            QValue3DAxis *th = v.graph()->axisZ();
            QCOMPARE(ne->labels(), QStringLiteral("1400,,3500,,5500,,7500,,9500,,11500,,13500,,"
                                                  "15500,17000")
                                       .split(QLatin1Char(',')));
            QCOMPARE(th->labels(), QStringLiteral("0,,10,,20,,40,,60,,90").split(QLatin1Char(',')));
            // Each label sits at its point's place on the axis.
            QCOMPARE(labelPlaces(ne),
                     (QList<double>{16600, 15500, 14500, 13500, 12500, 11500, 10500, 9500, 8500,
                                    7500, 6500, 5500, 4500, 3500, 2500, 1000}));
            QCOMPARE(labelPlaces(th), (QList<double>{100, 95, 90, 85, 80, 70, 60, 50, 40, 20, 10}));
            // The axes take in every point, though both run downwards.
            QCOMPARE(ne->min(), 1000.0f);
            QCOMPARE(ne->max(), 16600.0f);
            QCOMPARE(th->min(), 10.0f);
            QCOMPARE(th->max(), 100.0f);
        }
    }

    void couplesTheOptions_data() {
        using C = Map3DView::ColourMapStyle;
        using P = Map3DView::PlotStyle;
        QTest::addColumn<OptionCase>("c");
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const char *k = kind == MapKind::Fi ? "Fi" : "IG";
            const auto clicks = [](const char *list) {
                return QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            };
            QTest::addRow("%s: start-up", k)
                << OptionCase{kind, {}, P::SurfaceAndLine, C::Spectrum, true};
            QTest::addRow("%s: Line chooses None(Blue)", k)
                << OptionCase{kind, clicks("P1"), P::Line, C::None, false};
            QTest::addRow("%s: Color Spectrum after Line chooses Surf + Line", k)
                << OptionCase{kind, clicks("P1 C0"), P::SurfaceAndLine, C::Spectrum, true};
            QTest::addRow("%s: Grayscale after Line chooses Surf + Line", k)
                << OptionCase{kind, clicks("P1 C1"), P::SurfaceAndLine, C::Grayscale, false};
            QTest::addRow("%s: None(Blue) keeps Surf + Line", k)
                << OptionCase{kind, clicks("C2"), P::SurfaceAndLine, C::None, false};
            QTest::addRow("%s: Surf + Line keeps the colour map", k)
                << OptionCase{kind, clicks("C1 P0"), P::SurfaceAndLine, C::Grayscale, false};
        }
    }

    void couplesTheOptions() {
        QFETCH(OptionCase, c);
        const Map3DSetup &setup = map3dSetup(c.kind);
        for (const QString &step : c.clicks)
            click(element(
                c.kind, step[0] == QLatin1Char('P') ? setup.plotStyleOption : setup.colourMapOption,
                step.mid(1).toInt()));

        for (int k = 0; k < 2; ++k)
            QCOMPARE(element<QRadioButton>(c.kind, setup.plotStyleOption, k)->isChecked(),
                     k == static_cast<int>(c.plotStyle));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(element<QRadioButton>(c.kind, setup.colourMapOption, k)->isChecked(),
                     k == static_cast<int>(c.colourMap));
        // The IG legend's top row is never shown.
        for (int row = 0; row < 7; ++row) {
            const bool expected = c.legendShown && !(c.kind == MapKind::Ig && row == 0);
            QCOMPARE(child(c.kind, setup.legend[row].swatch)->isVisible(), expected);
            QCOMPARE(child(c.kind, setup.legend[row].label)->isVisible(), expected);
        }
        QSurface3DSeries *series = view(c.kind).series();
        QCOMPARE(series->drawMode(), c.plotStyle == Map3DView::PlotStyle::Line
                                         ? QSurface3DSeries::DrawWireframe
                                         : QSurface3DSeries::DrawSurfaceAndWireframe);
        QCOMPARE(series->colorStyle(), c.colourMap == Map3DView::ColourMapStyle::None
                                           ? Q3DTheme::ColorStyleUniform
                                           : Q3DTheme::ColorStyleRangeGradient);
    }

    // Each swatch has the colour the surface takes at the value of its caption, on a value axis
    // of fixed range.
    void showsTheLegend() {
        const QList<QColor> colours{Qt::red,  Qt::yellow,  Qt::green, Qt::cyan,
                                    Qt::blue, Qt::magenta, Qt::black};
        const QStringList captions[] = {
            QStringLiteral("30% 10% 5% 0% -5% -10% -30%").split(QLatin1Char(' ')),
            QStringLiteral(" 3 0 -5 -10 -15 -20").split(QLatin1Char(' '))};
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const QValue3DAxis *axis = view(kind).graph()->axisY();
            QCOMPARE(axis->min(), kind == MapKind::Fi ? -30.5f : -20.5f);
            QCOMPARE(axis->max(), kind == MapKind::Fi ? 30.5f : 3.5f);
            // Labelled up to the top of the range, with minus signs, not hyphens.
            QCOMPARE(axis->labels().join(QLatin1Char(' ')),
                     QString::fromUtf8(kind == MapKind::Fi ? "−30 −20 −10 0 10 20 30"
                                                           : "−20 −15 −10 −5 0 3"));
            const auto stops = view(kind).series()->baseGradient().stops();
            for (int row = kind == MapKind::Fi ? 0 : 1; row < 7; ++row) {
                const LegendEntry &entry = map3dSetup(kind).legend[row];
                const QString caption = captions[kind == MapKind::Fi ? 0 : 1][row];
                QCOMPARE(child(kind, entry.swatch)->palette().color(QPalette::Window),
                         colours[row]);
                QCOMPARE(child<QLabel>(kind, entry.label)->text(), caption);
                const double value = QString(caption).remove(QLatin1Char('%')).toInt();
                const double at = (value - axis->min()) / (axis->max() - axis->min());
                QVERIFY2(std::any_of(stops.begin(), stops.end(),
                                     [&](const QGradientStop &stop) {
                                         return qAbs(stop.first - at) < 1e-6 &&
                                                stop.second == colours[row];
                                     }),
                         qPrintable(caption));
            }
        }
    }

    void rendersTheColourMapByValue_data() {
        using C = Map3DView::ColourMapStyle;
        const MapKind Fi = MapKind::Fi, Ig = MapKind::Ig;
        QTest::addColumn<ColourCase>("c");
        QTest::newRow("Fi -30 % black") << ColourCase{Fi, C::Spectrum, 70, "black"};
        // Stops placed by value, not evenly: +10 % sits two thirds up the axis yet is yellow.
        QTest::newRow("Fi +10 % yellow") << ColourCase{Fi, C::Spectrum, 110, "yellow"};
        QTest::newRow("Fi grayscale 0 % grey") << ColourCase{Fi, C::Grayscale, 100, "grey"};
        QTest::newRow("Fi None(Blue)") << ColourCase{Fi, C::None, 130, "blue"};
        QTest::newRow("IG -20 deg black") << ColourCase{Ig, C::Spectrum, 236, "black"};
        QTest::newRow("IG +3 deg yellow") << ColourCase{Ig, C::Spectrum, 3, "yellow"};
    }

    // Where the surface is, it has the colour of its value, whatever the data's own range.
    void rendersTheColourMapByValue() {
        QFETCH(ColourCase, c);
        Map3DView &v = view(c.kind);
        v.chooseColourMapStyle(c.colourMap);
        v.showMap(flatMap(m_tables, c.kind, static_cast<std::uint8_t>(c.byte)));

        const QSize size(480, 300);
        QHash<QString, int> shades;
        const auto pixels = surfacePixels(v, size);
        for (const auto &p : pixels)
            ++shades[shadeOf(p.second)];
        const int surface = static_cast<int>(pixels.size());
        const QString shade = QLatin1String(c.shade);
        // The grid lines drawn over the surface are black, so apart from a black surface only
        // its other pixels tell its colour.
        QVERIFY2(surface > size.width() * size.height() / 20, "the surface is not in the picture");
        const int faces =
            shade == QStringLiteral("black") ? surface : surface - shades[QStringLiteral("black")];
        QVERIFY2(faces > surface / 2, "the surface is mostly black");
        QVERIFY2(shades[shade] > faces * 9 / 10,
                 qPrintable(QStringLiteral("%1 of %2 pixels").arg(shades[shade]).arg(faces)));
    }

    void keepsTheViewingAnglesWithin0To90_data() {
        QTest::addColumn<AngleCase>("c");
        const MapKind Fi = MapKind::Fi, Ig = MapKind::Ig;
        QTest::newRow("Fi turned past the side") << AngleCase{Fi, 0.9, 0.0, 90.0f, 20.0f};
        QTest::newRow("Fi turned past the front") << AngleCase{Fi, -0.9, 0.0, 0.0f, 20.0f};
        QTest::newRow("Fi raised past the top") << AngleCase{Fi, 0.0, 0.9, 45.0f, 90.0f};
        QTest::newRow("IG lowered past the floor") << AngleCase{Ig, 0.0, -0.9, 45.0f, 0.0f};
    }

    void keepsTheViewingAnglesWithin0To90() {
        QFETCH(AngleCase, c);
        Q3DSurface *graph = view(c.kind).graph();
        Q3DCamera *camera = graph->scene()->activeCamera();
        QCOMPARE(camera->xRotation(), Map3DView::DefaultXRotation);
        QCOMPARE(camera->yRotation(), Map3DView::DefaultYRotation);
        const QPoint half(static_cast<int>(c.dx * graph->width() / 2),
                          static_cast<int>(c.dy * graph->height() / 2));
        drag(graph, centreOf(graph) - half, centreOf(graph) + half);
        QCOMPARE(camera->xRotation(), c.xRotation);
        QCOMPARE(camera->yRotation(), c.yRotation);
    }

    void zoomsAndPansAsTheHintsSayThenDefaultViewResets() {
        Map3DView &v = view(MapKind::Ig);
        Q3DSurface *graph = v.graph();
        Q3DCamera *camera = graph->scene()->activeCamera();
        const QSize size = graph->size();
        const QPoint centre = centreOf(graph);
        const auto before = surfacePixels(v, size);

        drag(graph, centre, centre + QPoint(size.width() / 5, 0), Qt::ShiftModifier);
        const auto panned = surfacePixels(v, size);
        const QPointF moved = centreOf(panned) - centreOf(before);
        QVERIFY2(moved.x() > size.width() / 20.0 && qAbs(moved.y()) < size.height() / 20.0,
                 "[Shift]+drag right does not move the graph to the right");
        drag(graph, centre, centre + QPoint(0, size.height() / 5), Qt::ShiftModifier);
        const auto pannedDown = surfacePixels(v, size);
        const QPointF movedDown = centreOf(pannedDown) - centreOf(panned);
        QVERIFY2(movedDown.y() > size.height() / 20.0 && qAbs(movedDown.x()) < size.width() / 20.0,
                 "[Shift]+drag down does not move the graph down");
        drag(graph, centre, centre - QPoint(0, size.height() / 5), Qt::AltModifier);
        QVERIFY2(surfacePixels(v, size).size() > pannedDown.size() * 5 / 4,
                 "[Alt]+drag up does not zoom in");
        // Neither gesture turns the graph; a plain drag does.
        QCOMPARE(camera->xRotation(), Map3DView::DefaultXRotation);
        QCOMPARE(camera->yRotation(), Map3DView::DefaultYRotation);
        drag(graph, centre, centre + QPoint(size.width() / 10, size.height() / 10));
        QVERIFY(camera->xRotation() > Map3DView::DefaultXRotation && camera->xRotation() < 90.0f);
        QVERIFY(camera->yRotation() > Map3DView::DefaultYRotation && camera->yRotation() < 90.0f);

        click(child(MapKind::Ig, map3dSetup(MapKind::Ig).defaultView));
        QCOMPARE(camera->xRotation(), Map3DView::DefaultXRotation);
        QCOMPARE(camera->yRotation(), Map3DView::DefaultYRotation);
        QCOMPARE(camera->zoomLevel(), Map3DView::DefaultZoom);
        QCOMPARE(camera->target(), QVector3D(0.0f, Map3DView::DefaultTargetHeight, 0.0f));
        const auto reset = surfacePixels(v, size);
        QCOMPARE(reset.size(), before.size());
        QCOMPARE(centreOf(reset), centreOf(before));
    }

    // Labels sit at their values; values off the axis are left out rather than drawn outside.
    void labelsAnAxisAtChosenValues() {
        QValue3DAxis axis;
        auto *formatter = new LabelledAxisFormatter;
        axis.setFormatter(formatter);
        axis.setRange(0.0f, 100.0f);
        formatter->setLabelledValues({{-10.0, QStringLiteral("below")},
                                      {0.0, QStringLiteral("0")},
                                      {50.0, {}},
                                      {100.0, QStringLiteral("100")},
                                      {101.0, QStringLiteral("above")}});
        QCOMPARE(axis.labels(), QStringLiteral("0,,100").split(QLatin1Char(',')));
        formatter->setLabelledValues({{25.0, QStringLiteral("25")}});
        QCOMPARE(axis.labels(), QStringList{QStringLiteral("25")});
    }
};

QTEST_MAIN(TestMap3DView)
#include "test_map3d_view.moc"
