// Edit benchmark: the time from an edit through the document until every view has refreshed
// and the window has painted, with the Fi 3-D view shown. Run it on a real X display
// (xvfb-run) from a Release build. Prints one "name: value" line per figure (milliseconds).

#include "document/change_cells.h"
#include "document/comparison.h"
#include "files/settings_store.h"
#include "grid/map_grid_view.h"
#include "map3d/map3d_view.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Runs the step n times and returns each run's milliseconds: the step, then the events it
// posted (paints, the graph's render) until none are left.
std::vector<double> timed(int n, const std::function<void(int)> &step) {
    std::vector<double> ms;
    for (int k = 0; k < n; ++k) {
        QElapsedTimer clock;
        clock.start();
        step(k);
        QApplication::processEvents();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return ms;
}

void report(const char *name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double share) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(share * ms.size()))];
    };
    std::printf("%s_p50_ms: %.2f\n", name, at(0.50));
    std::printf("%s_p95_ms: %.2f\n", name, at(0.95));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("QZ3ROK.ini")));
    const QString sample = QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P");
    writeLastFile(settings,
                  {sample, QStringLiteral(ECU_SOURCE_DIR "/data"), QStringLiteral("SAMPLE.E2P")});
    MainWindow window(settings);
    window.show();
    window.selectView(ViewPosition::Fi3D);
    for (int k = 0; k < 20; ++k) // the graph's first frames
        QApplication::processEvents();
    if (!window.hasData() || !window.view3D(MapKind::Fi)->graph()) {
        std::fprintf(stderr, "needs the sample and an OpenGL context (run under xvfb-run)\n");
        return 1;
    }
    CalibrationDocument &document = window.document();

    report("single_cell", timed(300, [&document](int k) {
               const int cell = 1 + (k * 37) % MapCells;
               (void)document.apply(
                   changeCell(MapKind::Fi, cell, static_cast<std::uint8_t>(80 + k % 40)));
           }));
    report("whole_map", timed(60, [&document](int k) {
               (void)document.apply(
                   changeAllCells(MapKind::Fi, static_cast<std::uint8_t>(80 + k % 40)));
           }));
    report("undo_whole_map", timed(60, [&document](int) { document.undoStack().undo(); }));

    // The Fi grid with its cells coloured by value and the whole map selected: each edit
    // recolours the grid, painted at once.
    window.findChild<QAction *>(QStringLiteral("mnuCellColours"))->setChecked(true);
    window.selectView(ViewPosition::FiNumeric);
    MapGridView *grid = window.grid(MapKind::Fi);
    grid->selectAll();
    report("grid_colours_single_cell", timed(300, [&document, grid](int k) {
               (void)document.apply(changeCell(MapKind::Fi, 1 + (k * 37) % MapCells,
                                               static_cast<std::uint8_t>(80 + k % 40)));
               grid->repaint();
           }));
    report("grid_colours_whole_map", timed(60, [&document, grid](int k) {
               (void)document.apply(
                   changeAllCells(MapKind::Fi, static_cast<std::uint8_t>(80 + k % 40)));
               grid->repaint();
           }));

    // A comparison where every cell of both maps differs, marked on the Fi grid and every other
    // view; two such calibrations in turn, so that each step marks anew.
    std::array<EcuImage, 2> others{document.image(), document.image()};
    for (int cell = 1; cell <= MapCells; ++cell) {
        for (std::size_t k = 0; k < others.size(); ++k) {
            const auto value =
                static_cast<std::uint8_t>(60 + k + document.image().byte(fiCellOffset(cell)) % 50);
            others[k].setByte(fiCellOffset(cell), value);
            others[k].setByte(igCellOffset(cell), value);
        }
    }
    Comparison &comparison = window.comparison();
    report("compare_full_maps", timed(60, [&comparison, &others, grid](int k) {
               comparison.compareWith(others[static_cast<std::size_t>(k % 2)],
                                      QStringLiteral("OTHER.E2P"));
               grid->repaint();
           }));
    return 0;
}
