#include "files/e2p_commands.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "link_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <string_view>
#include <sys/stat.h>

namespace {

class WriteTest : public LinkTest {
protected:
    [[nodiscard]] QByteArray verificationFile() const {
        QFile file(verificationPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// A line event on the way is told and changes nothing of the write.
TEST_F(WriteTest, AFullWriteLeavesTheImageInTheEcuOutsideTheProtectedAreas) {
    const EcuImage before = markedImage(1);
    const EcuImage image = markedImage(2); // differs everywhere, the protected areas included
    startSim(before, with(&SimFaults::lineEvent, LineEventFault{LineEventKind::Parity, 100}));
    EXPECT_EQ(write(image), WriteOutcome::Done);
    EXPECT_TRUE(m_link->lastWriteVerified());

    const EcuImage after = m_sim->memory();
    EXPECT_EQ(after, withProtectedFrom(image, before));
    EXPECT_EQ(messagesAfterPrompts(),
              (QList<ToldMessage>{critical(QStringLiteral("communicaation Error --- Code:08")),
                                  plain(EcuDataSettingEnded)}));
    EXPECT_FALSE(m_operator.busyWhenTold);
    expectIdle();

    // The verification file holds what was read back: the records and the end record.
    EXPECT_EQ(verificationFile(), hexRecords(after));
    EXPECT_EQ(m_sim->stats().wordsWritten, 1 + 211);
    EXPECT_EQ(m_sim->stats().wordsRead, 2 + 224);
    ASSERT_FALSE(m_progress.isEmpty());
    EXPECT_EQ(m_progress.front(), std::make_pair(0, 438));
    EXPECT_EQ(m_progress.back(), std::make_pair(438, 438));
    EXPECT_EQ(m_progress.size(), 439);
}

struct ComparisonCase {
    int stuckWord;                       // 0: none
    int offset;                          // a byte of that word the ECU holds differently
    const char *message;                 // the comparison's; empty when the data match
    const char *atVerificationPath = ""; // "link" to a file of the user's, "fifo", "missing" folder
    const char *refusal = nullptr;       // why the verification file is not written
};

class Comparison : public WriteTest, public testing::WithParamInterface<ComparisonCase> {};

// A word the ECU does not take shows in the comparison. The write gets to its end, but
// "ECU Data setting ended." comes only when the file was written and the data match: otherwise
// the file's message, with its path and the reason, and the comparison's are the last word. A
// link at the file's path is replaced by the file, its target left as it was; a FIFO is left
// unopened.
TEST_P(Comparison, ReportsTheFirstDifferenceByItsAddress) {
    const ComparisonCase &c = GetParam();
    const EcuImage image = markedImage(3);
    EcuImage before = image;
    before.setByte(c.offset, static_cast<std::uint8_t>(image.byte(c.offset) ^ 0x55));
    startSim(before, with(&SimFaults::stuckWord, c.stuckWord));
    const QString at = QLatin1String(c.atVerificationPath);
    const QString path =
        at == u"missing" ? m_dir.filePath(QStringLiteral("missing/race1.TMP")) : verificationPath();
    const QString mine = m_dir.filePath(QStringLiteral("mine"));
    ASSERT_TRUE(writeNewFile(mine, "mine").ok);
    ASSERT_TRUE(at != u"link" || QFile::link(mine, path));
    ASSERT_TRUE(at != u"fifo" || mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    EXPECT_EQ(m_link->EcuDataWrite(image, path), WriteOutcome::Done);
    QList<ToldMessage> told;
    if (c.refusal)
        told << critical(path + QLatin1Char('\n') + QLatin1String(c.refusal));
    if (*c.message)
        told << critical(QLatin1String(c.message));
    EXPECT_EQ(messagesAfterPrompts(), told);
    EXPECT_FALSE(m_link->lastWriteVerified());
    EXPECT_EQ(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink(), !c.refusal);
    // Never reading a FIFO, which would wait for a writer.
    EXPECT_TRUE(c.refusal || verificationFile() == hexRecords(m_sim->memory()));
    EXPECT_EQ(QFileInfo(mine).size(), 4);
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, Comparison,
    testing::Values(ComparisonCase{0x20, 0, "ComparisonData is incorrect ---20"},
                    ComparisonCase{0xFF, 447, "ComparisonData is incorrect ---1DF", "link"},
                    ComparisonCase{0x22, 4, "ComparisonData is incorrect ---24", "missing",
                                   "No such file or directory"},
                    ComparisonCase{0x30, 32, "ComparisonData is incorrect ---40", "fifo",
                                   "Not a regular file"},
                    ComparisonCase{0, 4, "", "missing", "No such file or directory"}));

TEST_F(WriteTest, AnotherProductIsNotWrittenAtAll) {
    startSim(markedImage(1), with(&SimFaults::productCode, QStringLiteral("QZ4R")));
    const EcuImage before = m_sim->memory(); // with the other product's marker
    EXPECT_EQ(write(markedImage(2)), WriteOutcome::Failed);
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(EcuDataTypeIncorrect)});
    EXPECT_EQ(m_sim->memory(), before);
    EXPECT_EQ(m_sim->stats().wordsWritten, 0);
    EXPECT_FALSE(QFileInfo::exists(verificationPath()));
    expectIdle();
}

class WriteFailure : public WriteTest, public testing::WithParamInterface<FailureCase> {};

// Each step's failure, the handshake's among them, ends the write with that step's message.
// The invalidation's and the words' messages say that the ECU holds a partly written
// calibration; the read-back's (the cases named ReadBack...) that the data were written but not
// verified.
TEST_P(WriteFailure, EndsWithTheStepsMessage) {
    const FailureCase &c = GetParam();
    startSim(markedImage(1), c.faults);
    m_operator.holdBoxMs = c.heldOpen ? PastTheWatchdogMs : 0;
    const bool partly =
        c.message == CommunicationFeedbackError || c.message == CommunicationResponseError;
    const bool readBack = std::string_view(c.name).starts_with("ReadBack");
    EXPECT_EQ(write(markedImage(2)), partly     ? WriteOutcome::PartlyWritten
                                     : readBack ? WriteOutcome::NotVerified
                                                : WriteOutcome::Failed);
    QStringList detail;
    if (partly)
        detail << PartlyWrittenDetail;
    if (readBack)
        detail << WrittenNotVerifiedDetail;
    if (c.faults.hangupAfter)
        detail << hangupDetail(c.faults);
    EXPECT_EQ(messagesAfterPrompts(),
              QList<ToldMessage>{critical(c.message, detail.join(QLatin1Char('\n')))});
    expectToldAfterBound(c.boundMs);
    EXPECT_FALSE(QFileInfo::exists(verificationPath()));
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFailure,
    testing::ValuesIn(std::vector<FailureCase>{
        {"EchoChangedAtB", with(ChangedEcho, AtB), ComInitBFeedbackError, 0, HeldOpen},
        {"EchoChangedAtC", with(ChangedEcho, AtC), ComInitCFeedbackError, 0},
        {"WrongAnswerB", with(WrongAnswer, HandshakeStage::B), ComInitBResponseError, 0},
        {"WrongAnswerC", with(WrongAnswer, HandshakeStage::C), ComInitCResponseError, 0},
        {"ProductCodeEchoChanged", with(ChangedEcho, frame(2)), CommunicationBoxIncorrect, 0},
        {"ProductCodeChecksums", badChecksums(4, 0xFD), CommunicationBoxIncorrect, 0},
        {"MarkerEchoChanged", with(ChangedEcho, frame(3)), CommunicationFeedbackError, 0},
        {"WordEchoChanged", with(ChangedEcho, frame(50)), CommunicationFeedbackError, 0},
        {"WordEchoOneByteShort", with(LostEcho, frame(50)), CommunicationFeedbackError, 1000,
         HeldOpen},
        {"WrongAcknowledge", with(&SimFaults::wrongAcknowledgeAt, 3), CommunicationResponseError,
         0},
        {"CablePulledDuringWords", with(SilentAfter, 60), CommunicationResponseError, 1000},
        {"LastWordEchoChanged", with(ChangedEcho, frame(214)), CommunicationFeedbackError, 0},
        {"DeviceGoneDuringWords", with(HangupAfter, 60), CommunicationFeedbackError, 0, HeldOpen},
        {"ReadBackEchoChanged", with(ChangedEcho, frame(215)), CommunicationBoxIncorrect, 0},
        {"ReadBackCablePulled", with(SilentAfter, 300), CommunicationBoxIncorrect, 1000,
         HeldOpen}}),
    ByName());

// A write that stops among the words leaves the marker invalid and a read refuses the data.
// Offered, "Write again" beside OK is the person's way to the next write, which the window's
// transfer test sees put everything right.
TEST_F(WriteTest, AnInterruptedWriteLeavesTheMarkerInvalid) {
    const EcuImage before = markedImage(1);
    const EcuImage image = markedImage(2);
    startSim(before, with(SilentAfter, 2 + 1 + 10));

    m_operator.choices = {1};
    EXPECT_EQ(write(image, WriteAgainOffer::Yes), WriteOutcome::WriteAgain);
    EXPECT_EQ(m_operator.questionButtons,
              (QList<QStringList>{{QStringLiteral("OK"), QStringLiteral("Write again")}}));
    EXPECT_EQ(messagesAfterPrompts().back().detail, PartlyWrittenDetail);
    const EcuImage interrupted = m_sim->memory();
    EXPECT_EQ(interrupted.byte(446), InvalidMarker1);
    EXPECT_EQ(interrupted.byte(447), InvalidMarker2);
    EXPECT_EQ(interrupted.byte(0), image.byte(0));      // written
    EXPECT_EQ(interrupted.byte(200), before.byte(200)); // not yet

    resetOperator();
    EXPECT_FALSE(read());
    EXPECT_FALSE(m_read.has_value());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(EcuDataTypeIncorrect)});
    expectIdle();
}

} // namespace
