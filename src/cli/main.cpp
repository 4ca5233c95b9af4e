// qz3rok-cli: reads and writes the ECU, and shows and compares E2P files and the ECU's data, on
// a terminal without a display.

#include "cli_arguments.h"
#include "data_report.h"
#include "files/e2p_commands.h"
#include "files/settings_store.h"
#include "image/program_version.h"
#include "terminal_operator.h"
#include "transfer_commands.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <optional>

namespace {

int refuse(const QString &error) {
    std::fprintf(stderr, "qz3rok-cli: %s\nTry 'qz3rok-cli --help'.\n", qPrintable(error));
    return ExitUsageOrFile;
}

int dump(const QString &path, std::optional<CsvTable> csvTable, Operator &op) {
    const std::optional<OpenOutcome> loaded = loadDataFile(path, op);
    if (!loaded)
        return ExitUsageOrFile;
    const QByteArray text = csvTable ? tableCsv(*csvTable, loaded->data.tables)
                                     : dumpText(loaded->data, loaded->commentText).toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    return ExitDone;
}

int diff(const QString &pathA, const QString &pathB, Operator &op) {
    const std::optional<OpenOutcome> a = loadDataFile(pathA, op);
    const std::optional<OpenOutcome> b = a ? loadDataFile(pathB, op) : std::nullopt;
    if (!b)
        return ExitUsageOrFile;
    const QStringList lines = differences(a->data, b->data);
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    return lines.isEmpty() ? ExitDone : ExitFilesDiffer;
}

int transfer(const CliArguments &arguments, Operator &op) {
    InterruptSignals interruptions;
    const SettingsStore settings;
    if (const QString warning = settings.notSavedWarning(); !warning.isEmpty())
        op.tell(warning, MessageIcon::Exclamation);
    QString error;
    const std::optional<CliPort> port = resolvePort(arguments.port, settings, error);
    if (!port)
        return refuse(error);
    HistoryFolder history;
    const CliTransfer context{*port, op, settings, interruptions,
                              arguments.noHistory ? nullptr : &history};
    const QString &file = arguments.files.front();
    if (arguments.command == CliArguments::Command::Read)
        return readEcuToFile(context, file, arguments.force);
    if (arguments.command == CliArguments::Command::Write)
        return writeFileToEcu(context, file, arguments.review);
    return diffWithEcu(context, file);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const ParsedArguments parsed = parseCliArguments(QCoreApplication::arguments());
    if (!parsed.error.isEmpty())
        return refuse(parsed.error);
    const CliArguments &arguments = parsed.arguments;
    TerminalOperator op(std::cin, stderr, arguments.yes);

    switch (arguments.command) {
    case CliArguments::Command::Help:
        std::fputs(qPrintable(cliHelp()), stdout);
        return ExitDone;
    case CliArguments::Command::Version:
        std::printf("qz3rok-cli %s\n", qPrintable(programVersion()));
        return ExitDone;
    case CliArguments::Command::Dump:
        return dump(arguments.files.front(), arguments.csvTable, op);
    case CliArguments::Command::Diff:
        if (arguments.portGiven)
            return transfer(arguments, op);
        return diff(arguments.files.at(0), arguments.files.at(1), op);
    case CliArguments::Command::Read:
    case CliArguments::Command::Write:
        return transfer(arguments, op);
    }
    return ExitUsageOrFile;
}
