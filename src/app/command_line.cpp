#include "command_line.h"

#include "image/program_version.h"

#include <QCommandLineParser>
#include <QFileInfo>

CommandLine parseCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({help, version});
    const bool parsed = parser.parse(arguments);

    CommandLine commandLine;
    if (parser.isSet(help)) {
        commandLine.action = CommandLine::Action::ShowHelp;
        return commandLine;
    }
    if (parser.isSet(version)) {
        commandLine.action = CommandLine::Action::ShowVersion;
        return commandLine;
    }
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1 || (files.size() == 1 && files.front().isEmpty())) {
        commandLine.action = CommandLine::Action::Refuse;
        commandLine.error =
            !parsed ? parser.errorText() : QStringLiteral("give one data file at most");
        return commandLine;
    }
    // The last-file settings keep the path; it must not depend on where the program started.
    if (!files.isEmpty())
        commandLine.fileToOpen = QFileInfo(files.front()).absoluteFilePath();
    return commandLine;
}

QString commandLineHelp() {
    return QStringLiteral(
        "Usage: qz3rok-setting [FILE.E2P]\n"
        "Edits the calibration of the kit ECU: the Fi and IG maps, the RU map, the axes and\n"
        "the three speeds, in .E2P files or in the ECU over the serial line.\n"
        "\n"
        "  FILE.E2P       open this data file instead of the last one\n"
        "  -h, --help     show this text\n"
        "  -v, --version  show the version\n"
        "\n"
        "qz3rok-cli reads, writes, dumps and compares data without a display.\n");
}

QString commandLineVersion() {
    return QStringLiteral("qz3rok-setting %1\n").arg(programVersion());
}
