#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the program: qz3rok-setting [--help | --version | FILE.E2P]
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    QString fileToOpen; // absolute; empty: the last file, as on every start
    QString error;      // why it was refused
};

// The arguments with the program's name first. Options of Qt's own are refused, so run it on
// QApplication::arguments(), which has them removed; --help and --version are found among them
// too, so it may also run before the application exists (and needs a display).
[[nodiscard]] CommandLine parseCommandLine(const QStringList &arguments);

[[nodiscard]] QString commandLineHelp();
[[nodiscard]] QString commandLineVersion();
