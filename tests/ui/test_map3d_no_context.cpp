// The 3-D map views where no OpenGL context can be had. Run twice: on the offscreen platform,
// and on X with OpenGL switched off (QT_XCB_GL_INTEGRATION=none), where Q3DSurface is created
// but reports hasContext() false.

#include "files/e2p_reader.h"
#include "image/hexdata_conv.h"
#include "ui/main/map3d_setup.h"
#include "ui/main/map3d_view.h"
#include "ui/main/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

Q_DECLARE_METATYPE(Map3DKind)

class TestMap3DNoContext : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qInfo() << "platform" << QGuiApplication::platformName();
        QVERIFY(QGuiApplication::platformName() == QLatin1String("offscreen") ||
                qEnvironmentVariable("QT_XCB_GL_INTEGRATION") == QLatin1String("none"));
    }

    void showsANoticeInsteadOfTheGraph_data() {
        QTest::addColumn<Map3DKind>("kind");
        QTest::addColumn<QString>("graphName");
        QTest::addColumn<QString>("lineOption");
        QTest::addColumn<QString>("defaultView");
        QTest::addColumn<QString>("topLegendLabel");
        QTest::newRow("Fi") << Map3DKind::Fi << QStringLiteral("CWGraph3D1")
                            << QStringLiteral("Option2(1)") << QStringLiteral("Command9")
                            << QStringLiteral("Label19");
        QTest::newRow("IG") << Map3DKind::Ig << QStringLiteral("CWGraph3D2")
                            << QStringLiteral("Option_IG2(1)") << QStringLiteral("Command_IG9")
                            << QStringLiteral("Label_IG20");
    }

    // Everything the main window does with a view goes through without a graph.
    void showsANoticeInsteadOfTheGraph() {
        QFETCH(Map3DKind, kind);
        QFETCH(QString, graphName);
        QFETCH(QString, lineOption);
        QFETCH(QString, defaultView);
        QFETCH(QString, topLegendLabel);
        HexReadResult read = HEX_Data_read(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"));
        QVERIFY(read.HexReadOk);
        const EcuTables tables = HEXdata_Conv(read.image);

        Map3DView view(kind);
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
        QVERIFY(!view.findChild<QWidget *>(graphName));
        auto *notice = view.findChild<QLabel *>(QStringLiteral("noGraphNotice"));
        QVERIFY(notice);
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), QString(NoGraphNotice));
        QVERIFY(notice->width() > view.width() / 2);
        // With no graph to act on, the options and "Default View" are shown disabled.
        QVERIFY(!view.findChild<QRadioButton *>(lineOption)->isEnabled());
        QVERIFY(!view.findChild<QWidget *>(defaultView)->isEnabled());
        QVERIFY(!view.findChild<QLabel *>(topLegendLabel)->text().isEmpty());
    }
};

QTEST_MAIN(TestMap3DNoContext)
#include "test_map3d_no_context.moc"
