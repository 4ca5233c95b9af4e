// Start-up benchmark: from the process's first line to the main window painted on screen with
// the last file loaded: the sample, or the .E2P file named as the argument. Run it on a real X
// display (xvfb-run), several times. Prints "startup_ms: N", "window_ms: N" (from the window's
// creation, which reads the file, to the first paint), the resident memory then ("rss_mb: N"),
// "loaded: yes|no", and the resident memory once the Fi 3-D view has been opened
// ("rss_after_3d_mb: N").
//
// --big-settings: the settings file holds 100 MB of keys after the last file (the time taken to
// write them is not counted); --long-last-file: the stored last-file path is a megabyte long.
// What the window tells is printed ("told: TEXT") and shown in a box that closes by itself.

#include "files/operator.h"
#include "files/settings_store.h"
#include "window/main_window.h"
#include "window/message_box_operator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>
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

// The window's own message boxes, each closed once it has been painted: what a message costs at
// start-up is counted, and nothing waits for a click. The text is printed too.
class ClosingBoxes : public QObject, public MessageBoxOperator {
public:
    ClosingBoxes()
        : MessageBoxOperator(nullptr) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (auto *box = qobject_cast<QMessageBox *>(watched); box && event->type() == QEvent::Paint)
            QTimer::singleShot(0, box, &QWidget::close);
        return false;
    }
    void tell(const QString &text, MessageIcon icon, const QString &detail) override {
        std::printf("told: %s\n", qPrintable(text.left(200)));
        MessageBoxOperator::tell(text, icon, detail);
    }
};

// 100 MB of keys in a section of their own, after what the file holds.
void addJunkKeys(const QString &iniPath) {
    QFile ini(iniPath);
    if (!ini.open(QIODevice::Append))
        return;
    ini.write("[Junk]\n");
    const QByteArray value(60, 'x');
    for (int key = 0; ini.size() < 100'000'000; ++key)
        ini.write("k" + QByteArray::number(key) + '=' + value + '\n');
}

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

    QElapsedTimer preparing;
    preparing.start();
    QTemporaryDir dir;
    const QString iniPath = dir.filePath(QStringLiteral("QZ3ROK.ini"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool bigSettings = arguments.removeAll(QStringLiteral("--big-settings")) > 0;
    const bool longLastFile = arguments.removeAll(QStringLiteral("--long-last-file")) > 0;
    const QFileInfo file(arguments.value(0, QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P")));
    {
        SettingsStore writer(iniPath);
        const QString longPath = QLatin1Char('/') + QString(1'000'000, QLatin1Char('a'));
        writeLastFile(writer, {longLastFile ? longPath : file.absoluteFilePath(),
                               file.absolutePath(), file.fileName()});
    }
    if (bigSettings)
        addJunkKeys(iniPath);
    const qint64 prepared = preparing.elapsed();

    SettingsStore settings(iniPath);
    QElapsedTimer fromOpen;
    fromOpen.start();
    ClosingBoxes boxes;
    MainWindow window(settings, {&boxes, nullptr, nullptr, {}});
    QEventLoop loop;
    FirstPaint watcher(loop);
    window.centralWidget()->installEventFilter(&watcher);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit); // never wait for ever
    window.show();
    loop.exec();
    const qint64 elapsed = clock.elapsed() - prepared;

    const qint64 windowElapsed = fromOpen.elapsed();

    std::printf("startup_ms: %lld\n", static_cast<long long>(elapsed));
    std::printf("window_ms: %lld\n", static_cast<long long>(windowElapsed));
    std::printf("rss_mb: %.1f\n", residentMb());
    std::printf("loaded: %s\n", window.hasData() ? "yes" : "no");
    window.selectView(ViewPosition::Fi3D);
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("rss_after_3d_mb: %.1f\n", residentMb());
    return window.hasData() || bigSettings || longLastFile ? 0 : 1;
}
