#pragma once

#include "files/operator.h"
#include "files/settings_store.h"
#include "image/ecu_image.h"
#include "link/frames.h"
#include "link/serial_port.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

class QEventLoop;

// How a write ended.
enum class WriteOutcome {
    Failed,        // before the marker was made invalid: the ECU holds what it held
    PartlyWritten, // among the word writes: a mixed calibration with an invalid marker
    WriteAgain,    // PartlyWritten, and the person chose "Write again"
    NotVerified,   // every word was written, but reading them back failed
    Done,          // as far as the comparison; lastWriteVerified() says what it found
    SessionLost,   // on a session kept from a read the ECU no longer answered: nothing written,
                   // nothing told, the port closed
};

// What a read does with the port when it succeeded: closes it, or keeps it open with the ECU in
// its data transmission mode for the write that follows ("Review and Write").
enum class AfterRead { ClosePort, KeepSession };

// Whether the message of a write that ends among the word writes offers "Write again".
enum class WriteAgainOffer { No, Yes };

// The link to the ECU: the handshake that shifts the ECU into its data transmission mode,
// reading the whole image and writing it back with verification.
//
// A transfer runs on the caller's thread. Its waits run a local event loop that wakes on data,
// the watchdog, line events and deadlines, so the window keeps painting while the link uses
// almost no CPU. Every prompt and message goes through the Operator; the link never touches a
// widget and reports its outcome by its results and signals.
class EcuLink : public QObject {
    Q_OBJECT
public:
    EcuLink(SerialPort &port, Operator &op, const SettingsStore &settings,
            QObject *parent = nullptr);
    ~EcuLink() override;

    // PortNo, 1..16: the next handshake opens the device it names (serial_device.h).
    void setPortNo(int portNo);
    [[nodiscard]] int portNo() const;
    // A device the next handshakes open instead of the one PortNo names; empty: PortNo's.
    void setDeviceName(const QString &deviceName);

    // Reads all 224 words into a fresh image. Only when every word was read and the marker is
    // "QZ3ROK": closes the port, calls onRead(image), then tells "ECU Data Read ended." and
    // returns true. Otherwise every message has been told, the port is closed, and it returns
    // false without touching anything of the caller.
    // Kept session: the port stays open instead, and "ECU Data Read ended." is not told (the
    // review follows at once); endSession() or the next write ends it.
    bool EcuDataRead(const std::function<void(const EcuImage &)> &onRead,
                     AfterRead after = AfterRead::ClosePort);
    // Product-code check, marker invalidation, 211 word writes, the read-back, verification
    // file at verificationPath, comparison. Done when it got as far as the comparison,
    // whatever the comparison found; "ECU Data setting ended." only when the file was written
    // and the data match, else the file's or the comparison's message is the last word. A
    // failure among the word writes has the message's detail say that the ECU holds a partly
    // written calibration, and offers "Write again" beside OK when asked to; writing again is
    // the caller's part. A failure of the read-back has its detail say that the data were
    // written but not verified.
    //
    // On a session kept from a read there is no new handshake and no prompt: the ECU stays in
    // its data transmission mode until the next greeting, as no frame ends it. When it no longer
    // answers the first request (switched off, cable pulled, adapter gone), the write ends with
    // SessionLost before anything is written, and a new handshake is the caller's part.
    WriteOutcome EcuDataWrite(const EcuImage &image, const QString &verificationPath,
                              WriteAgainOffer offer = WriteAgainOffer::No);
    // Whether a read kept its session (the port may have gone since).
    [[nodiscard]] bool hasSession() const { return m_sessionKept; }
    // Closes the port of a kept session.
    void endSession();
    // True when the last write wrote its verification file and the ECU holds the image.
    [[nodiscard]] bool lastWriteVerified() const { return m_writeVerified; }

    // False after a cancelled prompt, a failed handshake or the watchdog.
    [[nodiscard]] bool linkContinue() const { return m_linkContinue; }
    // The bytes last received, and the request last sent by a read or write, as hex text.
    [[nodiscard]] QString rxHex() const { return m_rxHex; }
    [[nodiscard]] QString txHex() const { return m_txHex; }
    // True from the start of a read or write until it returns.
    [[nodiscard]] bool isTransferring() const { return m_transferring; }

    // Stops the transfer under way, telling nothing: the caller knows why it asked. A write
    // request in flight is answered first (within its wait's bound), so that what the ECU
    // holds is known; any other exchange, which changes nothing in the ECU, is abandoned at
    // once, as is everything on a second call. The transfer then ends as after a cancelled
    // prompt. For a slot that runs during the waits, e.g. on a signal of the system.
    void interrupt();

    // The handshake's two stages must finish within this time of the port's opening.
    static constexpr int WatchdogMs = 2000;
    // After the handshake a wait that has not got its bytes within this time ends the transfer.
    static constexpr int ReceptionBoundMs = 1000;
    // The handshake greets the ECU once the line has been quiet this long.
    static constexpr int QuietLineMs = 20;
    // A word whose replies fail the checksum this many times ends the transfer.
    static constexpr int ChecksumRetryLimit = 4;
    static constexpr int ReadProgressTotal = EcuWordCount;                // 224
    static constexpr int WrittenWordCount = 211;                          // all but protected
    static constexpr int WriteProgressTotal = 2 + 1 + 211 + EcuWordCount; // 438

signals:
    // Words done of the words in all (read: 224; write: 2 + 1 + 211 + 224).
    void progress(int done, int total);

private:
    enum class Exchange {
        Done,
        Failed,  // its message has been told
        Stopped, // linkContinue turned false; nothing more to tell
    };

    // How far a write got, for what a failure's message says of the ECU.
    enum class WritePhase { Untouched, PartlyWritten, AllWritten };

    // The watchdog and a wait's bound, stopped while a box is open.
    struct PausedTimers {
        int watchdogMs = -1; // time left; -1 when it was not running
        int boundMs = -1;
    };

    void runHandshake();
    [[nodiscard]] std::optional<QString> openAndSetUpPort();
    bool handshakeStage(HandshakeStage stage);
    void failHandshake(const QString &message, const QString &detail);
    void handshakeEpilogue();
    void onWatchdogExpired();

    // Sends the bytes a frame text stands for (the handshake's greetings).
    void sendFrameText(const QString &frameText);
    // Sends a request and keeps its text as txHex.
    void sendRequest(const QByteArray &frame);
    // Waits for count bytes and takes them as rxHex; false when they did not come.
    bool receive(int count);
    // boundMs: how long to wait at most; -1: the watchdog's time in the handshake, after it
    // ReceptionBoundMs.
    bool waitForBytes(int count, int boundMs = -1);
    // True, with linkContinue cleared, once interrupt() was called: checked before each request.
    bool stopRequested();
    void wake();
    void onReadyRead();
    void onCommEvent(int eventCode);

    // Every message of a transfer goes through these. While the box is open the person reads
    // it: the watchdog and the wait's bound stand still, so that no timer adds a message of its
    // own, and the time the box stays open never counts as the ECU's silence.
    void tell(const QString &text, MessageIcon icon, const QString &detail = {});
    int ask(const Question &question);
    PausedTimers pauseTimers();
    void resumeTimers(const PausedTimers &paused);

    Exchange missing(const QString &message);
    void tellFailure(const QString &message);
    [[nodiscard]] QString portReason() const;
    WriteOutcome endFailedWrite();
    Exchange readWord(int wordAddress, QByteArray &reply);
    Exchange writeWord(int wordAddress, std::uint8_t data1, std::uint8_t data2);
    Exchange readAllWords(EcuImage &into, int &done, int total);
    // True when the file was written and the data match.
    bool verifyWrite(const EcuImage &image, const EcuImage &readBack,
                     const QString &verificationPath);

    // Begins a transfer and runs the handshake, or goes on on a kept session. False when another
    // transfer runs, or when the handshake did not succeed (the transfer has then ended).
    // onKeptSession: the ECU may still be in its data transmission mode from a read (a write
    // after a review); otherwise a kept session ends first.
    bool startTransfer(bool onKeptSession = false);
    void enableWindow();
    void closePort();
    void endTransfer();
    // Ends the transfer but leaves the port open for the next.
    void keepSession();

    SerialPort &m_port;
    Operator &m_op;
    const SettingsStore &m_settings;
    QTimer m_watchdog;
    QTimer m_receptionBound;
    bool m_boundExpired = false;
    int m_portNo = 1;
    QString m_deviceName;
    bool m_writeVerified = false;
    bool m_linkContinue = true;
    QString m_rxHex;
    QString m_txHex;
    QEventLoop *m_waitLoop = nullptr;
    qint64 m_waitCount = 0;
    bool m_transferring = false;
    bool m_sessionKept = false;
    bool m_onKeptSession = false; // the transfer under way goes on from a kept session
    bool m_busy = false;
    int m_interruptRequests = 0;
    WritePhase m_writePhase = WritePhase::Untouched;
    WriteAgainOffer m_writeAgainOffer = WriteAgainOffer::No;
    bool m_writeAgainChosen = false;
};
