// Start-up benchmark: from the process's first line to the main window painted on screen with
// the last file (the sample) loaded. Run it on a real X display (xvfb-run), several times.
// Prints "startup_ms: N", the resident memory then ("rss_mb: N"), "loaded: yes|no", and the
// resident memory once the Fi 3-D view has been opened ("rss_after_3d_mb: N").

#include "files/settings_store.h"
#include "main/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

// Quits the event loop at the first paint of the watched widget.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QEventLoop &loop)
        : m_loop(loop) {}
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop &m_loop;
    bool m_painted = false;
};

// The process's resident memory, MB.
double residentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

} // namespace

int main(int argc, char **argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);

    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("QZ3ROK.ini")));
    const QString sample = QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P");
    writeLastFile(settings,
                  {sample, QStringLiteral(ECU_SOURCE_DIR "/data"), QStringLiteral("SAMPLE.E2P")});

    MainWindow window(settings);
    QEventLoop loop;
    FirstPaint watcher(loop);
    window.centralWidget()->installEventFilter(&watcher);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit); // never wait for ever
    window.show();
    loop.exec();
    const qint64 elapsed = clock.elapsed();

    std::printf("startup_ms: %lld\n", static_cast<long long>(elapsed));
    std::printf("rss_mb: %.1f\n", residentMb());
    std::printf("loaded: %s\n", window.hasData() ? "yes" : "no");
    window.selectView(ViewPosition::Fi3D);
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("rss_after_3d_mb: %.1f\n", residentMb());
    return window.hasData() ? 0 : 1;
}
