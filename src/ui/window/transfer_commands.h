#pragma once

#include "image/ecu_image.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class CalibrationDocument;
class EcuLink;
enum class HistoryKind;
enum class WriteOutcome;
class HistoryFolder;
class Operator;
class QtSerialPort;
class SettingsStore;
struct E2PFileState;

// "Data Read", "Data Write" and "Review and Write": the serial port and the link to the ECU, with
// the question before a read discards modified data. Every calibration read or written goes
// into the history folder, and so does the ECU's before a reviewed write.
class TransferCommands : public QObject {
    Q_OBJECT
public:
    // op shows the link's messages and the window's busy state; guard asks before a read
    // discards modified data (true: go on).
    TransferCommands(CalibrationDocument &document, const E2PFileState &file, Operator &op,
                     const SettingsStore &settings, HistoryFolder &history,
                     std::function<bool()> guard, QObject *parent = nullptr);
    ~TransferCommands() override;

    [[nodiscard]] QtSerialPort &serialPort() { return *m_port; }
    [[nodiscard]] EcuLink &link() { return *m_link; }
    // True while a read or write runs.
    [[nodiscard]] bool isTransferring() const;
    void setPortNo(int portNo);

    void EcuDataRead();
    void EcuDataWrite();
    // Reads the ECU, shows what a write changes there through the reviewer and writes when it
    // says so.
    void reviewAndWrite();
    // Shows the review's heading and change lines; true to write.
    using Reviewer = std::function<bool(const QStringList &heading, const QStringList &changes)>;
    void setReviewer(Reviewer reviewer) { m_reviewer = std::move(reviewer); }

signals:
    // Words done of the words in all.
    void progress(int done, int total);
    // A read got the ECU's image, before "ECU Data Read ended." is told: the window shows it.
    void imageRead(const EcuImage &image);
    // A read did not get the ECU's data; its messages have been told.
    void readFailed();
    // A write was verified: the ECU holds the image.
    void written(const EcuImage &image);

private:
    // Keeps the image in the history; a failure is told after the transfer's own message and
    // changes nothing of the transfer.
    void keep(const EcuImage &image, HistoryKind kind);
    // Writes until the write ends otherwise than stopped among the words with "Write again".
    void writeAgainWhileAsked(const EcuImage &image, const QString &verificationPath,
                              WriteOutcome outcome);
    [[nodiscard]] QString verificationPath(const EcuImage &image) const;

    CalibrationDocument &m_document;
    Operator &m_operator;
    const SettingsStore &m_settings;
    HistoryFolder &m_history;
    const E2PFileState &m_file;
    std::function<bool()> m_guard;
    std::unique_ptr<QtSerialPort> m_port;
    std::unique_ptr<EcuLink> m_link;
    Reviewer m_reviewer;
    bool m_reviewing = false;
};
