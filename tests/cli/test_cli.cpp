#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "image/hexdata_conv.h"
#include "link_fixture.h"
#include "sim_memory.h"

#include <QProcess>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// qz3rok-cli as a user runs it, with its own settings folder; the simulator on a
// pseudo-terminal behind a symlink, which [CommProt] COM3 names.
class Cli : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void startSim(const EcuImage &memory, const SimFaults &faults = {}) {
        EcuSimConfig config;
        config.linkPath = path("ttyECU");
        config.faults = faults;
        m_sim = std::make_unique<EcuSimRunner>(memory, config);
        ASSERT_TRUE(m_sim->isRunning()) << m_sim->errorString().toStdString();
        SettingsStore settings(path("config/QZ3ROK/QZ3ROK.ini"));
        settings.writeText(CommProtSection, QStringLiteral("COM3"), m_sim->devicePath());
    }

    CliRun run(const QStringList &arguments, const QByteArray &input = {}) {
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(QZ3ROK_CLI), arguments);
        cli.write(input);
        cli.closeWriteChannel();
        EXPECT_TRUE(cli.waitForFinished(20000));
        return {cli.exitCode(), QString::fromLocal8Bit(cli.readAllStandardOutput()),
                QString::fromLocal8Bit(cli.readAllStandardError())};
    }

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QString writeE2P(const char *name, const EcuImage &image, const QString &comment = {}) {
        EXPECT_TRUE(writeFileSafely(path(name), e2pFileContents(image, comment)).ok);
        return path(name);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<EcuSimRunner> m_sim;
};

const QString Prompts = QStringLiteral("Ignition Switch Off\n[Enter: go on; anything else: cancel] "
                                       "Switch on Ignition , push Enter Key(within two seconds)\n"
                                       "[Enter: go on; anything else: cancel] ");

TEST_F(Cli, ReadsTheEcuIntoANewFile) {
    const EcuImage memory = markedImage(11);
    startSim(memory);
    const QStringList arguments{QStringLiteral("read"), QStringLiteral("--port"),
                                m_sim->devicePath(), QStringLiteral("--yes"), path("OUT.E2P")};
    const CliRun read = run(arguments);
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.err, QStringLiteral("ECU Data Read ended.\n"));
    const HexReadResult saved = HEX_Data_read(path("OUT.E2P"));
    ASSERT_TRUE(saved.HexReadOk) << saved.message.toStdString();
    EXPECT_EQ(saved.image, memory);
    EXPECT_TRUE(saved.CommentText.startsWith(
        QStringLiteral("Read from the ECU on %1 at ").arg(m_sim->devicePath())));

    // A second read does not replace the file unless told to.
    const CliRun again = run(arguments);
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_EQ(again.err, path("OUT.E2P") + QStringLiteral(" exists; --force replaces it\n"));
    EXPECT_EQ(run(arguments + QStringList{QStringLiteral("--force")}).exitCode, 0);
}

TEST_F(Cli, WritesAFileOnAComNumberAfterThePromptsAndVerifiesIt) {
    const EcuImage before = defaultSimMemory();
    startSim(before);
    EcuData data{markedImage(12), {}};
    const QString file = writeE2P("RACE1.E2P", data.image);
    HEXdata_Conv(data); // what Open File makes of it

    const CliRun write = run(
        {QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("com3"), file}, "\n\n");
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(write.err, Prompts + QStringLiteral("ECU Data setting ended.\n"));
    EXPECT_EQ(m_sim->memory(), withProtectedFrom(data.image, before));
    const HexReadResult verification = HEX_Data_read(path("RACE1.TMP"));
    ASSERT_TRUE(verification.HexReadOk);
    EXPECT_EQ(verification.image, m_sim->memory());
}

struct TransferCase {
    const char *name;
    const char *command;
    QByteArray input; // the answers to the prompts
    SimFaults faults;
    QString messages; // after the prompts
};

class CliTransferFailures : public Cli, public testing::WithParamInterface<TransferCase> {};

TEST_P(CliTransferFailures, ExitWithOneAndTheirMessage) {
    const TransferCase &c = GetParam();
    const EcuImage before = defaultSimMemory();
    startSim(before, c.faults);
    EcuImage image = before;
    image.setByte(0, 0x55);
    const CliRun failed = run({QLatin1String(c.command), QStringLiteral("--port"),
                               QStringLiteral("3"), writeE2P("IN.E2P", image)},
                              c.input);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, Prompts + c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliTransferFailures,
    testing::Values(
        TransferCase{"HandshakeAnswer", "write", "\n\n",
                     with(&SimFaults::wrongAnswerAt, HandshakeStage::B),
                     QStringLiteral("COM init.(B) response error\n")},
        TransferCase{"WordWriteAcknowledge", "write", "\n\n",
                     with(&SimFaults::wrongAcknowledgeAt, 40),
                     QStringLiteral("communication Response Data Error\n")},
        TransferCase{
            "WordThatKeepsItsContents", "write", "\n\n", with(&SimFaults::stuckWord, 0x20),
            QStringLiteral("ComparisonData is incorrect ---20\nECU Data setting ended.\n")},
        TransferCase{"CancelledAtThePrompt", "write", "\nn\n", {}, QString()}),
    ByName());

// Hand-made files: one with a marker and known values, others changed from it.
EcuImage handMade() {
    EcuImage image = defaultSimMemory();
    setEcuDataName(image, QStringLiteral("HAND"));
    image.setByte(fiCellOffset(cellNumber(3, 5)), 102); // +2%
    return image;
}

struct ReportCase {
    const char *name;
    std::function<void(EcuImage &)> changeB; // null: there is no file B
    QStringList arguments;                   // "A" and "B" stand for the files
    int exitCode;
    QStringList out; // lines stdout holds, or exactly these lines for a diff
    QString err;
};

class CliReports : public Cli, public testing::WithParamInterface<ReportCase> {};

TEST_P(CliReports, PrintTheDataInTheirDisplayTexts) {
    const ReportCase &c = GetParam();
    const QString a = writeE2P("A.E2P", handMade(), QStringLiteral("first line\r\nsecond"));
    EcuImage b = handMade();
    if (c.changeB)
        c.changeB(b);
    const QString bPath = c.changeB ? writeE2P("B.E2P", b) : path("B.E2P");
    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("A"), a).replaceInStrings(QStringLiteral("B"), bPath);

    const CliRun report = run(arguments);
    EXPECT_EQ(report.exitCode, c.exitCode);
    EXPECT_EQ(report.err, c.err);
    const QStringList lines = report.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (arguments.front() == QStringLiteral("diff")) {
        EXPECT_EQ(lines, c.out);
        return;
    }
    for (const QString &line : c.out)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n" << report.out.toStdString();
}

const QStringList Dump{QStringLiteral("dump"), QStringLiteral("A")};
const QStringList Diff{QStringLiteral("diff"), QStringLiteral("A"), QStringLiteral("B")};

INSTANTIATE_TEST_SUITE_P(
    Cases, CliReports,
    testing::Values(
        ReportCase{
            "Dump",
            nullptr,
            Dump,
            0,
            {QStringLiteral("Data name: HAND"), QStringLiteral("  first line"),
             QStringLiteral("  second"),
             QStringLiteral("        20     0%     0%     0%     0%    +2%     0%     0%"
                            "     0%     0%     0%     0%     0%     0%     0%     0%     0%"),
             QStringLiteral(" Ne(r/min)   1000   2000   3000   4000   5000   6000   7000"
                            "   8000   9000  10000  11000  12000  13000  14000  15000  16000"),
             QStringLiteral("Idring Ne               1400 (r/min)")},
            QString()},
        ReportCase{"DumpOfAMissingFile",
                   nullptr,
                   {QStringLiteral("dump"), QStringLiteral("B")},
                   2,
                   {},
                   QStringLiteral("File Not Found\n")},
        ReportCase{"DiffOfEqualParameters",
                   [](EcuImage &b) { setEcuDataName(b, QStringLiteral("OTHER")); },
                   Diff,
                   0,
                   {},
                   QString()},
        ReportCase{"DiffOfEachKind",
                   [](EcuImage &b) {
                       b.setByte(igCellOffset(cellNumber(11, 16)), 0xFB);
                       b.setByte(neAxisOffset(2), 25);
                       b.setByte(ruMapOffset(1), 0xFE);
                       b.setByte(IdleNeOffset, 8);
                   },
                   Diff,
                   1,
                   {QStringLiteral("IG Map TH 11 (100) NE 16 (16000): 0deg -> -5deg"),
                    QStringLiteral("NE Position 2: 2000 -> 2500"),
                    QStringLiteral("RU Map NE 1 (1000): 0% -> -2%"),
                    QStringLiteral("Idring Ne: 1400 -> 1600")},
                   QString()},
        ReportCase{"DiffWithAFileOfAnotherProduct",
                   [](EcuImage &b) { setProductCode(b, QStringLiteral("ABCD")); },
                   Diff,
                   2,
                   {},
                   QStringLiteral("ECU Data Type is incorrect.\n")}),
    ByName());

struct UsageCase {
    const char *name;
    QStringList arguments;
    QString error;
};

class CliUsage : public Cli, public testing::WithParamInterface<UsageCase> {};

TEST_P(CliUsage, ExitWithTwoAndSayWhy) {
    const CliRun refused = run(GetParam().arguments);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, QStringLiteral("qz3rok-cli: ") + GetParam().error +
                               QStringLiteral("\nTry 'qz3rok-cli --help'.\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    testing::Values(
        UsageCase{"NoCommand", {}, QStringLiteral("give a command: read, write, dump or diff")},
        UsageCase{
            "UnknownCommand", {QStringLiteral("erase")}, QStringLiteral("unknown command 'erase'")},
        UsageCase{"DiffOfOneFile",
                  {QStringLiteral("diff"), QStringLiteral("A.E2P")},
                  QStringLiteral("diff takes two files; usage: qz3rok-cli diff A.E2P B.E2P")},
        UsageCase{"PortForDump",
                  {QStringLiteral("dump"), QStringLiteral("-p"), QStringLiteral("3"),
                   QStringLiteral("A.E2P")},
                  QStringLiteral("--port and --yes are for read and write; "
                                 "usage: qz3rok-cli dump FILE.E2P")},
        UsageCase{"ComNumberOutOfRange",
                  {QStringLiteral("read"), QStringLiteral("--port=COM17"), QStringLiteral("A.E2P")},
                  QStringLiteral("--port COM17: COM numbers run from 1 to 16")},
        UsageCase{"UnknownOption",
                  {QStringLiteral("read"), QStringLiteral("--baud"), QStringLiteral("A.E2P")},
                  QStringLiteral("Unknown option 'baud'.")}),
    ByName());

} // namespace
