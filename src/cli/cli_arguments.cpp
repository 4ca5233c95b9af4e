#include "cli_arguments.h"

#include <QCommandLineParser>

namespace {

struct CommandForm {
    const char *name;
    CliArguments::Command command;
    int files;
    const char *usage;
};

constexpr CommandForm Forms[] = {
    {"read", CliArguments::Command::Read, 1,
     "read [--port DEVICE] [--yes] [--force] [--no-history] OUT.E2P"},
    {"write", CliArguments::Command::Write, 1,
     "write [--port DEVICE] [--yes] [--review] [--no-history] IN.E2P"},
    {"dump", CliArguments::Command::Dump, 1, "dump [--csv TABLE] FILE.E2P"},
    {"diff", CliArguments::Command::Diff, 2,
     "diff A.E2P B.E2P, or diff --port DEVICE [--yes] [--no-history] FILE.E2P"},
};

ParsedArguments refuse(const QString &error) {
    return {{}, error};
}

} // namespace

ParsedArguments parseCliArguments(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption port({QStringLiteral("p"), QStringLiteral("port")}, QString(),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption yes({QStringLiteral("y"), QStringLiteral("yes")}, QString());
    const QCommandLineOption force({QStringLiteral("f"), QStringLiteral("force")}, QString());
    const QCommandLineOption review(QStringLiteral("review"), QString());
    const QCommandLineOption noHistory(QStringLiteral("no-history"), QString());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("TABLE"));
    parser.addOptions({port, yes, force, review, noHistory, csv, help, version});
    if (!parser.parse(arguments))
        return refuse(parser.errorText());

    ParsedArguments parsed;
    CliArguments &a = parsed.arguments;
    if (parser.isSet(help))
        return parsed;
    if (parser.isSet(version)) {
        a.command = CliArguments::Command::Version;
        return parsed;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return refuse(QStringLiteral("give a command: read, write, dump or diff"));
    const QString name = positional.takeFirst();
    const auto *form = std::find_if(std::begin(Forms), std::end(Forms), [&](const CommandForm &f) {
        return name == QLatin1String(f.name);
    });
    if (form == std::end(Forms))
        return refuse(QStringLiteral("unknown command '%1'").arg(name));
    const QString usage = QStringLiteral("usage: qz3rok-cli ") + QLatin1String(form->usage);
    // Against the ECU, diff compares one file.
    const bool ecuDiff = form->command == CliArguments::Command::Diff && parser.isSet(port);
    const int files = ecuDiff ? 1 : form->files;
    if (positional.size() != files) {
        const QString with = ecuDiff ? QStringLiteral(" with --port") : QString();
        return refuse(files == 1 ? QStringLiteral("%1 takes one file%2; %3").arg(name, with, usage)
                                 : QStringLiteral("%1 takes two files; %2").arg(name, usage));
    }
    if (std::any_of(positional.cbegin(), positional.cend(),
                    [](const QString &file) { return file.isEmpty(); }))
        return refuse(QStringLiteral("a file name is empty"));
    const bool transfer = form->command == CliArguments::Command::Read ||
                          form->command == CliArguments::Command::Write || ecuDiff;
    if (!transfer && (parser.isSet(port) || parser.isSet(yes) || parser.isSet(noHistory)))
        return refuse(
            QStringLiteral("--port, --yes and --no-history are for read, write and diff --port; %1")
                .arg(usage));
    if (form->command != CliArguments::Command::Read && parser.isSet(force))
        return refuse(QStringLiteral("--force is for read; %1").arg(usage));
    if (parser.isSet(csv) && form->command != CliArguments::Command::Dump)
        return refuse(QStringLiteral("--csv is for dump; %1").arg(usage));
    if (parser.isSet(csv) && !csvTableNamed(parser.value(csv)))
        return refuse(QStringLiteral("--csv takes fi, ig or ru; %1").arg(usage));
    if (form->command != CliArguments::Command::Write && parser.isSet(review))
        return refuse(QStringLiteral("--review is for write; %1").arg(usage));
    if (parser.isSet(port) && parser.value(port).trimmed().isEmpty())
        return refuse(QStringLiteral("--port needs a device or a COM number"));

    a.command = form->command;
    a.port = parser.value(port).trimmed();
    a.yes = parser.isSet(yes);
    a.portGiven = parser.isSet(port);
    a.force = parser.isSet(force);
    a.review = parser.isSet(review);
    a.noHistory = parser.isSet(noHistory);
    a.files = positional;
    if (parser.isSet(csv))
        a.csvTable = csvTableNamed(parser.value(csv));
    return parsed;
}

QString cliHelp() {
    return QStringLiteral(
        "Usage: qz3rok-cli COMMAND [OPTIONS] FILES\n"
        "Reads and writes the kit ECU over the serial line, and shows and compares .E2P files,\n"
        "without a display.\n"
        "\n"
        "Commands:\n"
        "  read [--port DEVICE] [--yes] [--force] [--no-history] OUT.E2P\n"
        "                     read the ECU into a new file\n"
        "  write [--port DEVICE] [--yes] [--review] [--no-history] IN.E2P\n"
        "                     write the file to the ECU and verify it (the data read back are\n"
        "                     kept in IN.TMP); with --review read the ECU first, show what the\n"
        "                     write changes and ask\n"
        "  dump FILE.E2P      print the data name, the CRC-32, the comment, the maps, axes and\n"
        "                     speeds\n"
        "  dump --csv TABLE FILE.E2P\n"
        "                     print one table (fi, ig or ru) as CSV, as Export Table writes it\n"
        "  diff A.E2P B.E2P   print every parameter that differs\n"
        "  diff --port DEVICE [--yes] [--no-history] FILE.E2P\n"
        "                     read the ECU and print what a write of the file would change\n"
        "\n"
        "Options:\n"
        "  -p, --port DEVICE  a device path (/dev/ttyUSB0) or a COM number (3 or COM3) as the\n"
        "                     setting tool resolves it; default: the port chosen there\n"
        "  -y, --yes          do not ask the ignition prompts, nor whether to write after\n"
        "                     the review (for scripts)\n"
        "  -f, --force        let read replace an existing file\n"
        "      --review       let write show what it changes in the ECU and ask first\n"
        "      --no-history   keep nothing in the history folder, which otherwise keeps every\n"
        "                     calibration read from the ECU or written to it, as the setting\n"
        "                     tool does (~/.local/share/QZ3ROK/history)\n"
        "  -h, --help         show this text\n"
        "  -v, --version      show the version\n"
        "\n"
        "The ignition prompts go on with Enter; anything else cancels.\n"
        "Exit status: 0 done (diff: the files are equal), 1 the transfer failed or was\n"
        "cancelled (diff: the files differ), 2 a usage or file error (diff --port: also a\n"
        "failed read).\n");
}
