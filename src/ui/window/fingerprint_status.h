#pragma once

#include <QLabel>

class CalibrationDocument;

// The status line's fingerprint of the data shown: after an open, a read or a verified write
// what it was and the CRC-32 ("Opened SAMPLE.E2P: CRC-32 1A2B3C4D"); once an edit changed the
// data, their CRC-32 alone, until they are those of that moment again. Empty without data.
class FingerprintStatus : public QLabel {
    Q_OBJECT
public:
    explicit FingerprintStatus(const CalibrationDocument &document, QWidget *parent = nullptr);

    // What just happened to the data shown.
    void noteEvent(const QString &what);

signals:
    void shownChanged(bool shown);

private:
    void refresh();

    const CalibrationDocument &m_document;
    QString m_event;
    QString m_eventCrc;
};
