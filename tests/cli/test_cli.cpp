#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "files/history_folder.h"
#include "image/image_decoding.h"
#include "link_fixture.h"
#include "sim_memory.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <functional>
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

    void startSim(const EcuImage &memory, const SimFaults &faults = {}, bool paced = false) {
        m_sim = std::make_unique<EcuSimRunner>(memory, EcuSimConfig{paced, path("tty"), faults});
        ASSERT_TRUE(m_sim->isRunning()) << m_sim->errorString().toStdString();
        SettingsStore(path("config/QZ3ROK/QZ3ROK.ini"))
            .writeText(CommProtSection, QStringLiteral("COM3"), m_sim->devicePath());
    }

    // meanwhile: what happens to the running program, e.g. a signal.
    CliRun run(const QStringList &arguments, const QByteArray &input = {},
               const std::function<void(QProcess &)> &meanwhile = {}) {
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(QZ3ROK_CLI), arguments);
        cli.write(input);
        cli.closeWriteChannel();
        if (meanwhile)
            meanwhile(cli);
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
    const E2PReadResult saved = readE2PFile(path("OUT.E2P"));
    EXPECT_EQ(saved.image, before);
    EXPECT_TRUE(saved.commentText.startsWith(
        QStringLiteral("Read from the ECU on %1 at ").arg(m_sim->devicePath())));

    EcuData data{markedImage(12), {}};
    const QString file = writeE2P("RACE1.E2P", data.image);
    decodeImage(data); // what Open File makes of it
    const CliRun write =
        run({QStringLiteral("write"), QStringLiteral("-p"), QStringLiteral("com3"), file}, "\n\n");
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(write.err, Prompts + QStringLiteral("ECU Data setting ended.\n"));
    EXPECT_EQ(m_sim->memory(), withProtectedFrom(data.image, before));
    EXPECT_EQ(readE2PFile(path("RACE1.TMP")).image, m_sim->memory());
    const CliRun reviewed =
        run({QStringLiteral("write"), QStringLiteral("--review"), QStringLiteral("-yp3"), file});
    EXPECT_EQ(reviewed.exitCode, 0);
    EXPECT_EQ(reviewed.err,
              QStringLiteral("The ECU already holds these data: nothing was written.\n"));

    // A second read does not replace the file unless told to.
    const CliRun again = run(read);
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_EQ(again.err, path("OUT.E2P") + QStringLiteral(" exists; --force replaces it\n"));
    EXPECT_EQ(
        run(read + QStringList{QStringLiteral("--force"), QStringLiteral("--no-history")}).exitCode,
        0);
    EXPECT_EQ(readE2PFile(path("OUT.E2P")).image, m_sim->memory());

    // The program's history: the read, the verified write, the ECU before the reviewed write.
    const std::vector<HistoryEntry> entries = HistoryFolder(path("data/QZ3ROK/history")).entries();
    ASSERT_EQ(entries.size(), 3u);
    const std::pair<HistoryKind, EcuImage> kept[] = {{HistoryKind::BeforeWrite, m_sim->memory()},
                                                     {HistoryKind::Written, data.image},
                                                     {HistoryKind::Read, before}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].kind, kept[i].first);
        EXPECT_EQ(readE2PFile(entries[i].path).image, kept[i].second);
    }
    EXPECT_TRUE(entries[2].commentFirstLine.startsWith(
        QStringLiteral("ECU data read from %1 on ").arg(m_sim->devicePath())));
    EXPECT_TRUE(entries[1].commentFirstLine.startsWith(
        QStringLiteral("ECU data written to COM3 (%1) on ").arg(m_sim->devicePath())));
}

// A transfer stopped by Ctrl+C or a kill says what is true of the ECU (its marker invalid only
// when it is partly written) and of the file, and exits 1: before the marker was made invalid;
// among the words, the word under way answered first (a second signal at once leaves the same);
// after the last word; a read, which writes no file ("OUT" in the text).
TEST_F(Cli, AnInterruptedTransferSaysWhatTheEcuHoldsAndExitsWith1) {
    const QString partly = QStringLiteral(
        "Interrupted: the ECU holds a partly written calibration and will not run it until it is "
        "written again. Writing the file again restores it.\n");
    const struct {
        const char *command;
        int signal, count;
        qint64 bytes; // sent when the ECU got this many: 11 a greeting, 6 a read, 8 a write request
        QString err;
        SimFaults faults = {};
    } cases[] = {
        {"write", SIGINT, 1, 11, QStringLiteral("Interrupted: nothing was written to the ECU.\n"),
         with(SilentAt, HandshakeStage::B)},
        {"write", SIGINT, 1, 200, partly},
        {"write", SIGINT, 2, 200, partly},
        {"write", SIGTERM, 1, 1850,
         QStringLiteral("Interrupted: the data were written to the ECU but not verified.\n")},
        {"read", SIGINT, 1, 150, QStringLiteral("Interrupted: nothing was written to OUT.\n")}};
    for (const auto &c : cases) {
        startSim(defaultSimMemory(), c.faults, true);
        const QString file =
            *c.command == 'w' ? writeE2P("A.E2P", markedImage(5)) : path("OUT.E2P");
        const CliRun result =
            run({QLatin1String(c.command), QStringLiteral("--port"), m_sim->devicePath(),
                 QStringLiteral("--yes"), file},
                {}, [&](QProcess &cli) {
                    QElapsedTimer waited;
                    waited.start();
                    while (m_sim->stats().bytesReceived < c.bytes && waited.elapsed() < 9000)
                        QThread::msleep(1);
                    for (int i = 0; i < c.count; ++i)
                        ::kill(static_cast<pid_t>(cli.processId()), c.signal);
                });
        EXPECT_EQ(result.exitCode, 1) << c.bytes;
        EXPECT_EQ(result.err, QString(c.err).replace(QStringLiteral("OUT"), file));
        const EcuImage memory = m_sim->memory();
        EXPECT_EQ(memory.byte(446) == InvalidMarker1 && memory.byte(447) == InvalidMarker2,
                  c.err == partly);
        EXPECT_FALSE(QFileInfo::exists(path("OUT.E2P")));
    }
}

// One run on hand-made files: A (the simulator's data with a name, one Fi cell changed and control
// characters in its comment), B (A changed further; absent when there is no change) and D (A with
// the checksums of lines 7, 9 and 10 broken), with the simulator when it has faults.
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
    const QString fileA = writeE2P("A.E2P", a,
                                   QStringLiteral("one\x1b[2J") + QChar(0) +
                                       QStringLiteral("x\a\r\ntwo\tend\u009b\x7f"));
    QByteArray damaged = e2pFileContents(a, {}); // 45 characters a record line
    for (const int at : {6 * 45 + 42, 8 * 45 + 42, 9 * 45 + 42})
        damaged[at] = damaged[at] == '0' ? '1' : '0';
    ASSERT_TRUE(writeFileSafely(path("D.E2P"), damaged).ok);
    for (const auto &[offset, byte] : c.changeB)
        a.setByte(offset, static_cast<std::uint8_t>(byte));
    const QString fileB = c.changeB.empty() ? path("B") : writeE2P("B.E2P", a);
    QStringList arguments =
        QString::fromLatin1(c.arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^A$")), fileA)
        .replaceInStrings(QRegularExpression(QStringLiteral("^B$")), fileB)
        .replaceInStrings(QRegularExpression(QStringLiteral("^D$")), path("D.E2P"));

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

const char *const DumpLines = "Data name: HAND\n  one\\x1b[2J\\x00x\\x07\n  two\tend\\x9b\\x7f\n"
                              "        20     0%     0%     0%     0%    +2%     0%     0%     0%  "
                              "   0%     0%     0%     0%     0%     0%     0%     0%\n"
                              " Ne(r/min)   1000   2000   3000   4000   5000   6000   7000   8000  "
                              " 9000  10000  11000  12000  13000  14000  15000  16000\n"
                              "Idring Ne               1400 (r/min)";
const char *const DumpCsvLines =
    "Fi map,1000,2000,3000,4000,5000,6000,7000,8000,9000,10000,11000,12000,13000,14000,15000,"
    "16000\r\n20,0,0,0,0,+2,0,0,0,0,0,0,0,0,0,0,0\r";
const char *const DiffLines =
    "IG Map TH 11 (100) NE 16 (16000): 0deg -> -5deg\nNE Position 2: 2000 -> 2500\n"
    "RU Map NE 1 (1000): 0% -> -2%\nIdring Ne: 1400 -> 1600";

using Changes = std::vector<std::pair<int, int>>; // offset and byte
const Changes OtherName{{DataNameOffset, 'B'}};
const Changes OtherMarker{{DataTypeOffset, 'X'}};
const Changes EachKind{
    {igCellOffset(176), 0xFB}, {neAxisOffset(2), 25}, {ruMapOffset(1), 0xFE}, {IdleNeOffset, 8}};

const QString WriteQuestion =
    QStringLiteral("Write these changes to the ECU?\n[Enter: go on; anything else: cancel] ");
const char *const ReviewedLines = "What the write changes in the ECU: 1 differ (Fi 1), and the "
                                  "data name\nFi Map TH 3 (20) NE 5 (5000): 0% -> +2%";

const QString Damaged =
    QStringLiteral("D.E2P: 3 damaged lines (first: line 7, checksum); their values were read as "
                   "the file gives them. Check the maps before writing them to the ECU.\n");
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
         Prompts + QStringLiteral("ComparisonData is incorrect ---104\n"), "",
         with(&SimFaults::stuckWord, 0x92)},
        {"CancelledOnAPipe", "write -p3 A", 1, PipeWarning + Prompts, "", {}, {}, "\nn\n", true},
        {"Dump", "dump A", 0, {}, DumpLines},
        {"DumpCsv", "dump --csv FI A", 0, {}, DumpCsvLines},
        {"DumpCsvOfAnUnknownTable", "dump --csv th A", 2,
         usage("--csv takes fi, ig or ru; usage: qz3rok-cli dump [--csv TABLE] FILE.E2P")},
        {"DumpOfADamagedFile", "dump D", 0, Damaged, "Data name: HAND\nComment:\n"},
        {"DiffWithADamagedFile", "diff A D", 0, Damaged},
        {"DumpOfAMissingFile", "dump B", 2, QStringLiteral("File Not Found\nB\n")},
        // Against the ECU (the simulator's data): what a write of A would change there.
        {"DiffWithTheEcu", "diff --port 3 --yes A", 1, QStringLiteral("ECU Data Read ended.\n"),
         "Fi Map TH 3 (20) NE 5 (5000): 0% -> +2%\nData name: ECU-SIM -> HAND", SimFaults{}},
        {"DiffWithAnEcuThatDoesNotAnswer", "diff --port 3 --yes A", 2,
         QStringLiteral("COM init.(B) response error\n"), "", with(WrongAnswer, HandshakeStage::B)},
        {"ReviewedWriteDeclined",
         "write --review -p3 A",
         1,
         Prompts + WriteQuestion,
         ReviewedLines,
         SimFaults{},
         {},
         "\n\nn\n"},
        {"ReviewedWriteAnsweredByYes", "write --review --yes -p3 A", 0,
         QStringLiteral("ECU Data setting ended.\n"), "Data name: ECU-SIM -> HAND", SimFaults{}},
        {"DiffOfEqualParameters", "diff A B", 0, {}, "", std::nullopt, OtherName},
        {"DiffOfEachKind", "diff A B", 1, {}, DiffLines, std::nullopt, EachKind},
        {"DiffWithAnotherProduct", "diff A B", 2, QStringLiteral("ECU Data Type is incorrect.\n"),
         "", std::nullopt, OtherMarker},
        {"NoCommand", "", 2, usage("give a command: read, write, dump or diff")},
        {"DiffOfOneFile", "diff A", 2,
         usage("diff takes two files; usage: qz3rok-cli diff A.E2P B.E2P, or diff --port DEVICE "
               "[--yes] [--no-history] FILE.E2P")},
        {"PortForDump", "dump -p3 A", 2,
         usage("--port, --yes and --no-history are for read, write and diff --port; usage: "
               "qz3rok-cli dump [--csv TABLE] FILE.E2P")},
        {"ReviewForRead", "read --review A", 2,
         usage("--review is for write; usage: qz3rok-cli read [--port DEVICE] [--yes] [--force] "
               "[--no-history] OUT.E2P")},
        {"ComNumberOutOfRange", "read --port=COM17 A", 2,
         usage("--port COM17: COM numbers run from 1 to 16")}}),
    ByName());

} // namespace
