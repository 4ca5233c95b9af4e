// Saves pictures of the main window for the README: starts the window with the given settings
// file (its last file is loaded), selects each named view and grabs the screen.
// Usage: window-shot SETTINGS.ini OUTDIR [VIEW_POSITION:NAME ...]

#include "files/settings_store.h"
#include "main/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: window-shot SETTINGS.ini OUTDIR [POSITION:NAME ...]\n");
        return 2;
    }
    SettingsStore settings(args.at(1));
    const QDir out(args.at(2));
    MainWindow window(settings);
    window.show();

    QStringList shots = args.mid(3);
    if (shots.isEmpty())
        shots << QStringLiteral("0:main-window");
    int failures = 0;
    for (const QString &shot : shots) {
        const int position = shot.section(QLatin1Char(':'), 0, 0).toInt();
        const QString name = shot.section(QLatin1Char(':'), 1);
        window.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(position);
        window.selectView(static_cast<ViewPosition>(position));
        // Let the window (and any 3-D graph) render before grabbing.
        QEventLoop wait;
        QTimer::singleShot(1500, &wait, &QEventLoop::quit);
        wait.exec();
        const QRect frame = window.frameGeometry();
        const QPixmap picture =
            window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (!picture.save(out.filePath(name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(name));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
