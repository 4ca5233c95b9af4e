#include "files/e2p_commands.h"
#include "link_fixture.h"

namespace {

using ReadTest = LinkTest;

TEST_F(ReadTest, AFullReadEqualsTheEcusMemory) {
    const EcuImage memory = markedImage(7);
    startSim(memory);
    EXPECT_TRUE(read());
    ASSERT_TRUE(m_read.has_value());
    EXPECT_EQ(*m_read, memory);
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{plain(EcuDataReadEnded)});
    EXPECT_FALSE(m_operator.busyWhenTold.back());
    EXPECT_TRUE(m_link->LinkContinue());
    expectIdle();

    // One request per word, 0x20 to 0xFF, and progress for each.
    EXPECT_EQ(m_sim->stats().wordsRead, 224);
    ASSERT_EQ(m_progress.size(), 225);
    EXPECT_EQ(m_progress.front(), std::make_pair(0, 224));
    EXPECT_EQ(m_progress.back(), std::make_pair(224, 224));
    EXPECT_EQ(m_link->TxHex().left(15), QStringLiteral("82 82 10 06 FF "));
}

TEST_F(ReadTest, ChecksumRetriesCountPerWord) {
    // Three bad replies before each good one: 896 replies, and still no word fails.
    const EcuImage memory = markedImage(8);
    startSim(memory, with(&SimFaults::badChecksums, 3));
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
    EXPECT_EQ(m_sim->stats().wordsRead, 4 * 224);
    EXPECT_EQ(messagesAfterPrompts().size(), 1);
}

class ReadFailure : public LinkTest, public testing::WithParamInterface<FailureCase> {};

// Each failure tells its message, hands nothing over and leaves the link idle; once the
// fault is gone the next read works.
TEST_P(ReadFailure, HandsNothingOver) {
    const EcuImage memory = markedImage(9);
    startSim(memory, GetParam().faults);
    EXPECT_FALSE(read());
    EXPECT_FALSE(m_read.has_value());
    EXPECT_EQ(messagesAfterPrompts(),
              QList<ToldMessage>{critical(GetParam().message, hangupDetail(GetParam().faults))});
    expectToldAfterBound(GetParam().afterBound);
    expectIdle();

    m_sim->setFaults({});
    resetOperator();
    EXPECT_TRUE(read());
    EXPECT_EQ(m_read, memory);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadFailure,
    testing::Values(FailureCase{"EchoChanged", with(&SimFaults::changeEchoByte, frame(5)),
                                CommunicationBoxIncorrect, false},
                    FailureCase{"EchoOneByteShort", with(&SimFaults::loseEchoByte, frame(224)),
                                CommunicationBoxIncorrect, true},
                    FailureCase{"FourBadChecksums", badChecksums(4, 0x80),
                                CommunicationBoxIncorrect, false},
                    FailureCase{"CablePulled", with(&SimFaults::silentAfter, 100),
                                CommunicationBoxIncorrect, true},
                    FailureCase{"DeviceGone", with(&SimFaults::hangupAfter, 100),
                                CommunicationBoxIncorrect, false}),
    ByName());

TEST_F(ReadTest, AWrongMarkerHandsNothingOver) {
    EcuImage memory = markedImage(10);
    memory.setByte(DataTypeOffset + 4, 'X');
    startSim(memory);
    EXPECT_FALSE(read());
    EXPECT_FALSE(m_read.has_value());
    EXPECT_EQ(messagesAfterPrompts(), QList<ToldMessage>{critical(EcuDataTypeIncorrect)});
    EXPECT_EQ(m_sim->stats().wordsRead, 224);
    expectIdle();
}

} // namespace
