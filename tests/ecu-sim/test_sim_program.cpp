#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "image/ecu_layout.h"
#include "link/ecu_link.h"
#include "link/link_texts.h"
#include "link/qt_serial_port.h"
#include "recording_operator.h"
#include "sim_memory.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

TEST(EcuSimProgram, KeepsWhatAWriteLeftInItsMemoryFile) {
    QTemporaryDir dir;
    const QString memoryFile = dir.filePath(QStringLiteral("ecu.E2P"));
    const QString link = dir.filePath(QStringLiteral("ttyECU"));
    const EcuImage before = defaultSimMemory();
    ASSERT_TRUE(
        writeFileSafely(memoryFile,
                        e2pFileContents(before, E2PComment::fromText(QStringLiteral("bench ECU"))))
            .ok);

    QProcess sim;
    sim.start(QStringLiteral(ECU_SIM_PROGRAM),
              {QStringLiteral("--link"), link, QStringLiteral("--memory"), memoryFile});
    ASSERT_TRUE(sim.waitForReadyRead(5000)) << sim.readAllStandardError().toStdString();
    EXPECT_TRUE(sim.readAllStandardOutput().startsWith("ecu-sim: ECU on /dev/pts/"));

    EcuImage image = before;
    for (int offset = 0; offset < DataNameOffset; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>(offset * 7));
    SettingsStore settings(dir.filePath(QStringLiteral("s.ini")));
    settings.writeText(CommProtSection, QStringLiteral("COM1"), link);
    QtSerialPort port;
    RecordingOperator op;
    EcuLink ecuLink(port, op, settings);
    EXPECT_EQ(ecuLink.EcuDataWrite(image, dir.filePath(QStringLiteral("ecu.TMP"))),
              WriteOutcome::Done);
    ASSERT_FALSE(op.messages.isEmpty());
    EXPECT_EQ(op.messages.back().text, EcuDataSettingEnded);

    ::kill(static_cast<pid_t>(sim.processId()), SIGTERM);
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();

    const HexReadResult saved = HEX_Data_read(memoryFile);
    ASSERT_TRUE(saved.HexReadOk) << saved.message.toStdString();
    for (int offset = 0; offset < EcuImageSize; ++offset) {
        EXPECT_EQ(saved.image.byte(offset),
                  isProtectedOffset(offset) ? before.byte(offset) : image.byte(offset))
            << offset;
    }
    EXPECT_EQ(saved.CommentText, QStringLiteral("bench ECU"));
}

TEST(EcuSimProgram, DocumentsItselfAndRefusesBadArguments) {
    QProcess help;
    help.start(QStringLiteral(ECU_SIM_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(5000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--lose-echo-byte"));

    QProcess refused;
    refused.start(QStringLiteral(ECU_SIM_PROGRAM),
                  {QStringLiteral("--silent-at"), QStringLiteral("D")});
    ASSERT_TRUE(refused.waitForFinished(5000));
    EXPECT_EQ(refused.exitCode(), 2);
    EXPECT_FALSE(refused.readAllStandardError().isEmpty());
}

} // namespace
