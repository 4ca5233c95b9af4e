#pragma once

#include "ecu_sim_runner.h"

#include <QString>
#include <QStringList>

// The command line of the ecu-sim program.
struct SimCommandLine {
    EcuSimConfig config; // config.linkPath is required
    QString memoryFile;  // loaded at start when it exists, saved at exit; may be empty
    bool help = false;
    QString error; // why the arguments were refused; empty when they are fine
};

// args as QCoreApplication::arguments() gives them: the program name first.
[[nodiscard]] SimCommandLine parseSimArguments(const QStringList &args);
[[nodiscard]] QString simHelpText();
