#include "files/e2p_commands.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "image/image_decoding.h"
#include "link/reviewed_write.h"
#include "link_fixture.h"
#include "sim_memory.h"

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

namespace {

struct ReviewCase {
    const char *name;
    std::vector<int> changes; // offset and byte of each byte written that the ECU has not
    bool write;               // the answer to the review
    const char *lines;        // the review's lines; "": no review shown
    ReviewOutcome outcome;
    QList<ToldMessage> told; // every prompt and message
    const char *during = ""; // while the review is open the ECU is "pulled" and plugged in again
                             // (it left its data transmission mode), or "swapped" for another
    SimFaults faults = {};
};

// Fi TH 2 NE 4, IG TH 11 NE 16, NE 2, TH 3, RU 1, ShiftTiming, PITroad, Idring, the data name's
// first character and a byte of no parameter: offset and byte each.
const std::vector<int> EveryTable{211, 105, 191, 0xFB, 385, 25, 402, 25,  412, 0xFE,
                                  430, 140, 428, 65,   432, 8,  434, 'R', 411, 7};
const char *const EveryTableLines = "Fi Map TH 2 (10) NE 4 (4000): 0% -> +5%\n"
                                    "IG Map TH 11 (100) NE 16 (16000): 0deg -> -5deg\n"
                                    "NE Position 2: 2000 -> 2500\n"
                                    "TH Position 3: 20 -> 25\n"
                                    "RU Map NE 1 (1000): 0% -> -2%\n"
                                    "ShiftTiming Indicator: 13000 -> 14000\n"
                                    "PITroad Limit: 6000 -> 6500\n"
                                    "Idring Ne: 1400 -> 1600\n"
                                    "Data name: ECU-SIM -> RCU-SIM\n"
                                    "Byte 1BB: 00 -> 07";
const QList<ToldMessage> Prompts{IgnitionOffPrompt, IgnitionOnPrompt};
const QList<ToldMessage> Ended{plain(EcuDataSettingEnded)};
const ToldMessage NothingWritten =
    plain(QStringLiteral("The ECU already holds these data: nothing was written."));
const ToldMessage OtherData(
    QStringLiteral("The ECU no longer holds the data reviewed: nothing was written."),
    MessageIcon::Exclamation, false,
    QStringLiteral("It was switched off or changed during the review. Review and Write again to "
                   "see what a write changes now."));
const QList<ToldMessage> WrongMarker{critical(EcuDataTypeIncorrect)};
const SimFaults OtherProduct = with(&SimFaults::productCode, QStringLiteral("QZ4R"));
const char *const OneCell = "Fi Map TH 11 (100) NE 16 (16000): 0% -> +30%";
const std::vector<int> OneCellChange{fiCellOffset(MapCells), 130};

class Review : public WriteTest, public testing::WithParamInterface<ReviewCase> {};

// "Review and Write" against the simulator: the ECU read and kept, what the write changes
// reviewed in the terminal's words, and the write, the same as "Data Write" (frames, memory,
// verification file) on the read's session, or nothing written at all.
TEST_P(Review, ShowsWhatTheWriteChangesAndWritesOnlyWhatWasReviewed) {
    const ReviewCase &c = GetParam();
    startSim(defaultSimMemory(), c.faults);
    const EcuImage before = m_sim->memory();
    EcuData written{before, {}};
    for (std::size_t i = 0; i + 1 < c.changes.size(); i += 2)
        written.image.setByte(c.changes[i], static_cast<std::uint8_t>(c.changes[i + 1]));
    decodeImage(written);
    const EcuImage swapped = markedImage(9);

    std::vector<EcuImage> kept;
    QString lines;
    QString heading;
    const ReviewSteps steps{
        [&kept](const EcuImage &ecu) { kept.push_back(ecu); },
        [&](const EcuImage &ecu, const WriteChanges &changes) {
            heading = reviewHeading(ecu, written.image, changes).front();
            lines = writeChangeLines(changes, ecu, written, TerminalArrow).join(u'\n');
            if (*c.during == 'p')
                m_sim->setFaults(with(SilentAfter, 224));
            if (*c.during == 's') {
                m_sim.reset();
                startSim(swapped);
            }
            return c.write;
        }};
    const ReviewedWrite reviewed =
        reviewAndWrite(*m_link, m_operator, written.image, verificationPath(), steps);

    EXPECT_EQ(reviewed.outcome, c.outcome);
    EXPECT_EQ(m_operator.messages, Prompts + c.told);
    EXPECT_EQ(lines, QLatin1String(c.lines));
    // The restore points: the ECU's memory as read, and another ECU's when it came instead.
    ASSERT_EQ(kept.size(), *c.during == 's' ? 2u : c.outcome == ReviewOutcome::NotRead ? 0u : 1u);
    if (!kept.empty()) {
        EXPECT_EQ(kept.front(), before);
        EXPECT_EQ(kept.back(), *c.during == 's' ? swapped : before);
    }
    const bool done = reviewed.write == WriteOutcome::Done;
    EXPECT_EQ(done, c.outcome == ReviewOutcome::WriteRan);
    EXPECT_EQ(m_sim->memory(), done               ? withProtectedFrom(written.image, before)
                               : *c.during == 's' ? swapped
                                                  : before);
    EXPECT_EQ(m_sim->stats().wordsWritten, done ? 1 + 211 : 0);
    EXPECT_EQ(QFileInfo::exists(verificationPath()), done);
    if (done) {
        EXPECT_EQ(verificationFile(), hexRecords(m_sim->memory()));
        // Read before, checked, written and read back: on one handshake when the ECU stayed.
        EXPECT_EQ(m_sim->stats().handshakes, *c.during ? 2 : 1);
        EXPECT_EQ(m_sim->stats().wordsRead, (*c.during ? 2 : 1) * 224 + 2 + 224);
    }
    if (c.changes == EveryTable) {
        EXPECT_EQ(heading, QStringLiteral("What the write changes in the ECU: 8 differ (Fi 1, IG "
                                          "1, NE axis 1, TH axis 1, RU 1, ShiftTiming Indicator "
                                          "1, PITroad Limit 1, Idring Ne 1), and the data name "
                                          "and 1 other byte"));
    }
    EXPECT_FALSE(m_port.isOpen());
    EXPECT_FALSE(m_link->hasSession());
}

using enum ReviewOutcome;

INSTANTIATE_TEST_SUITE_P(
    Cases, Review,
    testing::ValuesIn(std::vector<ReviewCase>{
        {"NothingDiffers", {}, true, "", NothingToWrite, {NothingWritten}},
        {"OneCellCancelled", OneCellChange, false, OneCell, Cancelled, {}},
        {"EveryTableWritten", EveryTable, true, EveryTableLines, WriteRan, Ended},
        {"WrongMarker", OneCellChange, true, "", NotRead, WrongMarker, "", OtherProduct},
        // The ECU no longer answers: the prompts and the handshake again, then the same data.
        {"CablePulledDuringTheReview", OneCellChange, true, OneCell, WriteRan, Prompts + Ended,
         "pulled"},
        {"AnotherEcuAfterTheReview", OneCellChange, true, OneCell, ChangedSinceReview,
         Prompts + QList{OtherData}, "swapped"}}),
    ByName());

} // namespace
