#include "files/e2p_reader.h"
#include "files/file_writing.h"
#include "files/history_folder.h"
#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace {

const QDateTime Noon(QDate(2026, 12, 7), QTime(14, 3, 12, 345));

EcuImage named(const QString &name) {
    EcuImage image;
    image.setByte(200, 0x5A);
    setEcuDataName(image, name);
    return image;
}

TEST(HistoryFolder, KeepsEachTransferAsItWentOverTheLine) {
    QTemporaryDir dir;
    HistoryFolder history(dir.filePath(QStringLiteral("QZ3ROK/history")));
    const auto read = history.keep(named(QStringLiteral("RACE1")), HistoryKind::Read,
                                   QStringLiteral("COM3 (/dev/ttyUSB0)"), Noon);
    const auto again = history.keep(named(QStringLiteral("RACE1")), HistoryKind::Read,
                                    QStringLiteral("COM3 (/dev/ttyUSB0)"), Noon);
    const auto written = history.keep(named(QStringLiteral("WET")), HistoryKind::BeforeWrite,
                                      QStringLiteral("COM1 (/dev/ttyS0)"), Noon.addSecs(60));
    ASSERT_TRUE(read.ok && again.ok && written.ok);
    EXPECT_EQ(QFileInfo(read.path).fileName(), QStringLiteral("2026-12-07_14-03-12.345_read.E2P"));
    EXPECT_EQ(QFileInfo(again.path).fileName(),
              QStringLiteral("2026-12-07_14-03-12.345_read-2.E2P"));
    EXPECT_EQ(QFileInfo(written.path).fileName(),
              QStringLiteral("2026-12-07_14-04-12.345_before-write.E2P"));

    const E2PReadResult back = readE2PFile(written.path);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.damaged.count, 0);
    // The CRC-32s as python3's zlib.crc32 gives them for the same bytes.
    EXPECT_EQ(back.commentText, QStringLiteral("ECU data read before a write from COM1 "
                                               "(/dev/ttyS0) on 2026-12-07 14:04:12, "
                                               "CRC-32 64998EAD"));

    const std::vector<HistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].path, written.path); // newest first
    EXPECT_EQ(entries[0].kind, HistoryKind::BeforeWrite);
    EXPECT_EQ(entries[0].dataName, QStringLiteral("WET"));
    EXPECT_EQ(entries[0].crc32, QStringLiteral("64998EAD"));
    EXPECT_EQ(entries[1].path, again.path);
    EXPECT_EQ(entries[2].when, Noon);
    EXPECT_EQ(entries[2].commentFirstLine,
              QStringLiteral("ECU data read from COM3 (/dev/ttyUSB0) on 2026-12-07 14:03:12, "
                             "CRC-32 B1EC5E89"));

    // Two programs keeping entries at once: each name is taken by creating its file.
    const auto keep40 = [&history] {
        for (int k = 0; k < 40; ++k)
            HistoryFolder(history.path()).keep(EcuImage(), HistoryKind::Read, {}, Noon);
    };
    std::thread other(keep40);
    keep40();
    other.join();
    EXPECT_EQ(history.entries().size(), 3u + 80u);
}

// Only regular files with exactly the names the folder gives, older ones to the second among
// them, are its own; a link is never followed nor removed.
TEST(HistoryFolder, KeepsTheNewest500AndNothingElseIsDeleted) {
    QTemporaryDir dir;
    HistoryFolder history(dir.path());
    const QStringList others =
        QStringLiteral("2020-01-01_00-00-00_mine.E2P 2020-01-01_00-00-00_read-1.E2P "
                       "2020-01-01_00-00-00_read.e2p 2020-13-01_00-00-00_read.E2P "
                       "2020-01-01_24-00-00_read.E2P 2020-01-01_00-00-00.12_read.E2P "
                       "x2020-01-01_00-00-00_read.E2P target")
            .split(QLatin1Char(' '));
    for (const QString &name : others)
        ASSERT_TRUE(writeNewFile(dir.filePath(name), "mine").ok);
    const QString link = dir.filePath(QStringLiteral("2020-01-01_00-00-01_read.E2P"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("target")), link));
    const QString oldEntry = dir.filePath(QStringLiteral("2020-01-01_00-00-02_written.E2P"));
    ASSERT_TRUE(writeNewFile(oldEntry, {}).ok);

    for (int k = 0; k < HistoryFolder::Kept + 1; ++k)
        ASSERT_TRUE(
            history.keep(EcuImage(), HistoryKind::Read, QStringLiteral("COM1"), Noon.addSecs(k))
                .ok);
    const std::vector<HistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 500u);
    EXPECT_EQ(entries.back().when, Noon.addSecs(1));
    EXPECT_EQ(entries.front().when, Noon.addSecs(500));
    // The old entry and the first new one went; every other file, the link included, stays.
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 500 + 9);
}

} // namespace
