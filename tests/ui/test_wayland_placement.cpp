// The cell editors stand beside their cells under a Wayland compositor, which places every
// window as it likes: Weston runs headless in a scratch runtime folder, the window on it, and
// Weston's own screenshot shows where the window and the editor really are.

#include "dialogs/edit_dialog.h"
#include "files/settings_store.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <memory>

namespace {

constexpr int OutputWidth = 1600, OutputHeight = 1000;

// Weston on a headless output for the run of the test; it ends after ten minutes whatever
// happens to the test.
class HeadlessWeston {
public:
    HeadlessWeston() {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        if (weston.isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter")).isEmpty()) {
            m_whyNot = QStringLiteral("weston is not installed (Debian package weston)");
            return;
        }
        const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platforms"));
        if (plugins.entryList({QStringLiteral("*qwayland*")}).isEmpty()) {
            m_whyNot = QStringLiteral("Qt has no Wayland platform (Debian package qt6-wayland)");
            return;
        }
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess process;
        process.setProgram(QStringLiteral("timeout"));
        process.setArguments(
            {QStringLiteral("600"), weston, QStringLiteral("--backend=headless-backend.so"),
             QStringLiteral("--use-pixman"), QStringLiteral("--debug"),
             QStringLiteral("--no-config"), QStringLiteral("--idle-time=0"),
             QStringLiteral("--socket=") + Socket, QStringLiteral("--width=%1").arg(OutputWidth),
             QStringLiteral("--height=%1").arg(OutputHeight)});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(m_runtime.filePath(QStringLiteral("weston.log")));
        process.setStandardErrorFile(m_runtime.filePath(QStringLiteral("weston.log")));
        if (!process.startDetached(&m_pid)) {
            m_whyNot = QStringLiteral("weston does not start");
            return;
        }
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(m_runtime.filePath(Socket)) && !deadline.hasExpired() &&
               ::kill(static_cast<pid_t>(m_pid), 0) == 0)
            QThread::msleep(20);
        if (!QFile::exists(m_runtime.filePath(Socket))) {
            QFile log(m_runtime.filePath(QStringLiteral("weston.log")));
            const QByteArray said = log.open(QIODevice::ReadOnly) ? log.readAll().trimmed() : "";
            m_whyNot = QStringLiteral("weston opens no socket: ") +
                       QString::fromLocal8Bit(said.mid(said.lastIndexOf('\n') + 1));
        }
    }
    ~HeadlessWeston() {
        if (m_pid > 0)
            ::kill(static_cast<pid_t>(m_pid), SIGTERM);
    }
    HeadlessWeston(const HeadlessWeston &) = delete;
    HeadlessWeston &operator=(const HeadlessWeston &) = delete;

    // Empty when Weston runs.
    [[nodiscard]] QString whyNot() const { return m_whyNot; }
    [[nodiscard]] QString runtimeDir() const { return m_runtime.path(); }
    static constexpr QLatin1StringView Socket{"wayland-ecu-test"};

private:
    QTemporaryDir m_runtime;
    qint64 m_pid = 0;
    QString m_whyNot;
};

QString g_whyNot;

// Weston's output as it shows now.
QImage screenshot() {
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000))
        return {};
    const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
    return shots.isEmpty()
               ? QImage()
               : QImage(folder.filePath(shots.front())).convertToFormat(QImage::Format_RGB32);
}

// The top left corner of the place where the screenshot shows the picture, or (-1, -1).
QPoint findIn(const QImage &shot, const QImage &wanted) {
    const QImage picture = wanted.convertToFormat(QImage::Format_RGB32);
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * 4;
    for (int y = 0; y + picture.height() <= shot.height(); ++y) {
        for (int x = 0; x + picture.width() <= shot.width(); ++x) {
            int row = 0;
            while (row < picture.height() && std::memcmp(shot.constScanLine(y + row) + x * 4,
                                                         picture.constScanLine(row), rowBytes) == 0)
                ++row;
            if (row == picture.height())
                return {x, y};
        }
    }
    return {-1, -1};
}

} // namespace

class TestWaylandPlacement : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<MainWindow> m_window;

private slots:
    void initTestCase() {
        const QString sample = m_dir.filePath(QStringLiteral("SAMPLE.E2P"));
        QVERIFY(QFile::copy(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"), sample));
        QFile::setPermissions(sample, QFile::ReadOwner | QFile::WriteOwner);
        m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("QZ3ROK.ini")));
        writeLastFile(*m_settings, {sample, m_dir.path(), QStringLiteral("SAMPLE.E2P")});
    }
    void cleanup() { m_window.reset(); }

    void editorStandsBesideItsCell_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QPoint>("drag");
        QTest::newRow("Fi cell 40") << QStringLiteral("Label6(40)") << QPoint();
        QTest::newRow("last NE column") << QStringLiteral("Label6(176)") << QPoint();
        QTest::newRow("Fi cell 40, dragged") << QStringLiteral("Label6(40)") << QPoint(30, -50);
    }

    void editorStandsBesideItsCell() {
        if (!g_whyNot.isEmpty())
            QSKIP(qPrintable(g_whyNot));
        QFETCH(QString, cell);
        QFETCH(QPoint, drag);
        // A new window each time, which the compositor places anew.
        m_window = std::make_unique<MainWindow>(*m_settings);
        MainWindow &window = *m_window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *label = window.findChild<QWidget *>(cell);
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton);
        auto *editor = window.findChild<EditDialog *>();
        QVERIFY(editor);
        if (!drag.isNull()) {
            const QPoint at(5, 5);
            for (const QPoint &to : {at, at + drag}) {
                QMouseEvent event(to == at ? QEvent::MouseButtonPress : QEvent::MouseMove, to,
                                  editor->mapToGlobal(to), Qt::LeftButton, Qt::LeftButton,
                                  Qt::NoModifier);
                QApplication::sendEvent(editor, &event);
            }
        }
        // Below the window's top edge, which Weston's panel may cover: the file's name and date.
        const QRect windowFaceArea(0, 40, 300, 60);
        // The compositor shows the window and the editor once they have drawn themselves; their
        // faces are taken anew each time, as the first frames may still change (activation,
        // the window disabled behind the editor).
        QPoint windowAt, editorAt;
        // Generous: a cold Weston under a loaded machine (the sanitizer build) is slow to draw.
        QDeadlineTimer deadline(30000);
        do {
            QTest::qWait(200);
            const QImage windowFace = window.grab(windowFaceArea).toImage();
            const QImage editorFace = editor->grab().toImage();
            const QImage shot = screenshot();
            QCOMPARE(shot.size(), QSize(OutputWidth, OutputHeight));
            windowAt = findIn(shot, windowFace);
            if (windowAt.x() >= 0)
                windowAt -= windowFaceArea.topLeft();
            editorAt = findIn(shot, editorFace);
        } while ((windowAt.x() < 0 || editorAt.x() < 0) && !deadline.hasExpired());
        const QPoint cellAt = windowAt + label->mapTo(&window, QPoint());
        qInfo("window at %d,%d; %s at %d,%d, %dx%d; editor at %d,%d, %dx%d", windowAt.x(),
              windowAt.y(), qPrintable(cell), cellAt.x(), cellAt.y(), label->width(),
              label->height(), editorAt.x(), editorAt.y(), editor->width(), editor->height());
        QVERIFY(windowAt.x() >= 0);
        QVERIFY(editorAt.x() >= 0);
        // Where the window put it (and the drag moved it), beside the cell: on its right, or on
        // its left in the last NE column.
        QCOMPARE(editorAt - windowAt, editor->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()));
        if (cell.endsWith(QStringLiteral("(176)")))
            QVERIFY(editorAt.x() + editor->width() < cellAt.x());
        else if (drag.isNull())
            QVERIFY(editorAt.x() > cellAt.x() + label->width());
    }
};

int main(int argc, char **argv) {
    const HeadlessWeston weston;
    g_whyNot = weston.whyNot();
    if (g_whyNot.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        qputenv("XDG_RUNTIME_DIR", weston.runtimeDir().toLocal8Bit());
        qputenv("WAYLAND_DISPLAY", QByteArray(HeadlessWeston::Socket.data()));
        // Weston has no server-side title bars; Qt would draw its own through Mesa's EGL, whose
        // driver leaks at exit under the sanitizers. The test compares what is inside the frame.
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TestWaylandPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wayland_placement.moc"
