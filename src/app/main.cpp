#include "files/settings_store.h"
#include "main/main_window.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    SettingsStore settings;
    MainWindow window(settings);
    window.show();
    return QApplication::exec();
}
