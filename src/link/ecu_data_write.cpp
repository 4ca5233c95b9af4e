#include "ecu_link.h"
#include "files/e2p_writer.h"
#include "files/file_writing.h"
#include "image/ecu_layout.h"
#include "link_texts.h"

#include <QDir>
#include <utility>

WriteOutcome EcuLink::EcuDataWrite(const EcuImage &image, const QString &verificationPath,
                                   WriteAgainOffer offer) {
    m_writeVerified = false;
    if (!startTransfer(true))
        return WriteOutcome::Failed;
    m_writeAgainOffer = offer;
    m_writeAgainChosen = false;
    int done = 0;
    emit progress(done, WriteProgressTotal);

    // The product code: the first four marker characters, from words 0xFD and 0xFE. The last
    // two are not examined, so an ECU whose last write was interrupted still passes.
    QString productCode;
    for (int wordAddress : {0xFD, 0xFE}) {
        QByteArray reply;
        const Exchange read = readWord(wordAddress, reply);
        // The first request on a kept session tells whether the ECU is still in its data mode.
        if (read == Exchange::Failed && std::exchange(m_onKeptSession, false)) {
            endTransfer();
            return WriteOutcome::SessionLost;
        }
        m_onKeptSession = false;
        if (read != Exchange::Done)
            return endFailedWrite();
        productCode += QChar(static_cast<char16_t>(static_cast<std::uint8_t>(reply.at(5))));
        productCode += QChar(static_cast<char16_t>(static_cast<std::uint8_t>(reply.at(4))));
        emit progress(++done, WriteProgressTotal);
    }
    if (productCode != EcuMarker.left(4)) {
        tell(EcuDataTypeIncorrect, MessageIcon::Critical);
        return endFailedWrite();
    }

    // The marker is invalid while the ECU holds a mix of old and new words; the last word
    // written, 0xFF, brings the image's marker back. Whether the ECU took a word whose answer
    // went wrong is unknown, so the mix begins with the marker's request.
    m_writePhase = WritePhase::PartlyWritten;
    if (writeWord(MarkerWordAddress, InvalidMarker1, InvalidMarker2) != Exchange::Done)
        return endFailedWrite();
    emit progress(++done, WriteProgressTotal);

    for (int offset = 0; offset < EcuImageSize; offset += 2) {
        if (isProtectedOffset(offset))
            continue;
        if (writeWord(EcuImage::wordAddressOf(offset), image.byte(offset),
                      image.byte(offset + 1)) != Exchange::Done)
            return endFailedWrite();
        emit progress(++done, WriteProgressTotal);
    }
    m_writePhase = WritePhase::AllWritten;

    EcuImage readBack;
    readBack.fill(0xFF);
    if (readAllWords(readBack, done, WriteProgressTotal) != Exchange::Done)
        return endFailedWrite();

    m_writeVerified = verifyWrite(image, readBack, verificationPath);
    endTransfer();
    // After a comparison or a verification file that failed, their message is the last word.
    if (m_writeVerified)
        tell(EcuDataSettingEnded, MessageIcon::None);
    return WriteOutcome::Done;
}

WriteOutcome EcuLink::endFailedWrite() {
    endTransfer();
    switch (std::exchange(m_writePhase, WritePhase::Untouched)) {
    case WritePhase::Untouched:
        break;
    case WritePhase::PartlyWritten:
        return m_writeAgainChosen ? WriteOutcome::WriteAgain : WriteOutcome::PartlyWritten;
    case WritePhase::AllWritten:
        return WriteOutcome::NotVerified;
    }
    return WriteOutcome::Failed;
}

bool EcuLink::verifyWrite(const EcuImage &image, const EcuImage &readBack,
                          const QString &verificationPath) {
    // A verification file that cannot be written is told; the comparison still runs. It is
    // always a new regular file: a link planted at its path is replaced, never written through.
    const FileWriteResult written = replaceWithNewFile(verificationPath, hexRecords(readBack));
    if (!written.ok) {
        tell(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(verificationPath), written.error),
            MessageIcon::Critical);
    }

    for (int offset = 0; offset < EcuImageSize; ++offset) {
        if (isProtectedOffset(offset))
            continue;
        if (image.byte(offset) != readBack.byte(offset)) {
            tell(ComparisonDataIncorrect +
                     QString::number(EcuImage::fileAddressOf(offset), 16).toUpper(),
                 MessageIcon::Critical);
            return false;
        }
    }
    return written.ok;
}
