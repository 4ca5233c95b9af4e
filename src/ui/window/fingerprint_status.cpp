#include "window/fingerprint_status.h"

#include "document/calibration_document.h"
#include "image/image_fingerprint.h"

FingerprintStatus::FingerprintStatus(const CalibrationDocument &document, QWidget *parent)
    : QLabel(parent)
    , m_document(document) {
    setObjectName(QStringLiteral("FingerprintStatus"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(&document, &CalibrationDocument::bytesChanged, this, &FingerprintStatus::refresh);
    connect(&document, &CalibrationDocument::dataReplaced, this, &FingerprintStatus::refresh);
}

void FingerprintStatus::noteEvent(const QString &what) {
    m_event = what;
    m_eventCrc = imageCrc32(m_document.image());
    refresh();
}

void FingerprintStatus::refresh() {
    const bool wasShown = !text().isEmpty();
    QString shown;
    if (m_document.hasData()) {
        const QString crc = imageCrc32(m_document.image());
        shown = QStringLiteral("CRC-32 ") + crc;
        if (crc == m_eventCrc && !m_event.isEmpty())
            shown = m_event + QStringLiteral(": ") + shown;
    }
    setText(shown);
    if (wasShown != !shown.isEmpty())
        emit shownChanged(!shown.isEmpty());
}
