#include "command_line.h"
#include "files/settings_store.h"
#include "window/main_window.h"

#include <QApplication>
#include <cstdio>

namespace {

int answer(const CommandLine &commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        std::fputs(qPrintable(commandLineHelp()), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::fputs(qPrintable(commandLineVersion()), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "qz3rok-setting: %s\nTry 'qz3rok-setting --help'.\n",
                     qPrintable(commandLine.error));
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv) {
    // --help and --version answer on a terminal without a display, so before QApplication,
    // which cannot start without one.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments.push_back(QString::fromLocal8Bit(argv[i]));
    const CommandLine early = parseCommandLine(rawArguments);
    if (early.action == CommandLine::Action::ShowHelp ||
        early.action == CommandLine::Action::ShowVersion)
        return answer(early);

    QApplication app(argc, argv);
    // Now without the options QApplication took for itself (-platform, -style, ...).
    const CommandLine commandLine = parseCommandLine(QApplication::arguments());
    if (commandLine.action != CommandLine::Action::Run)
        return answer(commandLine);
    SettingsStore settings;
    // A data file named on the command line opens in place of the last file.
    MainWindow window(settings, {}, commandLine.fileToOpen);
    window.show();
    return QApplication::exec();
}
