#include "qt_printers.h"
#include "sim_options.h"

#include <gtest/gtest.h>

namespace {

SimCommandLine parse(const char *args) {
    return parseSimArguments(QStringLiteral("ecu-sim %1").arg(QLatin1String(args)).split(u' '));
}

TEST(SimOptions, EveryOptionReachesTheConfiguration) {
    const SimCommandLine c =
        parse("--link /tmp/ttyECU --memory m.E2P --paced --lose-echo-byte b --change-echo-byte 7 "
              "--bad-checksum 3@0x3A --silent-at C --wrong-answer b --product-code QZ4R "
              "--silent-after 12 --wrong-ack 9 --line-event cd@20 --hangup-after 30 "
              "--stuck-word FF");
    ASSERT_TRUE(c.error.isEmpty()) << c.error.toStdString();
    EXPECT_EQ(c.config.linkPath, QStringLiteral("/tmp/ttyECU"));
    EXPECT_EQ(c.memoryFile, QStringLiteral("m.E2P"));
    EXPECT_TRUE(c.config.paced);
    const SimFaults &f = c.config.faults;
    EXPECT_EQ(f.loseEchoByte, (FaultPoint{FaultPoint::Kind::StageB, 0}));
    EXPECT_EQ(f.changeEchoByte, (FaultPoint{FaultPoint::Kind::DataFrame, 7}));
    EXPECT_EQ(f.badChecksums, 3);
    EXPECT_EQ(f.badChecksumWord, 0x3A);
    EXPECT_EQ(f.silentAt, HandshakeStage::C);
    EXPECT_EQ(f.wrongAnswerAt, HandshakeStage::B);
    EXPECT_EQ(f.productCode, QStringLiteral("QZ4R"));
    EXPECT_EQ(f.silentAfter, 12);
    EXPECT_EQ(f.wrongAcknowledgeAt, 9);
    EXPECT_EQ(f.lineEvent, (LineEventFault{LineEventKind::CarrierDetect, 20}));
    EXPECT_EQ(f.hangupAfter, 30);
    EXPECT_EQ(f.stuckWord, 0xFF);

    // Bad checksums without a word hit every word.
    const SimCommandLine everyWord = parse("--link L --bad-checksum 2");
    EXPECT_EQ(everyWord.config.faults.badChecksums, 2);
    EXPECT_FALSE(everyWord.config.faults.badChecksumWord.has_value());
}

} // namespace
