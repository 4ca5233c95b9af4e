#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "image/hexdata_conv.h"
#include "link_fixture.h"
#include "sim_memory.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out, err;
};

// qz3rok-cli as a user runs it, with its own settings folder; the simulator on a
// pseudo-terminal behind a symlink, which [CommProt] COM3 names.
class Cli : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void startSim(const EcuImage &memory, const SimFaults &faults = {}) {
        m_sim = std::make_unique<EcuSimRunner>(memory, EcuSimConfig{false, path("tty"), faults});
        ASSERT_TRUE(m_sim->isRunning()) << m_sim->errorString().toStdString();
        SettingsStore(path("config/QZ3ROK/QZ3ROK.ini"))
            .writeText(CommProtSection, QStringLiteral("COM3"), m_sim->devicePath());
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
        EXPECT_TRUE(
            writeFileSafely(path(name), e2pFileContents(image, E2PComment::fromText(comment))).ok);
        return path(name);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<EcuSimRunner> m_sim;
};

const QString Prompts = QStringLiteral("Ignition Switch Off\n[Enter: go on; anything else: cancel] "
                                       "Switch on Ignition , push Enter Key(within two seconds)\n"
                                       "[Enter: go on; anything else: cancel] ");

TEST_F(Cli, ReadsTheEcuIntoANewFileAndWritesAFileAfterThePrompts) {
    const EcuImage before = markedImage(11);
    startSim(before);
    const QStringList read{QStringLiteral("read"), QStringLiteral("--port"), m_sim->devicePath(),
                           QStringLiteral("--yes"), path("OUT.E2P")};
    const CliRun readRun = run(read);
    EXPECT_EQ(readRun.exitCode, 0);
    EXPECT_EQ(readRun.err, QStringLiteral("ECU Data Read ended.\n"));
    const HexReadResult saved = HEX_Data_read(path("OUT.E2P"));
    EXPECT_EQ(saved.image, before);
    EXPECT_TRUE(saved.CommentText.startsWith(
        QStringLiteral("Read from the ECU on %1 at ").arg(m_sim->devicePath())));

    EcuData data{markedImage(12), {}};
    const QString file = writeE2P("RACE1.E2P", data.image);
    HEXdata_Conv(data); // what Open File makes of it
    const CliRun write =
        run({QStringLiteral("write"), QStringLiteral("-p"), QStringLiteral("com3"), file}, "\n\n");
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(write.err, Prompts + QStringLiteral("ECU Data setting ended.\n"));
    EXPECT_EQ(m_sim->memory(), withProtectedFrom(data.image, before));
    EXPECT_EQ(HEX_Data_read(path("RACE1.TMP")).image, m_sim->memory());

    // A second read does not replace the file unless told to.
    const CliRun again = run(read);
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_EQ(again.err, path("OUT.E2P") + QStringLiteral(" exists; --force replaces it\n"));
    EXPECT_EQ(run(read + QStringList{QStringLiteral("--force")}).exitCode, 0);
    EXPECT_EQ(HEX_Data_read(path("OUT.E2P")).image, m_sim->memory());
}

// One run on hand-made files: A (the simulator's data with a name and one Fi cell changed) and
// B (A changed further; absent when there is no change), with the simulator when it has faults.
struct CliCase {
    const char *name;
    const char *arguments; // "A" and "B" stand for the files
    int exitCode;
    QString err;
    const char *out = ""; // lines stdout holds; for diff exactly these
    std::optional<SimFaults> faults = {};
    std::vector<std::pair<int, int>> changeB = {}; // offset and byte of B
    const char *input = "\n\n";                    // the answers to the prompts
    bool settingsFifo = false;                     // the settings file a pipe ("INI" in err)
};

class CliCases : public Cli, public testing::WithParamInterface<CliCase> {};

TEST_P(CliCases, ExitWithTheirStatusAndSayWhatTheyDid) {
    const CliCase &c = GetParam();
    EcuImage a = defaultSimMemory();
    setEcuDataName(a, QStringLiteral("HAND"));
    a.setByte(fiCellOffset(cellNumber(3, 5)), 102); // +2%
    const QString ini = path("config/QZ3ROK/QZ3ROK.ini");
    ASSERT_TRUE(!c.settingsFifo || (QDir().mkpath(path("config/QZ3ROK")) &&
                                    ::mkfifo(QFile::encodeName(ini), 0600) == 0));
    if (c.faults)
        startSim(defaultSimMemory(), *c.faults);
    const QString fileA = writeE2P("A.E2P", a, QStringLiteral("one\r\ntwo"));
    for (const auto &[offset, byte] : c.changeB)
        a.setByte(offset, static_cast<std::uint8_t>(byte));
    const QString fileB = c.changeB.empty() ? path("B") : writeE2P("B.E2P", a);
    QStringList arguments =
        QString::fromLatin1(c.arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^A$")), fileA)
        .replaceInStrings(QRegularExpression(QStringLiteral("^B$")), fileB);

    const CliRun result = run(arguments, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    // "B" alone on a line stands for the second file's path.
    EXPECT_EQ(result.err,
              QString(c.err)
                  .replace(QStringLiteral("\nB\n"), QLatin1Char('\n') + fileB + QLatin1Char('\n'))
                  .replace(QStringLiteral(" INI "), QLatin1Char(' ') + ini + QLatin1Char(' ')));
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected =
        QString::fromLatin1(c.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : expected)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n" << result.out.toStdString();
    EXPECT_TRUE(arguments.value(0) != QStringLiteral("diff") || lines.size() == expected.size());
}

const char *const DumpLines = "Data name: HAND\n  one\n  two\n"
                              "        20     0%     0%     0%     0%    +2%     0%     0%     0%  "
                              "   0%     0%     0%     0%     0%     0%     0%     0%\n"
                              " Ne(r/min)   1000   2000   3000   4000   5000   6000   7000   8000  "
                              " 9000  10000  11000  12000  13000  14000  15000  16000\n"
                              "Idring Ne               1400 (r/min)";
const char *const DiffLines =
    "IG Map TH 11 (100) NE 16 (16000): 0deg -> -5deg\nNE Position 2: 2000 -> 2500\n"
    "RU Map NE 1 (1000): 0% -> -2%\nIdring Ne: 1400 -> 1600";

using Changes = std::vector<std::pair<int, int>>; // offset and byte
const Changes OtherName{{DataNameOffset, 'B'}};
const Changes OtherMarker{{DataTypeOffset, 'X'}};
const Changes EachKind{
    {igCellOffset(176), 0xFB}, {neAxisOffset(2), 25}, {ruMapOffset(1), 0xFE}, {IdleNeOffset, 8}};

const QString PipeWarning = QStringLiteral("Settings are not saved: INI is not a regular file\n");

QString usage(const char *error) {
    return QStringLiteral("qz3rok-cli: %1\nTry 'qz3rok-cli --help'.\n").arg(QLatin1String(error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliCases,
    testing::ValuesIn(std::vector<CliCase>{
        {"HandshakeAnswer", "write --port 3 A", 1,
         Prompts + QStringLiteral("COM init.(B) response error\n"), "",
         with(WrongAnswer, HandshakeStage::B)},
        {"WordWriteAcknowledge", "write --port 3 A", 1,
         Prompts + QStringLiteral("communication Response Data Error\nThe ECU now holds a "
                                  "partly written calibration and will not run it until "
                                  "it is written again.\n"),
         "", with(&SimFaults::wrongAcknowledgeAt, 40)},
        {"WordThatKeepsItsContents", "write --port 3 A", 1,
         Prompts + QStringLiteral("ComparisonData is incorrect ---104\nECU Data setting ended.\n"),
         "", with(&SimFaults::stuckWord, 0x92)},
        {"CancelledOnAPipe", "write -p3 A", 1, PipeWarning + Prompts, "", {}, {}, "\nn\n", true},
        {"Dump", "dump A", 0, {}, DumpLines},
        {"DumpOfAMissingFile", "dump B", 2, QStringLiteral("File Not Found\nB\n")},
        {"DiffOfEqualParameters", "diff A B", 0, {}, "", std::nullopt, OtherName},
        {"DiffOfEachKind", "diff A B", 1, {}, DiffLines, std::nullopt, EachKind},
        {"DiffWithAnotherProduct", "diff A B", 2, QStringLiteral("ECU Data Type is incorrect.\n"),
         "", std::nullopt, OtherMarker},
        {"NoCommand", "", 2, usage("give a command: read, write, dump or diff")},
        {"DiffOfOneFile", "diff A", 2,
         usage("diff takes two files; usage: qz3rok-cli diff A.E2P B.E2P")},
        {"PortForDump", "dump -p3 A", 2,
         usage("--port and --yes are for read and write; usage: qz3rok-cli dump FILE.E2P")},
        {"ComNumberOutOfRange", "read --port=COM17 A", 2,
         usage("--port COM17: COM numbers run from 1 to 16")}}),
    ByName());

} // namespace
