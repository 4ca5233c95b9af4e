#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "qt_printers.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

EcuImage randomImage(unsigned seed) {
    std::mt19937 random(seed);
    EcuImage image;
    for (int offset = 0; offset < EcuImageSize; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>(random() & 0xFF));
    return image;
}

TEST(E2PWriter, FileHasTwentyEightRecordsEndRecordAndCommentStart) {
    const EcuImage image = randomImage(1);
    const QByteArray file = e2pFileContents(image, {});
    ASSERT_TRUE(file.endsWith("<<<Comment Start>>>\r\n\r\n")); // an empty comment is one line
    const QList<QByteArray> lines = file.split('\n');
    ASSERT_EQ(lines.size(), 32); // 31 lines and the empty rest after the last LF
    for (int i = 0; i < 31; ++i)
        ASSERT_TRUE(lines[i].endsWith('\r')) << i;

    for (int row = 2; row <= 29; ++row) {
        const QByteArray record = lines[row - 2].chopped(1);
        ASSERT_EQ(record.size(), 43);
        EXPECT_EQ(record.mid(0, 3), ":10");
        EXPECT_EQ(record.mid(3, 4),
                  QByteArray::number(row * 16, 16).rightJustified(4, '0').toUpper());
        EXPECT_EQ(record.mid(7, 2), "00");
        EXPECT_EQ(record, record.toUpper());
        int sum = 0;
        for (int i = 1; i < 43; i += 2)
            sum += record.mid(i, 2).toInt(nullptr, 16);
        EXPECT_EQ(sum % 256, 0) << record.constData();
        for (int column = 0; column < 16; ++column)
            EXPECT_EQ(record.mid(9 + 2 * column, 2).toInt(nullptr, 16), image.at(row, column));
    }
    EXPECT_EQ(lines[28], ":00000001FF\r");
    EXPECT_EQ(lines[29], "<<<Comment Start>>>\r");
}

// A failed write gives the system's reason and leaves the previous file as it was; a new file
// is not left half-written. A file the user may not write is refused although the folder would
// let the save replace it, and a read-only file stays read-only even for root.
TEST(WriteFileSafely, AFailureGivesTheReasonAndKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder.E2P"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(writeFileSafely(folder, "new").error,
              QStringLiteral("Filename refers to a directory"));

    const QString path = dir.filePath(QStringLiteral("KEEP.E2P"));
    const auto kept = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && file.readAll() == "old contents";
    };
    ASSERT_TRUE(writeFileSafely(path, "old contents").ok);
    // A file size limit of 10 bytes stands in for a disk that fills up during the save.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit unlimited = limit;
    limit.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const FileWriteResult cutShort = writeFileSafely(path, QByteArray(4096, 'x'));
    const QString newPath = dir.filePath(QStringLiteral("NEW.E2P"));
    const FileWriteResult newCutShort = writeNewFile(newPath, QByteArray(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &unlimited);
    EXPECT_FALSE(cutShort.ok);
    EXPECT_EQ(cutShort.error, QStringLiteral("File too large"));
    EXPECT_EQ(newCutShort.error, QStringLiteral("File too large"));
    EXPECT_FALSE(QFileInfo::exists(newPath)); // no half-written file
    EXPECT_TRUE(kept());

    if (geteuid() == 0) { // root's file, as another user in a folder open to all
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        ASSERT_EQ(setresuid(65534, 65534, 0), 0); // nobody, with a way back
        const FileWriteResult asNobody = writeFileSafely(path, "new");
        ASSERT_EQ(setresuid(0, 0, 0), 0);
        EXPECT_EQ(asNobody.error, QStringLiteral("Permission denied"));
    }

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const FileWriteResult readOnly = writeFileSafely(path, "new");
    EXPECT_FALSE(readOnly.ok);
    EXPECT_EQ(readOnly.error, QStringLiteral("Permission denied"));
    EXPECT_FALSE(QFile::permissions(path) & QFileDevice::WriteOwner);
    EXPECT_TRUE(kept());
}

} // namespace
