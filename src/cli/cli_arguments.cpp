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
    {"read", CliArguments::Command::Read, 1, "read [--port DEVICE] [--yes] [--force] OUT.E2P"},
    {"write", CliArguments::Command::Write, 1, "write [--port DEVICE] [--yes] IN.E2P"},
    {"dump", CliArguments::Command::Dump, 1, "dump [--csv TABLE] FILE.E2P"},
    {"diff", CliArguments::Command::Diff, 2, "diff A.E2P B.E2P"},
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
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("TABLE"));
    parser.addOptions({port, yes, force, csv, help, version});
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
    if (positional.size() != form->files)
        return refuse(form->files == 1 ? QStringLiteral("%1 takes one file; %2").arg(name, usage)
                                       : QStringLiteral("%1 takes two files; %2").arg(name, usage));
    if (std::any_of(positional.cbegin(), positional.cend(),
                    [](const QString &file) { return file.isEmpty(); }))
        return refuse(QStringLiteral("a file name is empty"));
    const bool transfer = form->command == CliArguments::Command::Read ||
                          form->command == CliArguments::Command::Write;
    if (!transfer && (parser.isSet(port) || parser.isSet(yes)))
        return refuse(QStringLiteral("--port and --yes are for read and write; %1").arg(usage));
    if (form->command != CliArguments::Command::Read && parser.isSet(force))
        return refuse(QStringLiteral("--force is for read; %1").arg(usage));
    if (parser.isSet(csv) && form->command != CliArguments::Command::Dump)
        return refuse(QStringLiteral("--csv is for dump; %1").arg(usage));
    if (parser.isSet(csv) && !csvTableNamed(parser.value(csv)))
        return refuse(QStringLiteral("--csv takes fi, ig or ru; %1").arg(usage));
    if (parser.isSet(port) && parser.value(port).trimmed().isEmpty())
        return refuse(QStringLiteral("--port needs a device or a COM number"));

    a.command = form->command;
    a.port = parser.value(port).trimmed();
    a.yes = parser.isSet(yes);
    a.force = parser.isSet(force);
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
        "  read [--port DEVICE] [--yes] [--force] OUT.E2P\n"
        "                     read the ECU into a new file\n"
        "  write [--port DEVICE] [--yes] IN.E2P\n"
        "                     write the file to the ECU and verify it (the data read back are\n"
        "                     kept in IN.TMP)\n"
        "  dump FILE.E2P      print the data name, the comment, the maps, axes and speeds\n"
        "  dump --csv TABLE FILE.E2P\n"
        "                     print one table (fi, ig or ru) as CSV, as Export Table writes it\n"
        "  diff A.E2P B.E2P   print every parameter that differs\n"
        "\n"
        "Options:\n"
        "  -p, --port DEVICE  a device path (/dev/ttyUSB0) or a COM number (3 or COM3) as the\n"
        "                     setting tool resolves it; default: the port chosen there\n"
        "  -y, --yes          do not ask the ignition prompts (for scripts)\n"
        "  -f, --force        let read replace an existing file\n"
        "  -h, --help         show this text\n"
        "  -v, --version      show the version\n"
        "\n"
        "The ignition prompts go on with Enter; anything else cancels.\n"
        "Exit status: 0 done (diff: the files are equal), 1 the transfer failed or was\n"
        "cancelled (diff: the files differ), 2 a usage or file error.\n");
}
