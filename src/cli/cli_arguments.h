#pragma once

#include "files/table_csv.h"

#include <QString>
#include <QStringList>
#include <optional>

// What one run of qz3rok-cli is asked to do.
struct CliArguments {
    enum class Command { Read, Write, Dump, Diff, Help, Version };
    Command command = Command::Help;
    QString port;           // as given to --port; empty: the port the program has chosen
    bool portGiven = false; // diff with --port compares the ECU with one file
    bool yes = false;
    bool force = false;
    bool review = false;              // write: show what it changes and ask first
    bool noHistory = false;           // keep nothing in the history folder
    std::optional<CsvTable> csvTable; // dump --csv: the table to print as CSV
    QStringList files;
};

// The arguments, or why they make no sense.
struct ParsedArguments {
    CliArguments arguments;
    QString error; // empty when they are fine
};

// The arguments with the program's name first.
[[nodiscard]] ParsedArguments parseCliArguments(const QStringList &arguments);

[[nodiscard]] QString cliHelp();
