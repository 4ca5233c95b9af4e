#include "transfer_commands.h"

#include "document/calibration_document.h"
#include "files/e2p_commands.h"
#include "link/ecu_link.h"
#include "link/qt_serial_port.h"
#include "link/tmp_path.h"

TransferCommands::TransferCommands(CalibrationDocument &document, const E2PFileState &file,
                                   Operator &op, const SettingsStore &settings,
                                   std::function<bool()> guard, QObject *parent)
    : QObject(parent)
    , m_document(document)
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
    if (!m_link->EcuDataRead([this](const EcuImage &image) { emit imageRead(image); }))
        emit readFailed();
}

void TransferCommands::EcuDataWrite() {
    if (isTransferring())
        return;
    // A last file stored as "0" names no file and no folder.
    const auto known = [](const QString &value) { return value == NoLastFile ? QString() : value; };
    const EcuImage image = m_document.image();
    (void)m_link->EcuDataWrite(
        image, TmpPath(known(m_file.E2PFilePath), known(m_file.E2PFileDir), EcuDataName(image)));
}
