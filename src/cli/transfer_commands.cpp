#include "transfer_commands.h"

#include "files/e2p_commands.h"
#include "files/e2p_writer.h"
#include "link/ecu_link.h"
#include "link/qt_serial_port.h"
#include "link/reviewed_write.h"
#include "link/serial_device.h"
#include "link/verification_file_path.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace {

// The link on one device, for one transfer, stopped by the signals.
struct Link {
    explicit Link(const CliTransfer &transfer)
        : link(port, transfer.op, transfer.settings) {
        link.setDeviceName(transfer.port.device);
        QObject::connect(&transfer.interruptions, &InterruptSignals::interrupted, &link,
                         &EcuLink::interrupt);
    }
    QtSerialPort port;
    EcuLink link;
};

// What an interrupted write left in the ECU.
QString interruptedWrite(WriteOutcome outcome) {
    switch (outcome) {
    case WriteOutcome::PartlyWritten:
    case WriteOutcome::WriteAgain:
        return QStringLiteral("Interrupted: the ECU holds a partly written calibration and will "
                              "not run it until it is written again. Writing the file again "
                              "restores it.");
    case WriteOutcome::NotVerified:
        return QStringLiteral("Interrupted: the data were written to the ECU but not verified.");
    case WriteOutcome::Failed:
    case WriteOutcome::Done:
    case WriteOutcome::SessionLost:
        break;
    }
    return QStringLiteral("Interrupted: nothing was written to the ECU.");
}

void keep(const CliTransfer &transfer, const EcuImage &image, HistoryKind kind) {
    if (transfer.history)
        (void)keepInHistory(*transfer.history, image, kind, transfer.port.name, transfer.op);
}

void printLines(const QStringList &lines) {
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

std::optional<CliPort> resolvePort(const QString &portArgument, const SettingsStore &settings,
                                   QString &error) {
    const auto byNumber = [&settings](int portNo) {
        const QString device = serialDeviceName(portNo, settings);
        return CliPort{device, QStringLiteral("COM%1 (%2)").arg(portNo).arg(device)};
    };
    if (portArgument.isEmpty())
        return byNumber(readPortNo(settings));
    static const QRegularExpression comNumber(QStringLiteral("^(?:COM)?([0-9]+)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comNumber.match(portArgument);
    if (!match.hasMatch())
        return CliPort{portArgument, portArgument};
    const int portNo = match.captured(1).toInt();
    if (portNo < FirstPortNo || portNo > LastPortNo) {
        error = QStringLiteral("--port %1: COM numbers run from %2 to %3")
                    .arg(portArgument)
                    .arg(FirstPortNo)
                    .arg(LastPortNo);
        return std::nullopt;
    }
    return byNumber(portNo);
}

int readEcuToFile(const CliTransfer &transfer, const QString &path, bool replace) {
    Operator &op = transfer.op;
    // Checked before the transfer, so that data read are not lost for want of a place.
    const QFileInfo target(path);
    if (target.isDir() || (target.exists() && !replace)) {
        op.tell(target.isDir() ? QStringLiteral("%1 is a folder").arg(path)
                               : QStringLiteral("%1 exists; --force replaces it").arg(path),
                MessageIcon::Critical);
        return ExitUsageOrFile;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir() || !folder.isWritable()) {
        op.tell(QStringLiteral("%1: no folder to write in").arg(folder.filePath()),
                MessageIcon::Critical);
        return ExitUsageOrFile;
    }

    Link link(transfer);
    std::optional<EcuImage> image;
    const bool read = !InterruptSignals::received() &&
                      link.link.EcuDataRead([&image](const EcuImage &data) { image = data; });
    if (InterruptSignals::received()) {
        op.tell(QStringLiteral("Interrupted: nothing was written to %1.").arg(path),
                MessageIcon::Critical);
        return ExitTransferFailed;
    }
    if (!read)
        return ExitTransferFailed;
    keep(transfer, *image, HistoryKind::Read);

    const QString comment =
        QStringLiteral("Read from the ECU on %1 at %2")
            .arg(transfer.port.device,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    const FileWriteResult written =
        writeFileSafely(path, e2pFileContents(*image, E2PComment::fromText(comment)));
    if (!written.ok) {
        op.tell(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), written.error),
                MessageIcon::Critical);
        return ExitUsageOrFile;
    }
    return ExitDone;
}

int writeFileToEcu(const CliTransfer &transfer, const QString &path, bool review) {
    Operator &op = transfer.op;
    const std::optional<OpenOutcome> loaded = loadDataFile(path, op);
    if (!loaded)
        return ExitUsageOrFile;
    const EcuImage &image = loaded->data.image;

    Link link(transfer);
    const QFileInfo file(path);
    const QString verificationPath =
        verificationFilePath(file.absoluteFilePath(), file.absolutePath(), ecuDataName(image));
    WriteOutcome outcome = WriteOutcome::Failed;
    if (review && !InterruptSignals::received()) {
        const ReviewSteps steps{
            [&](const EcuImage &ecu) { keep(transfer, ecu, HistoryKind::BeforeWrite); },
            [&](const EcuImage &ecu, const WriteChanges &changes) {
                printLines(reviewHeading(ecu, image, changes) +
                           writeChangeLines(changes, ecu, loaded->data, TerminalArrow));
                return !InterruptSignals::received() &&
                       op.confirm(QStringLiteral("Write these changes to the ECU?"),
                                  MessageIcon::Question);
            }};
        const ReviewedWrite reviewed =
            reviewAndWrite(link.link, op, image, verificationPath, steps);
        if (reviewed.outcome == ReviewOutcome::NothingToWrite)
            return ExitDone;
        outcome = reviewed.write;
    } else if (!InterruptSignals::received()) {
        outcome = link.link.EcuDataWrite(image, verificationPath);
    }
    // Once the last word was read back the write ends as it would have.
    if (InterruptSignals::received() && outcome != WriteOutcome::Done) {
        op.tell(interruptedWrite(outcome), MessageIcon::Critical);
        return ExitTransferFailed;
    }
    if (outcome != WriteOutcome::Done || !link.link.lastWriteVerified())
        return ExitTransferFailed;
    keep(transfer, image, HistoryKind::Written);
    return ExitDone;
}

int diffWithEcu(const CliTransfer &transfer, const QString &path) {
    const std::optional<OpenOutcome> loaded = loadDataFile(path, transfer.op);
    if (!loaded)
        return ExitUsageOrFile;
    Link link(transfer);
    std::optional<EcuImage> ecu;
    if (InterruptSignals::received() ||
        !link.link.EcuDataRead([&ecu](const EcuImage &read) { ecu = read; }))
        return ExitUsageOrFile;
    keep(transfer, *ecu, HistoryKind::Read);
    const WriteChanges changes = writeChanges(*ecu, loaded->data.image);
    printLines(writeChangeLines(changes, *ecu, loaded->data, TerminalArrow));
    return changes.none() ? ExitDone : ExitFilesDiffer;
}

std::optional<OpenOutcome> loadDataFile(const QString &path, Operator &op) {
    const QFileInfo file(path);
    OpenOutcome loaded = loadE2PFile({file.absoluteFilePath(), file.fileName()}, op);
    if (!loaded.accepted())
        return std::nullopt;
    return loaded;
}
