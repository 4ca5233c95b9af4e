#include "window/transfer_commands.h"

#include "document/calibration_document.h"
#include "files/e2p_commands.h"
#include "files/history_folder.h"
#include "link/ecu_link.h"
#include "link/qt_serial_port.h"
#include "link/serial_device.h"
#include "link/verification_file_path.h"

TransferCommands::TransferCommands(CalibrationDocument &document, const E2PFileState &file,
                                   Operator &op, const SettingsStore &settings,
                                   HistoryFolder &history, std::function<bool()> guard,
                                   QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_operator(op)
    , m_settings(settings)
    , m_history(history)
    , m_file(file)
    , m_guard(std::move(guard))
    , m_port(std::make_unique<QtSerialPort>())
    , m_link(std::make_unique<EcuLink>(*m_port, op, settings)) {
    connect(m_link.get(), &EcuLink::progress, this, &TransferCommands::progress);
}

TransferCommands::~TransferCommands() = default;

bool TransferCommands::isTransferring() const {
    return m_link->isTransferring();
}

void TransferCommands::setPortNo(int portNo) {
    m_link->setPortNo(portNo);
}

void TransferCommands::EcuDataRead() {
    if (isTransferring() || !m_guard())
        return;
    EcuImage read;
    if (!m_link->EcuDataRead([this, &read](const EcuImage &image) {
            read = image;
            emit imageRead(image);
        })) {
        emit readFailed();
        return;
    }
    keepInHistory(read, true);
}

void TransferCommands::keepInHistory(const EcuImage &image, bool read) {
    const int portNo = m_link->portNo();
    const QString port =
        QStringLiteral("COM%1 (%2)").arg(portNo).arg(serialDeviceName(portNo, m_settings));
    const HistoryFolder::Saved saved =
        m_history.keep(image, read ? HistoryKind::Read : HistoryKind::Written, port);
    if (!saved.ok)
        m_operator.tell(
            QStringLiteral("The calibration %1 could not be kept in the history:\n%2")
                .arg(read ? QStringLiteral("read") : QStringLiteral("written"), saved.error),
            MessageIcon::Exclamation);
}

void TransferCommands::EcuDataWrite() {
    if (isTransferring())
        return;
    // A last file stored as "0" names no file and no folder.
    const auto known = [](const QString &value) { return value == NoLastFile ? QString() : value; };
    const EcuImage image = m_document.image();
    const QString tmpPath =
        verificationFilePath(known(m_file.filePath), known(m_file.folder), ecuDataName(image));
    // A write that stopped among the words offers to write the same image again.
    while (m_link->EcuDataWrite(image, tmpPath, WriteAgainOffer::Yes) == WriteOutcome::WriteAgain) {
    }
    if (m_link->lastWriteVerified())
        keepInHistory(image, false);
}
