#include "transfer_commands.h"

#include "files/e2p_commands.h"
#include "files/e2p_writer.h"
#include "link/ecu_link.h"
#include "link/qt_serial_port.h"
#include "link/serial_device.h"
#include "link/verification_file_path.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The link on one device, for one transfer, stopped by the signals.
struct Transfer {
    Transfer(const QString &device, Operator &op, const SettingsStore &settings,
             InterruptSignals &interruptions)
        : link(port, op, settings) {
        link.setDeviceName(device);
        QObject::connect(&interruptions, &InterruptSignals::interrupted, &link,
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
        break;
    }
    return QStringLiteral("Interrupted: nothing was written to the ECU.");
}

} // namespace

std::optional<QString> resolvePort(const QString &portArgument, const SettingsStore &settings,
                                   QString &error) {
    if (portArgument.isEmpty())
        return serialDeviceName(readPortNo(settings), settings);
    static const QRegularExpression comNumber(QStringLiteral("^(?:COM)?([0-9]+)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comNumber.match(portArgument);
    if (!match.hasMatch())
        return portArgument;
    const int portNo = match.captured(1).toInt();
    if (portNo < FirstPortNo || portNo > LastPortNo) {
        error = QStringLiteral("--port %1: COM numbers run from %2 to %3")
                    .arg(portArgument)
                    .arg(FirstPortNo)
                    .arg(LastPortNo);
        return std::nullopt;
    }
    return serialDeviceName(portNo, settings);
}

int readEcuToFile(const QString &device, const QString &path, bool replace, Operator &op,
                  const SettingsStore &settings, InterruptSignals &interruptions) {
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

    Transfer transfer(device, op, settings, interruptions);
    std::optional<EcuImage> image;
    const bool read = !InterruptSignals::received() &&
                      transfer.link.EcuDataRead([&image](const EcuImage &data) { image = data; });
    if (InterruptSignals::received()) {
        op.tell(QStringLiteral("Interrupted: nothing was written to %1.").arg(path),
                MessageIcon::Critical);
        return ExitTransferFailed;
    }
    if (!read)
        return ExitTransferFailed;

    const QString comment =
        QStringLiteral("Read from the ECU on %1 at %2")
            .arg(device, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    const FileWriteResult written =
        writeFileSafely(path, e2pFileContents(*image, E2PComment::fromText(comment)));
    if (!written.ok) {
        op.tell(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), written.error),
                MessageIcon::Critical);
        return ExitUsageOrFile;
    }
    return ExitDone;
}

int writeFileToEcu(const QString &device, const QString &path, Operator &op,
                   const SettingsStore &settings, InterruptSignals &interruptions) {
    const QFileInfo file(path);
    const OpenOutcome loaded = loadE2PFile({file.absoluteFilePath(), file.fileName()}, op);
    if (!loaded.accepted())
        return ExitUsageOrFile;

    Transfer transfer(device, op, settings, interruptions);
    const QString verificationPath = verificationFilePath(
        file.absoluteFilePath(), file.absolutePath(), ecuDataName(loaded.data.image));
    const WriteOutcome outcome =
        InterruptSignals::received()
            ? WriteOutcome::Failed
            : transfer.link.EcuDataWrite(loaded.data.image, verificationPath);
    // Once the last word was read back the write ends as it would have.
    if (InterruptSignals::received() && outcome != WriteOutcome::Done) {
        op.tell(interruptedWrite(outcome), MessageIcon::Critical);
        return ExitTransferFailed;
    }
    if (outcome != WriteOutcome::Done || !transfer.link.lastWriteVerified())
        return ExitTransferFailed;
    return ExitDone;
}
