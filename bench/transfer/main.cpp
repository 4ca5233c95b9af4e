// Transfer benchmark: times a full write with verification and a full read against the paced
// simulator (the ecu-sim program), and a full read against the unpaced simulator in-process.
// A real ECU is read and written with qz3rok-cli.
//
// Usage: transfer [--image FILE.E2P]
//
// Prints one "name: value" line per figure. The line time counts 10 bits a byte at 9600 baud
// for the bytes that must cross the half-duplex line (the echo overlaps its request):
// a read is 224 x (6 + 7) bytes, a write (2 + 224) x 13 + (1 + 211) x 13, each plus
// 2 x (11 + 8) for the handshake. Exits non-zero when a transfer fails or the read-back
// differs from the image outside the protected areas.

#include "ecu_sim_runner.h"
#include "files/e2p_reader.h"
#include "image/ecu_layout.h"
#include "link/ecu_link.h"
#include "link/link_texts.h"
#include "link/qt_serial_port.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <optional>

namespace {

constexpr double SecondsPerByte = 10.0 / 9600.0;
constexpr int HandshakeBytes = 2 * (11 + 8);
constexpr int ReadLineBytes = 224 * (6 + 7) + HandshakeBytes;
constexpr int WriteLineBytes = (2 + 224) * 13 + (1 + 211) * 13 + HandshakeBytes;

double cpuSeconds(clockid_t clock) {
    timespec t{};
    ::clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Answers the prompts and clocks a transfer from the last prompt to its closing message.
class BenchOperator : public Operator {
public:
    void tell(const QString &text, MessageIcon icon, const QString &detail = {}) override {
        if (text == EcuDataReadEnded || text == EcuDataSettingEnded) {
            m_wallSeconds = static_cast<double>(m_clock.nsecsElapsed()) * 1e-9;
            m_processCpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - m_processCpuStart;
            m_ended = true;
        }
        if (icon != MessageIcon::None || !m_ended)
            std::cerr << "message: " << text.toStdString() << '\n';
        if (!detail.isEmpty())
            std::cerr << "  " << detail.toStdString() << '\n';
    }
    bool confirm(const QString &, MessageIcon) override {
        m_clock.start();
        m_processCpuStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        return true;
    }
    int ask(const Question &question) override {
        std::cerr << "message: " << question.text.toStdString() << '\n';
        if (!question.detail.isEmpty())
            std::cerr << "  " << question.detail.toStdString() << '\n';
        return question.escapeIndex();
    }
    void setBusy(bool) override {}

    void reset() { m_ended = false; }
    [[nodiscard]] bool ended() const { return m_ended; }
    [[nodiscard]] double wallSeconds() const { return m_wallSeconds; }
    [[nodiscard]] double processCpuSeconds() const { return m_processCpu; }

private:
    QElapsedTimer m_clock;
    double m_processCpuStart = 0;
    double m_wallSeconds = 0;
    double m_processCpu = 0;
    bool m_ended = false;
};

void print(const char *name, double value, const char *unit = "") {
    std::printf("%s: %.3f%s\n", name, value, unit);
    std::fflush(stdout);
}

// One transfer's figures against its line time.
void report(const char *what, const BenchOperator &op, int lineBytes) {
    const double lineSeconds = lineBytes * SecondsPerByte;
    const std::string prefix(what);
    print((prefix + " line time ms").c_str(), lineSeconds * 1e3);
    print((prefix + " wall time ms").c_str(), op.wallSeconds() * 1e3);
    print((prefix + " ratio").c_str(), op.wallSeconds() / lineSeconds);
    print((prefix + " cpu share").c_str(), 100.0 * op.processCpuSeconds() / op.wallSeconds(), " %");
}

// The link on port 1, which names the device in a private settings file.
struct Bench {
    explicit Bench(const QString &device)
        : settings(dir.filePath(QStringLiteral("bench.ini")))
        , link(port, op, settings) {
        settings.writeText(CommProtSection, QStringLiteral("COM1"), device);
        link.setPortNo(1);
    }

    std::optional<EcuImage> read() {
        op.reset();
        std::optional<EcuImage> image;
        if (!link.EcuDataRead([&image](const EcuImage &read) { image = read; }))
            return std::nullopt;
        return image;
    }
    bool write(const EcuImage &image) {
        op.reset();
        return link.EcuDataWrite(image, dir.filePath(QStringLiteral("bench.TMP"))) ==
                   WriteOutcome::Done &&
               op.ended();
    }

    QTemporaryDir dir;
    BenchOperator op;
    SettingsStore settings;
    QtSerialPort port;
    EcuLink link;
};

bool sameOutsideProtected(const EcuImage &a, const EcuImage &b) {
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        if (!isProtectedOffset(offset) && a.byte(offset) != b.byte(offset))
            return false;
    }
    return true;
}

// Writes the image, reads it back, and reports both.
int writeAndRead(Bench &bench, const EcuImage &image, const char *label) {
    if (!bench.write(image)) {
        std::fprintf(stderr, "transfer: the %s write failed\n", label);
        return 1;
    }
    report((std::string(label) + " write").c_str(), bench.op, WriteLineBytes);
    const std::optional<EcuImage> read = bench.read();
    if (!read) {
        std::fprintf(stderr, "transfer: the %s read failed\n", label);
        return 1;
    }
    report((std::string(label) + " read").c_str(), bench.op, ReadLineBytes);
    if (!sameOutsideProtected(*read, image)) {
        std::fprintf(stderr, "transfer: the data read back differ from the image\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times full ECU transfers against the paced and the unpaced simulator."));
    parser.addHelpOption();
    const QCommandLineOption imageFile(QStringLiteral("image"),
                                       QStringLiteral("The image to write (default: the sample)."),
                                       QStringLiteral("FILE.E2P"), QStringLiteral(ECU_SAMPLE_FILE));
    parser.addOption(imageFile);
    parser.process(app);

    const E2PReadResult loaded = readE2PFile(parser.value(imageFile));
    if (!loaded.ok) {
        std::fprintf(stderr, "transfer: %s: %s\n", qPrintable(parser.value(imageFile)),
                     qPrintable(loaded.message));
        return 1;
    }
    const EcuImage &image = loaded.image;

    // The paced simulator runs as a process of its own, as an ECU would be a device of its
    // own: the process CPU time measured here is the tool's alone.
    QTemporaryDir simDir;
    const QString link = simDir.filePath(QStringLiteral("ttyECU"));
    QProcess pacedSim;
    pacedSim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    pacedSim.start(QStringLiteral(ECU_SIM_PROGRAM),
                   {QStringLiteral("--link"), link, QStringLiteral("--paced")});
    if (!pacedSim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "transfer: the simulator did not start\n");
        return 1;
    }
    int failed = 0;
    {
        Bench pacedBench(link);
        failed = writeAndRead(pacedBench, image, "paced");
    }
    pacedSim.terminate();
    pacedSim.waitForFinished(5000);
    if (failed)
        return failed;

    EcuSimRunner fastSim(image);
    Bench fastBench(fastSim.devicePath());
    if (!fastBench.read()) {
        std::fprintf(stderr, "transfer: the unpaced read failed\n");
        return 1;
    }
    print("unpaced read ms", fastBench.op.wallSeconds() * 1e3);
    return 0;
}
