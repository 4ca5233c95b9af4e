// The 3-D map views where no OpenGL context can be had. Run twice: on the offscreen platform,
// and on X with OpenGL switched off (QT_XCB_GL_INTEGRATION=none), where Q3DSurface is created
// but reports hasContext() false.

#include "common/twips.h"
#include "document/calibration_document.h"
#include "map3d/map3d_setup.h"
#include "map3d/map3d_view.h"
#include "sample_image.h"

#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

class TestMap3DNoContext : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qInfo() << "platform" << QGuiApplication::platformName();
        QVERIFY(QGuiApplication::platformName() == QLatin1String("offscreen") ||
                qEnvironmentVariable("QT_XCB_GL_INTEGRATION") == QLatin1String("none"));
    }

    // Everything the main window does with a view goes through without a graph.
    void showsANoticeInsteadOfTheGraph() {
        EcuImage sample = sampleImage();
        const EcuTables tables = decodeImage(sample);
        const CalibrationDocument document;
        // The graph, the "Line" option, "Default View" and a legend label of each view.
        const char *const names[][4] = {
            {"CWGraph3D1", "Option2(1)", "Command9", "Label19"},
            {"CWGraph3D2", "Option_IG2(1)", "Command_IG9", "Label_IG20"}};
        for (MapKind kind : {MapKind::Fi, MapKind::Ig}) {
            const auto name = [&](int k) {
                return QString::fromLatin1(names[kind == MapKind::Fi ? 0 : 1][k]);
            };
            Map3DView view(kind, document);
            view.resize(twipsSize(14760, 6615));
            view.setUpColourSpectrum();
            view.showMap(tables);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            view.chooseColourMapStyle(Map3DView::ColourMapStyle::Grayscale);
            view.choosePlotStyle(Map3DView::PlotStyle::Line);
            view.resetView();
            view.showMap(tables);
            QTest::qWait(50);

            QVERIFY(!view.graph());
            QVERIFY(!view.findChild<QWidget *>(name(0)));
            auto *notice = view.findChild<QLabel *>(QStringLiteral("noGraphNotice"));
            QVERIFY(notice && notice->isVisible());
            QCOMPARE(notice->text(),
                     QStringLiteral("The 3-D graph cannot be shown: no OpenGL context is "
                                    "available on this display."));
            QVERIFY(notice->width() > view.width() / 2);
            // With no graph to act on, the options and "Default View" are shown disabled.
            QVERIFY(!view.findChild<QRadioButton *>(name(1))->isEnabled());
            QVERIFY(!view.findChild<QWidget *>(name(2))->isEnabled());
            QVERIFY(!view.findChild<QLabel *>(name(3))->text().isEmpty());
        }
    }
};

QTEST_MAIN(TestMap3DNoContext)
#include "test_map3d_no_context.moc"
