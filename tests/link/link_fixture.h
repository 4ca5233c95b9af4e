#pragma once

#include "ecu_sim_runner.h"
#include "files/settings_store.h"
#include "image/ecu_layout.h"
#include "link/ecu_link.h"
#include "link/link_texts.h"
#include "link/qt_serial_port.h"
#include "recording_operator.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <random>

// A RecordingOperator that also notes, of the last message told, how long after the last prompt
// it came (ms) and whether the window was busy then. With holdBoxMs it leaves each critical
// message open that long, running the events as a message box does.
class TimedOperator : public RecordingOperator {
public:
    void tell(const QString &text, MessageIcon icon, const QString &detail = {}) override {
        RecordingOperator::tell(text, icon, detail);
        msAfterPrompt = m_sincePrompt.isValid() ? m_sincePrompt.elapsed() : -1;
        busyWhenTold = !busyChanges.isEmpty() && busyChanges.back();
        if (holdBoxMs > 0 && icon == MessageIcon::Critical) {
            QEventLoop box;
            QTimer::singleShot(holdBoxMs, &box, &QEventLoop::quit);
            box.exec();
        }
    }
    bool confirm(const QString &text, MessageIcon icon) override {
        m_sincePrompt.start();
        return RecordingOperator::confirm(text, icon);
    }
    qint64 msAfterPrompt = -1;
    bool busyWhenTold = false;
    int holdBoxMs = 0;

private:
    QElapsedTimer m_sincePrompt;
};

// Names data-driven cases by their name member.
struct ByName {
    template <typename P>
    std::string operator()(const testing::TestParamInfo<P> &param) const {
        return param.param.name;
    }
};

inline const ToldMessage IgnitionOffPrompt{IgnitionSwitchOff, MessageIcon::Exclamation, true};
inline const ToldMessage IgnitionOnPrompt{SwitchOnIgnition, MessageIcon::Exclamation, true};

inline ToldMessage critical(const QString &text, const QString &detail = {}) {
    return {text, MessageIcon::Critical, false, detail};
}

inline ToldMessage plain(const QString &text) {
    return {text, MessageIcon::None, false};
}

// A fault, as one member of the faults set to a value.
template <typename T, typename V>
SimFaults with(T SimFaults::*fault, V value) {
    SimFaults faults;
    faults.*fault = value;
    return faults;
}

// The first count replies for a word come with a bad checksum.
inline SimFaults badChecksums(int count, int word) {
    SimFaults faults = with(&SimFaults::badChecksums, count);
    faults.badChecksumWord = word;
    return faults;
}

// The n-th data frame of a transfer: in a write 1-2 product code, 3 marker, 4-214 words and
// 215-438 read-back; or a stage of the handshake.
inline FaultPoint frame(int n) {
    return {FaultPoint::Kind::DataFrame, n};
}
inline const FaultPoint AtB{FaultPoint::Kind::StageB}, AtC{FaultPoint::Kind::StageC};
// The faults the tables set most, for with().
constexpr auto ChangedEcho = &SimFaults::changeEchoByte, LostEcho = &SimFaults::loseEchoByte;
constexpr auto SilentAt = &SimFaults::silentAt, WrongAnswer = &SimFaults::wrongAnswerAt;
constexpr auto SilentAfter = &SimFaults::silentAfter, HangupAfter = &SimFaults::hangupAfter;

// A transfer that fails on a fault with one message, told at once (0) or when a wait's bound
// ran out: 2000 ms the handshake's watchdog, 1000 ms any wait after the handshake. Held open,
// the message stays open past the watchdog and every bound, and is still the only one.
struct FailureCase {
    const char *name;
    SimFaults faults;
    QString message;
    int boundMs;
    bool heldOpen = false;
};
constexpr bool HeldOpen = true;
constexpr int PastTheWatchdogMs = EcuLink::WatchdogMs + 300;

// The port over the pseudo-terminal; the refuse-th setting of the line the link asks for after
// opening it (1 baud, 2 data bits, 3 parity, 4 stop bits, 5 flow control) fails.
class TestPort : public QtSerialPort {
public:
    int refuse = 0;
    bool open() override { return (m_asked = 0, QtSerialPort::open()); }
    bool setBaudRate(qint32 r) override { return ok() && QtSerialPort::setBaudRate(r); }
    bool setDataBits(int n) override { return ok() && QtSerialPort::setDataBits(n); }
    bool setParity(char p) override { return ok() && QtSerialPort::setParity(p); }
    bool setStopBits(int n) override { return ok() && QtSerialPort::setStopBits(n); }
    bool setNoFlowControl() override { return ok() && QtSerialPort::setNoFlowControl(); }
    QString errorString() const override {
        return refuse > 0 && m_asked == refuse ? QStringLiteral("Invalid argument")
                                               : QtSerialPort::errorString();
    }

private:
    bool ok() { return ++m_asked != refuse; }
    int m_asked = 0;
};

// A random image with the right marker and name.
inline EcuImage markedImage(unsigned seed) {
    std::mt19937 random(seed);
    EcuImage image;
    for (int offset = 0; offset < EcuImageSize; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>(random() & 0xFF));
    setEcuDataName(image, QStringLiteral("SEED%1").arg(seed));
    const QByteArray swapped = QByteArrayLiteral("ZQR3KO");
    for (int i = 0; i < 6; ++i)
        image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>(swapped[i]));
    return image;
}

// The link on port 3 over a real pseudo-terminal, with the simulator on its own thread
// behind a symlink, as a user's [CommProt] COM3 setting would name it.
class LinkTest : public testing::Test {
protected:
    static constexpr int PortNo = 3;

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s.ini")));
        m_link = std::make_unique<EcuLink>(m_port, m_operator, *m_settings);
        m_link->setPortNo(PortNo);
        QObject::connect(m_link.get(), &EcuLink::progress, [this](int done, int total) {
            m_progress.push_back({done, total});
        });
    }

    // Paced, the simulator takes a byte's time on the line for each byte.
    void startSim(const EcuImage &memory, const SimFaults &faults = {}, bool paced = false) {
        m_sim = std::make_unique<EcuSimRunner>(
            memory, EcuSimConfig{paced, m_dir.filePath(QStringLiteral("ttyECU")), faults});
        ASSERT_TRUE(m_sim->isRunning()) << m_sim->errorString().toStdString();
        m_settings->writeText(CommProtSection, QStringLiteral("COM%1").arg(PortNo),
                              m_sim->devicePath());
        m_port.setLineStatusProbe(m_sim->lineStatusProbe());
    }

    bool read() {
        m_read.reset();
        return m_link->EcuDataRead([this](const EcuImage &image) { m_read = image; });
    }

    [[nodiscard]] QString verificationPath() const {
        return m_dir.filePath(QStringLiteral("race1.TMP"));
    }

    WriteOutcome write(const EcuImage &image, WriteAgainOffer offer = WriteAgainOffer::No) {
        return m_link->EcuDataWrite(image, verificationPath(), offer);
    }

    // The detail of a message told after the simulator hung up: the device and the reason.
    [[nodiscard]] QString hangupDetail(const SimFaults &faults) const {
        return faults.hangupAfter
                   ? m_sim->devicePath() +
                         QStringLiteral(": the device went away (unplugged or switched off)")
                   : QString();
    }

    // Whatever happened: the port is closed, the window enabled once, the link idle.
    void expectIdle() const {
        EXPECT_FALSE(m_port.isOpen());
        EXPECT_EQ(m_operator.busyChanges, (QList<bool>{true, false}));
        EXPECT_FALSE(m_link->isTransferring());
    }

    // The messages after the two prompts.
    [[nodiscard]] QList<ToldMessage> messagesAfterPrompts() const {
        EXPECT_EQ(m_operator.messages.mid(0, 2), (QList{IgnitionOffPrompt, IgnitionOnPrompt}));
        return m_operator.messages.mid(2);
    }

    // The last message came when a wait's bound ran out (boundMs), or well before (0).
    void expectToldAfterBound(int boundMs) const {
        const qint64 ms = m_operator.msAfterPrompt;
        EXPECT_TRUE(boundMs ? ms >= boundMs * 9 / 10 && ms <= 4000 : ms < 900) << ms;
    }

    void resetOperator() {
        m_operator = TimedOperator();
        m_progress.clear();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    TestPort m_port;
    TimedOperator m_operator;
    std::unique_ptr<EcuLink> m_link;
    std::unique_ptr<EcuSimRunner> m_sim;
    std::optional<EcuImage> m_read;
    QList<std::pair<int, int>> m_progress;
};

// The image's bytes with the protected areas taken from another.
inline EcuImage withProtectedFrom(EcuImage image, const EcuImage &source) {
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        if (isProtectedOffset(offset))
            image.setByte(offset, source.byte(offset));
    }
    return image;
}
