#include "window/transfer_commands.h"

#include "document/calibration_document.h"
#include "files/e2p_commands.h"
#include "files/history_folder.h"
#include "link/ecu_link.h"
#include "link/qt_serial_port.h"
#include "link/reviewed_write.h"
#include "link/serial_device.h"
#include "link/verification_file_path.h"

#include <utility>

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
    return m_link->isTransferring() || m_reviewing;
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
    keep(read, HistoryKind::Read);
}

void TransferCommands::keep(const EcuImage &image, HistoryKind kind) {
    const int portNo = m_link->portNo();
    const QString port =
        QStringLiteral("COM%1 (%2)").arg(portNo).arg(serialDeviceName(portNo, m_settings));
    (void)keepInHistory(m_history, image, kind, port, m_operator);
}

QString TransferCommands::verificationPath(const EcuImage &image) const {
    // A last file stored as "0" names no file and no folder.
    const auto known = [](const QString &value) { return value == NoLastFile ? QString() : value; };
    return verificationFilePath(known(m_file.filePath), known(m_file.folder), ecuDataName(image));
}

void TransferCommands::writeAgainWhileAsked(const EcuImage &image, const QString &tmpPath,
                                            WriteOutcome outcome) {
    // A write that stopped among the words offers to write the same image again.
    while (outcome == WriteOutcome::WriteAgain)
        outcome = m_link->EcuDataWrite(image, tmpPath, WriteAgainOffer::Yes);
    if (outcome == WriteOutcome::Done && m_link->lastWriteVerified()) {
        keep(image, HistoryKind::Written);
        emit written(image);
    }
}

void TransferCommands::EcuDataWrite() {
    if (isTransferring())
        return;
    const EcuImage image = m_document.image();
    const QString tmpPath = verificationPath(image);
    writeAgainWhileAsked(image, tmpPath,
                         m_link->EcuDataWrite(image, tmpPath, WriteAgainOffer::Yes));
}

void TransferCommands::reviewAndWrite() {
    if (isTransferring() || !m_reviewer)
        return;
    m_reviewing = true;
    const EcuImage image = m_document.image();
    const EcuData written = m_document.data();
    const QString tmpPath = verificationPath(image);
    const ReviewSteps steps{[this](const EcuImage &ecu) { keep(ecu, HistoryKind::BeforeWrite); },
                            [&](const EcuImage &ecu, const WriteChanges &changes) {
                                return m_reviewer(
                                    reviewHeading(ecu, image, changes),
                                    writeChangeLines(changes, ecu, written, WindowArrow));
                            }};
    const ReviewedWrite reviewed =
        ::reviewAndWrite(*m_link, m_operator, image, tmpPath, steps, WriteAgainOffer::Yes);
    m_reviewing = false;
    if (reviewed.outcome == ReviewOutcome::WriteRan)
        writeAgainWhileAsked(image, tmpPath, reviewed.write);
}
