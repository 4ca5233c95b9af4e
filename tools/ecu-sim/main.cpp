// ecu-sim: a simulated ECU on a pseudo-terminal. See --help.

#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "sim_memory.h"
#include "sim_options.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace {

void print(FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char **argv) {
    // Blocked before the simulator's thread starts, so that only sigwait below takes them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    const SimCommandLine commandLine = parseSimArguments(QCoreApplication::arguments());
    if (commandLine.help) {
        print(stdout, simHelpText());
        return 0;
    }
    if (!commandLine.error.isEmpty()) {
        print(stderr, QStringLiteral("ecu-sim: %1\n%2").arg(commandLine.error, simHelpText()));
        return 2;
    }

    EcuImage memory = defaultSimMemory();
    E2PComment comment; // kept byte for byte
    if (!commandLine.memoryFile.isEmpty() && QFileInfo::exists(commandLine.memoryFile)) {
        const E2PReadResult read = readE2PFile(commandLine.memoryFile);
        if (!read.ok) {
            print(stderr,
                  QStringLiteral("ecu-sim: %1: %2\n").arg(commandLine.memoryFile, read.message));
            return 1;
        }
        memory = read.image;
        comment = read.comment;
    }
    if (commandLine.config.faults.lineEvent) {
        print(stderr, QStringLiteral("ecu-sim: a pseudo-terminal carries no line events; "
                                     "--line-event reaches only an in-process port\n"));
    }

    EcuSimRunner sim(memory, commandLine.config);
    if (!sim.isRunning()) {
        print(stderr, QStringLiteral("ecu-sim: %1\n").arg(sim.errorString()));
        return 1;
    }
    print(stdout, QStringLiteral("ecu-sim: ECU on %1, linked at %2%3\n")
                      .arg(sim.slavePath(), commandLine.config.linkPath,
                           commandLine.config.paced ? QStringLiteral(", paced") : QString()));

    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.stop();

    if (!commandLine.memoryFile.isEmpty()) {
        const FileWriteResult written =
            writeFileSafely(commandLine.memoryFile, e2pFileContents(sim.memory(), comment));
        if (!written.ok) {
            print(stderr,
                  QStringLiteral("ecu-sim: %1: %2\n").arg(commandLine.memoryFile, written.error));
            return 1;
        }
        print(stdout, QStringLiteral("ecu-sim: memory saved to %1\n").arg(commandLine.memoryFile));
    }
    return 0;
}
