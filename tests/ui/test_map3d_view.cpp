// The 3-D map views on a real X display (Mesa's software renderer under Xvfb).

#include "files/e2p_reader.h"
#include "image/hexdata_conv.h"
#include "keep_gl_driver_loaded.h"
#include "ui/main/labelled_axis_formatter.h"
#include "ui/main/map3d_view.h"
#include "ui/main/twips.h"

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
#include <memory>

namespace {

// The option, button and legend names of each view, as the main window and its readers know
// them.
struct ViewNames {
    QString plotOption;
    QString colourOption;
    QString defaultView;
    QStringList swatches; // top to bottom
    QStringList labels;
};

ViewNames namesOf(Map3DKind kind) {
    if (kind == Map3DKind::Fi)
        return {QStringLiteral("Option2"),
                QStringLiteral("Option1"),
                QStringLiteral("Command9"),
                {QStringLiteral("Text1"), QStringLiteral("Text2"), QStringLiteral("Text4"),
                 QStringLiteral("Text5"), QStringLiteral("Text6"), QStringLiteral("Text7"),
                 QStringLiteral("Text8")},
                {QStringLiteral("Label19"), QStringLiteral("Label20"), QStringLiteral("Label21"),
                 QStringLiteral("Label22"), QStringLiteral("Label23"), QStringLiteral("Label26"),
                 QStringLiteral("Label27")}};
    return {QStringLiteral("Option_IG2"),
            QStringLiteral("Option_IG1"),
            QStringLiteral("Command_IG9"),
            {QStringLiteral("Text11"), QStringLiteral("Text12"), QStringLiteral("Text13"),
             QStringLiteral("Text14"), QStringLiteral("Text15"), QStringLiteral("Text10"),
             QStringLiteral("Text9")},
            {QStringLiteral("Label_IG19"), QStringLiteral("Label_IG20"),
             QStringLiteral("Label_IG21"), QStringLiteral("Label_IG22"),
             QStringLiteral("Label_IG23"), QStringLiteral("Label_IG24"),
             QStringLiteral("Label_IG25")}};
}

QString element(const QString &array, int k) {
    return QStringLiteral("%1(%2)").arg(array).arg(k);
}

EcuTables sampleTables() {
    HexReadResult read = HEX_Data_read(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"));
    if (!read.HexReadOk)
        qFatal("cannot read the sample calibration");
    return HEXdata_Conv(read.image);
}

// Every cell of the map shown by a view of this kind set to one byte.
EcuTables flatMap(EcuTables tables, Map3DKind kind, std::uint8_t b) {
    auto &map = kind == Map3DKind::Fi ? tables.KmapData : tables.IGmapData;
    for (auto &row : map)
        row.fill(b);
    return tables;
}

QVector3D plotted(const Map3DView &view, int thRow, int neColumn) {
    return view.series()->dataProxy()->itemAt(thRow - 1, neColumn - 1)->position();
}

QList<LabelledValue> labelledValues(QValue3DAxis *axis) {
    auto *formatter = qobject_cast<LabelledAxisFormatter *>(axis->formatter());
    return formatter ? formatter->labelledValues() : QList<LabelledValue>();
}

QList<double> valuesOf(const QList<LabelledValue> &labelled) {
    QList<double> values;
    for (const LabelledValue &v : labelled)
        values.append(v.value);
    return values;
}

enum class Shade { Black, Cyan, Red, Yellow, Blue, Magenta, Grey, White, Other };

Shade shadeOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    const auto low = [](int v) { return v < 90; };
    const auto high = [](int v) { return v > 150; };
    if (r < 50 && g < 50 && b < 50)
        return Shade::Black;
    if (r > 215 && g > 215 && b > 215)
        return Shade::White;
    if (qAbs(r - g) < 20 && qAbs(g - b) < 20 && r > 90 && r < 190)
        return Shade::Grey;
    if (low(r) && high(g) && high(b))
        return Shade::Cyan;
    if (high(r) && low(g) && low(b))
        return Shade::Red;
    if (high(r) && high(g) && low(b))
        return Shade::Yellow;
    if (low(r) && low(g) && high(b))
        return Shade::Blue;
    if (high(r) && low(g) && high(b))
        return Shade::Magenta;
    return Shade::Other;
}

// The pixels of the surface in a picture of the graph: where it differs from a picture without
// the surface.
QList<std::pair<QPoint, QRgb>> surfacePixels(Map3DView &view, QSize size) {
    const QImage withSurface = view.graph()->renderToImage(0, size);
    view.series()->setVisible(false);
    const QImage without = view.graph()->renderToImage(0, size);
    view.series()->setVisible(true);
    QList<std::pair<QPoint, QRgb>> pixels;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = withSurface.pixel(x, y);
            const QRgb b = without.pixel(x, y);
            const int change =
                qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            if (change >= 60)
                pixels.append({QPoint(x, y), a});
        }
    return pixels;
}

QPointF centreOf(const QList<std::pair<QPoint, QRgb>> &pixels) {
    QPointF sum;
    for (const auto &p : pixels)
        sum += p.first;
    return pixels.isEmpty() ? sum : sum / pixels.size();
}

} // namespace

Q_DECLARE_METATYPE(Map3DKind)
Q_DECLARE_METATYPE(Shade)
Q_DECLARE_METATYPE(Map3DView::ColourMapStyle)
Q_DECLARE_METATYPE(Map3DView::PlotStyle)

class TestMap3DView : public QObject {
    Q_OBJECT

private:
    EcuTables m_tables;
    std::unique_ptr<Map3DView> m_views[2];

    Map3DView &view(Map3DKind kind) { return *m_views[kind == Map3DKind::Fi ? 0 : 1]; }

    template <typename T = QWidget>
    T *child(Map3DKind kind, const QString &name) {
        T *found = view(kind).findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    void click(Map3DKind kind, const QString &name) {
        // On the indicator: a radio button takes clicks on its indicator and text only.
        QWidget *w = child(kind, name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->height() / 2, w->height() / 2));
    }

    static void addKinds() {
        QTest::addColumn<Map3DKind>("kind");
        QTest::newRow("Fi") << Map3DKind::Fi;
        QTest::newRow("IG") << Map3DKind::Ig;
    }

private slots:
    void initTestCase() {
        m_tables = sampleTables();
        for (Map3DKind kind : {Map3DKind::Fi, Map3DKind::Ig}) {
            auto v = std::make_unique<Map3DView>(kind);
            v->resize(twipsSize(14760, 6615));
            v->setUpColourSpectrum();
            v->showMap(m_tables);
            v->show();
            QVERIFY(QTest::qWaitForWindowExposed(v.get()));
            QVERIFY2(v->graph(), "the 3-D tests need an OpenGL context (run them under Xvfb)");
            m_views[kind == Map3DKind::Fi ? 0 : 1] = std::move(v);
        }
        keepGlDriverLoaded();
    }

    // Each test starts from the state after start-up and a first entry.
    void init() {
        for (Map3DKind kind : {Map3DKind::Fi, Map3DKind::Ig}) {
            view(kind).chooseColourMapStyle(Map3DView::ColourMapStyle::Spectrum);
            view(kind).resetView();
            view(kind).showMap(m_tables);
        }
    }

    void plotsEachCellAtItsPlaceAndValue_data() {
        QTest::addColumn<Map3DKind>("kind");
        QTest::addColumn<int>("thRow");
        QTest::addColumn<int>("neColumn");
        QTest::addColumn<int>("byte");
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        // Sample axes: NE 14, 25 .. 165 (x 100 r/min), TH 0, 5 .. 80, 100 (%).
        QTest::newRow("Fi 70 is -30 %")
            << Map3DKind::Fi << 1 << 1 << 70 << -30.0f << 16600.0f << 100.0f;
        QTest::newRow("Fi 130 is +30 %")
            << Map3DKind::Fi << 11 << 16 << 130 << 30.0f << 1500.0f << 0.0f;
        QTest::newRow("Fi 100 is 0 %")
            << Map3DKind::Fi << 6 << 9 << 100 << 0.0f << 8500.0f << 70.0f;
        QTest::newRow("IG 236 is -20 deg")
            << Map3DKind::Ig << 1 << 16 << 236 << -20.0f << 1500.0f << 100.0f;
        QTest::newRow("IG 255 is -1 deg")
            << Map3DKind::Ig << 11 << 1 << 255 << -1.0f << 16600.0f << 0.0f;
        QTest::newRow("IG 3 is +3 deg")
            << Map3DKind::Ig << 2 << 2 << 3 << 3.0f << 15500.0f << 95.0f;
        QTest::newRow("IG 128 is -128 deg")
            << Map3DKind::Ig << 4 << 3 << 128 << -128.0f << 14500.0f << 85.0f;
    }

    void plotsEachCellAtItsPlaceAndValue() {
        QFETCH(Map3DKind, kind);
        QFETCH(int, thRow);
        QFETCH(int, neColumn);
        QFETCH(int, byte);
        QFETCH(float, value);
        QFETCH(float, x);
        QFETCH(float, y);
        EcuTables tables = m_tables;
        auto &map = kind == Map3DKind::Fi ? tables.KmapData : tables.IGmapData;
        map[thRow - 1][neColumn - 1] = static_cast<std::uint8_t>(byte);

        view(kind).showMap(tables);

        // Graph X is the engine-speed axis, graph Z the throttle axis, graph Y the value.
        const QVector3D at = plotted(view(kind), thRow, neColumn);
        QCOMPARE(at.y(), value);
        QCOMPARE(at.x(), x);
        QCOMPARE(at.z(), y);
    }

    void showsTheTablesAsTheyAreOnEachEntry_data() { addKinds(); }
    void showsTheTablesAsTheyAreOnEachEntry() {
        QFETCH(Map3DKind, kind);
        Map3DView &v = view(kind);
        EcuTables edited = m_tables;
        (kind == Map3DKind::Fi ? edited.KmapData : edited.IGmapData)[4][7] = 102;
        v.showMap(edited);
        QCOMPARE(plotted(v, 5, 8).y(), kind == Map3DKind::Fi ? 2.0f : 102.0f);

        edited.NeData[0] = 20;
        edited.ThData[10] = 90;
        v.showMap(edited);
        QCOMPARE(plotted(v, 1, 1).x(), 16000.0f);
        QCOMPARE(plotted(v, 11, 1).z(), 10.0f);
        QCOMPARE(v.series()->dataProxy()->rowCount(), 11);
        QCOMPARE(v.series()->dataProxy()->columnCount(), 16);
        // The axes take in every point, though both run downwards.
        QCOMPARE(v.graph()->axisX()->min(), 1500.0f);
        QCOMPARE(v.graph()->axisX()->max(), 16000.0f);
        QCOMPARE(v.graph()->axisZ()->min(), 10.0f);
        QCOMPARE(v.graph()->axisZ()->max(), 100.0f);
    }

    void labelsEveryAxisPointOnceAfterEnteringTwice_data() { addKinds(); }
    void labelsEveryAxisPointOnceAfterEnteringTwice() {
        QFETCH(Map3DKind, kind);
        Map3DView &v = view(kind);
        v.showMap(m_tables);
        EcuTables faster = m_tables;
        faster.NeData[15] = 170;
        v.showMap(faster);

        QValue3DAxis *ne = v.graph()->axisX();
        QValue3DAxis *th = v.graph()->axisZ();
        const QStringList neLabels{
            QStringLiteral("1400"),  QString(), QStringLiteral("3500"),  QString(),
            QStringLiteral("5500"),  QString(), QStringLiteral("7500"),  QString(),
            QStringLiteral("9500"),  QString(), QStringLiteral("11500"), QString(),
            QStringLiteral("13500"), QString(), QStringLiteral("15500"), QStringLiteral("17000")};
        const QStringList thLabels{QStringLiteral("0"),  QString(), QStringLiteral("10"), QString(),
                                   QStringLiteral("20"), QString(), QStringLiteral("40"), QString(),
                                   QStringLiteral("60"), QString(), QStringLiteral("100")};
        QCOMPARE(ne->labels(), neLabels);
        QCOMPARE(th->labels(), thLabels);
        // Each label sits at its point's place on the axis.
        const QList<double> nePlaces{16600, 15500, 14500, 13500, 12500, 11500, 10500, 9500,
                                     8500,  7500,  6500,  5500,  4500,  3500,  2500,  1000};
        const QList<double> thPlaces{100, 95, 90, 85, 80, 70, 60, 50, 40, 20, 0};
        QCOMPARE(valuesOf(labelledValues(ne)), nePlaces);
        QCOMPARE(valuesOf(labelledValues(th)), thPlaces);
    }

    void couplesTheOptions_data() {
        using C = Map3DView::ColourMapStyle;
        using P = Map3DView::PlotStyle;
        QTest::addColumn<Map3DKind>("kind");
        // Clicks on option buttons: "P1" is element 1 of the plot style array, "C0" element 0
        // of the colour map array.
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<P>("plotStyle");
        QTest::addColumn<C>("colourMap");
        QTest::addColumn<bool>("legendShown");
        for (Map3DKind kind : {Map3DKind::Fi, Map3DKind::Ig}) {
            const char *k = kind == Map3DKind::Fi ? "Fi" : "IG";
            QTest::addRow("%s: start-up", k)
                << kind << QStringList() << P::SurfaceAndLine << C::Spectrum << true;
            QTest::addRow("%s: Line chooses None(Blue)", k)
                << kind << QStringList{QStringLiteral("P1")} << P::Line << C::None << false;
            QTest::addRow("%s: Color Spectrum after Line chooses Surf + Line", k)
                << kind << QStringList{QStringLiteral("P1"), QStringLiteral("C0")}
                << P::SurfaceAndLine << C::Spectrum << true;
            QTest::addRow("%s: Grayscale after Line chooses Surf + Line", k)
                << kind << QStringList{QStringLiteral("P1"), QStringLiteral("C1")}
                << P::SurfaceAndLine << C::Grayscale << false;
            QTest::addRow("%s: None(Blue) keeps Surf + Line", k)
                << kind << QStringList{QStringLiteral("C2")} << P::SurfaceAndLine << C::None
                << false;
            QTest::addRow("%s: Surf + Line keeps the colour map", k)
                << kind << QStringList{QStringLiteral("C1"), QStringLiteral("P0")}
                << P::SurfaceAndLine << C::Grayscale << false;
        }
    }

    void couplesTheOptions() {
        using C = Map3DView::ColourMapStyle;
        using P = Map3DView::PlotStyle;
        QFETCH(Map3DKind, kind);
        QFETCH(QStringList, clicks);
        QFETCH(P, plotStyle);
        QFETCH(C, colourMap);
        QFETCH(bool, legendShown);
        const ViewNames names = namesOf(kind);

        for (const QString &c : clicks)
            click(kind, element(c[0] == QLatin1Char('P') ? names.plotOption : names.colourOption,
                                c.mid(1).toInt()));

        for (int k = 0; k < 2; ++k)
            QCOMPARE(child<QRadioButton>(kind, element(names.plotOption, k))->isChecked(),
                     k == static_cast<int>(plotStyle));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(child<QRadioButton>(kind, element(names.colourOption, k))->isChecked(),
                     k == static_cast<int>(colourMap));

        // The IG legend's top row is never shown.
        for (int row = 0; row < names.swatches.size(); ++row) {
            const bool expected = legendShown && !(kind == Map3DKind::Ig && row == 0);
            QCOMPARE(child(kind, names.swatches[row])->isVisible(), expected);
            QCOMPARE(child(kind, names.labels[row])->isVisible(), expected);
        }

        QSurface3DSeries *series = view(kind).series();
        QCOMPARE(series->drawMode(), plotStyle == P::Line
                                         ? QSurface3DSeries::DrawWireframe
                                         : QSurface3DSeries::DrawSurfaceAndWireframe);
        QCOMPARE(series->colorStyle(), colourMap == C::None ? Q3DTheme::ColorStyleUniform
                                                            : Q3DTheme::ColorStyleRangeGradient);
    }

    void showsTheLegend_data() {
        QTest::addColumn<Map3DKind>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("value");
        const QList<QColor> colours{Qt::red,  Qt::yellow,  Qt::green, Qt::cyan,
                                    Qt::blue, Qt::magenta, Qt::black};
        const QStringList fi{QStringLiteral("30%"), QStringLiteral("10%"), QStringLiteral("5%"),
                             QStringLiteral("0%"),  QStringLiteral("-5%"), QStringLiteral("-10%"),
                             QStringLiteral("-30%")};
        const QList<int> fiValues{30, 10, 5, 0, -5, -10, -30};
        const QStringList ig{QStringLiteral("3"),   QStringLiteral("0"),   QStringLiteral("-5"),
                             QStringLiteral("-10"), QStringLiteral("-15"), QStringLiteral("-20")};
        const QList<int> igValues{3, 0, -5, -10, -15, -20};
        for (int row = 0; row < 7; ++row)
            QTest::addRow("Fi %s", qPrintable(fi[row]))
                << Map3DKind::Fi << row << colours[row] << fi[row] << fiValues[row];
        for (int row = 1; row < 7; ++row)
            QTest::addRow("IG %s", qPrintable(ig[row - 1]))
                << Map3DKind::Ig << row << colours[row] << ig[row - 1] << igValues[row - 1];
    }

    // Each swatch has the colour the surface takes at the value of its caption.
    void showsTheLegend() {
        QFETCH(Map3DKind, kind);
        QFETCH(int, row);
        QFETCH(QColor, colour);
        QFETCH(QString, caption);
        QFETCH(int, value);
        const ViewNames names = namesOf(kind);
        QCOMPARE(child(kind, names.swatches[row])->palette().color(QPalette::Window), colour);
        QCOMPARE(child<QLabel>(kind, names.labels[row])->text(), caption);

        const QValue3DAxis *axis = view(kind).graph()->axisY();
        const double at = (value - axis->min()) / (axis->max() - axis->min());
        bool found = false;
        for (const QGradientStop &stop : view(kind).series()->baseGradient().stops())
            if (qAbs(stop.first - at) < 1e-6) {
                QCOMPARE(stop.second, colour);
                found = true;
            }
        QVERIFY2(found, "the colour map has no stop at the caption's value");
    }

    void setsUpTheIgViewAtStartUp() {
        Map3DView fresh(Map3DKind::Ig);
        const ViewNames names = namesOf(Map3DKind::Ig);
        QVERIFY(fresh.findChild<QLabel *>(names.labels[1])->text().isEmpty());

        fresh.setUpColourSpectrum();
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));

        QCOMPARE(fresh.findChild<QLabel *>(names.labels[1])->text(), QStringLiteral("3"));
        QCOMPARE(fresh.findChild<QLabel *>(names.labels[6])->text(), QStringLiteral("-20"));
        QVERIFY(!fresh.findChild<QWidget *>(names.swatches[0])->isVisible());
        QVERIFY(!fresh.findChild<QWidget *>(names.labels[0])->isVisible());
        QVERIFY(fresh.findChild<QWidget *>(names.swatches[1])->isVisible());
        QCOMPARE(fresh.graph()->axisY()->min(), -20.5f);
        QCOMPARE(fresh.graph()->axisY()->max(), 3.5f);
        QVERIFY(!fresh.graph()->axisY()->isAutoAdjustRange());
    }

    void rendersTheColourMapByValue_data() {
        using C = Map3DView::ColourMapStyle;
        QTest::addColumn<Map3DKind>("kind");
        QTest::addColumn<C>("colourMap");
        QTest::addColumn<int>("byte");
        QTest::addColumn<Shade>("shade");
        QTest::newRow("Fi -30 % black") << Map3DKind::Fi << C::Spectrum << 70 << Shade::Black;
        QTest::newRow("Fi 0 % cyan") << Map3DKind::Fi << C::Spectrum << 100 << Shade::Cyan;
        QTest::newRow("Fi +30 % red") << Map3DKind::Fi << C::Spectrum << 130 << Shade::Red;
        // Stops placed by value, not evenly: +10 % sits two thirds up the axis yet is yellow.
        QTest::newRow("Fi +10 % yellow") << Map3DKind::Fi << C::Spectrum << 110 << Shade::Yellow;
        QTest::newRow("Fi -10 % magenta") << Map3DKind::Fi << C::Spectrum << 90 << Shade::Magenta;
        QTest::newRow("Fi grayscale 0 % grey")
            << Map3DKind::Fi << C::Grayscale << 100 << Shade::Grey;
        QTest::newRow("Fi None(Blue)") << Map3DKind::Fi << C::None << 130 << Shade::Blue;
        QTest::newRow("IG -20 deg black") << Map3DKind::Ig << C::Spectrum << 236 << Shade::Black;
        QTest::newRow("IG +3 deg yellow") << Map3DKind::Ig << C::Spectrum << 3 << Shade::Yellow;
        QTest::newRow("IG -10 deg blue") << Map3DKind::Ig << C::Spectrum << 246 << Shade::Blue;
    }

    // Where the surface is, it has the colour of its value, whatever the data's own range.
    void rendersTheColourMapByValue() {
        QFETCH(Map3DKind, kind);
        QFETCH(Map3DView::ColourMapStyle, colourMap);
        QFETCH(int, byte);
        QFETCH(Shade, shade);
        Map3DView &v = view(kind);
        v.chooseColourMapStyle(colourMap);
        v.showMap(flatMap(m_tables, kind, static_cast<std::uint8_t>(byte)));

        const QSize size(480, 300);
        QHash<Shade, int> shades;
        const auto pixels = surfacePixels(v, size);
        for (const auto &p : pixels)
            ++shades[shadeOf(p.second)];
        const int surface = static_cast<int>(pixels.size());
        // The grid lines drawn over the surface are black, so apart from a black surface only
        // its other pixels tell its colour.
        QVERIFY2(surface > size.width() * size.height() / 20, "the surface is not in the picture");
        const int faces = shade == Shade::Black ? surface : surface - shades[Shade::Black];
        QVERIFY2(faces > surface / 2, "the surface is mostly black");
        QVERIFY2(shades[shade] > faces * 9 / 10,
                 qPrintable(QStringLiteral("%1 of %2 pixels").arg(shades[shade]).arg(faces)));
    }

    void keepsTheViewingAnglesWithin0To90_data() {
        QTest::addColumn<Map3DKind>("kind");
        // Drag across the graph in fractions of its size.
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<float>("xRotation");
        QTest::addColumn<float>("yRotation");
        QTest::newRow("Fi turned past the side") << Map3DKind::Fi << 0.9 << 0.0 << 90.0f << 20.0f;
        QTest::newRow("Fi turned past the front") << Map3DKind::Fi << -0.9 << 0.0 << 0.0f << 20.0f;
        QTest::newRow("Fi raised past the top") << Map3DKind::Fi << 0.0 << 0.9 << 45.0f << 90.0f;
        QTest::newRow("IG lowered past the floor") << Map3DKind::Ig << 0.0 << -0.9 << 45.0f << 0.0f;
        QTest::newRow("IG both past") << Map3DKind::Ig << 0.9 << 0.9 << 90.0f << 90.0f;
    }

    void keepsTheViewingAnglesWithin0To90() {
        QFETCH(Map3DKind, kind);
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(float, xRotation);
        QFETCH(float, yRotation);
        Q3DSurface *graph = view(kind).graph();
        Q3DCamera *camera = graph->scene()->activeCamera();
        QCOMPARE(camera->xRotation(), Map3DView::DefaultXRotation);
        QCOMPARE(camera->yRotation(), Map3DView::DefaultYRotation);

        const QPoint centre(graph->width() / 2, graph->height() / 2);
        const QPoint half(static_cast<int>(dx * graph->width() / 2),
                          static_cast<int>(dy * graph->height() / 2));
        const QPoint start = centre - half;
        const QPoint end = centre + half;
        QTest::mousePress(graph, Qt::LeftButton, {}, start);
        QTest::mouseMove(graph, centre);
        QTest::mouseMove(graph, end);
        QTest::mouseRelease(graph, Qt::LeftButton, {}, end);

        QCOMPARE(camera->xRotation(), xRotation);
        QCOMPARE(camera->yRotation(), yRotation);
    }

    void turnsWithinTheLimitsFreely() {
        Q3DSurface *graph = view(Map3DKind::Fi).graph();
        Q3DCamera *camera = graph->scene()->activeCamera();
        const QPoint centre(graph->width() / 2, graph->height() / 2);
        QTest::mousePress(graph, Qt::LeftButton, {}, centre);
        const QPoint end = centre + QPoint(graph->width() / 10, graph->height() / 10);
        QTest::mouseMove(graph, end);
        QTest::mouseRelease(graph, Qt::LeftButton, {}, end);
        QVERIFY(camera->xRotation() > Map3DView::DefaultXRotation && camera->xRotation() < 90.0f);
        QVERIFY(camera->yRotation() > Map3DView::DefaultYRotation && camera->yRotation() < 90.0f);
    }

    void zoomsAndPansAsTheHintsSayThenDefaultViewResets() {
        Map3DView &v = view(Map3DKind::Ig);
        Q3DSurface *graph = v.graph();
        Q3DCamera *camera = graph->scene()->activeCamera();
        const QSize size = graph->size();
        const QPoint centre(size.width() / 2, size.height() / 2);
        const QPoint up = centre - QPoint(0, size.height() / 5);
        const QPoint right = centre + QPoint(size.width() / 5, 0);
        const auto before = surfacePixels(v, size);

        QTest::mousePress(graph, Qt::LeftButton, Qt::ShiftModifier, centre);
        QTest::mouseMove(graph, right);
        QTest::mouseRelease(graph, Qt::LeftButton, Qt::ShiftModifier, right);
        const auto panned = surfacePixels(v, size);
        const QPointF moved = centreOf(panned) - centreOf(before);
        QVERIFY2(moved.x() > size.width() / 20.0 && qAbs(moved.y()) < size.height() / 20.0,
                 "[Shift]+drag right does not move the graph to the right");
        const QPoint down = centre + QPoint(0, size.height() / 5);
        QTest::mousePress(graph, Qt::LeftButton, Qt::ShiftModifier, centre);
        QTest::mouseMove(graph, down);
        QTest::mouseRelease(graph, Qt::LeftButton, Qt::ShiftModifier, down);
        const auto pannedDown = surfacePixels(v, size);
        const QPointF movedDown = centreOf(pannedDown) - centreOf(panned);
        QVERIFY2(movedDown.y() > size.height() / 20.0 && qAbs(movedDown.x()) < size.width() / 20.0,
                 "[Shift]+drag down does not move the graph down");

        QTest::mousePress(graph, Qt::LeftButton, Qt::AltModifier, centre);
        QTest::mouseMove(graph, up);
        QTest::mouseRelease(graph, Qt::LeftButton, Qt::AltModifier, up);
        QVERIFY2(surfacePixels(v, size).size() > pannedDown.size() * 5 / 4,
                 "[Alt]+drag up does not zoom in");
        // Neither gesture turns the graph.
        QCOMPARE(camera->xRotation(), Map3DView::DefaultXRotation);
        QCOMPARE(camera->yRotation(), Map3DView::DefaultYRotation);

        QTest::mousePress(graph, Qt::LeftButton, {}, centre);
        QTest::mouseMove(graph, right);
        QTest::mouseRelease(graph, Qt::LeftButton, {}, right);
        QVERIFY(camera->xRotation() != Map3DView::DefaultXRotation);

        click(Map3DKind::Ig, namesOf(Map3DKind::Ig).defaultView);
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
                                      {50.0, QString()},
                                      {100.0, QStringLiteral("100")},
                                      {101.0, QStringLiteral("above")}});
        QCOMPARE(axis.labels(),
                 (QStringList{QStringLiteral("0"), QString(), QStringLiteral("100")}));
        formatter->setLabelledValues({{25.0, QStringLiteral("25")}});
        QCOMPARE(axis.labels(), QStringList{QStringLiteral("25")});
    }
};

QTEST_MAIN(TestMap3DView)
#include "test_map3d_view.moc"
