#include "link/serial_device.h"
#include "link/tmp_path.h"
#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SerialDevice : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s.ini")));
    }
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
};

TEST_F(SerialDevice, WithoutASettingPortKNamesTheKthStandardPort) {
    EXPECT_EQ(serialDeviceName(1, *m_settings), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(serialDeviceName(16, *m_settings), QStringLiteral("/dev/ttyS15"));
}

TEST_F(SerialDevice, TheSettingOfThatPortWinsWhateverTheCaseOfItsKey) {
    m_settings->writeText(QStringLiteral("commprot"), QStringLiteral("com3"),
                          QStringLiteral(" /dev/ttyUSB0 "));
    EXPECT_EQ(serialDeviceName(3, *m_settings), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(serialDeviceName(13, *m_settings), QStringLiteral("/dev/ttyS12"));
}

struct TmpCase {
    const char *name;
    const char *path;
    const char *dir;
    const char *dataName;
    QString expected; // "~" stands for the home folder
};

class TmpPathCases : public testing::TestWithParam<TmpCase> {};

TEST_P(TmpPathCases, NamesTheVerificationFile) {
    const TmpCase &c = GetParam();
    QString expected = c.expected;
    if (expected.startsWith(QLatin1Char('~')))
        expected.replace(0, 1, QDir::homePath());
    EXPECT_EQ(TmpPath(QLatin1String(c.path), QLatin1String(c.dir), QLatin1String(c.dataName)),
              expected)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TmpPathCases,
    testing::Values(
        TmpCase{"E2P file", "/data/race1.E2P", "/data", "race1", QStringLiteral("/data/race1.TMP")},
        TmpCase{"lower-case extension", "/data/race1.e2p", "/data", "race1",
                QStringLiteral("/data/race1.TMP")},
        TmpCase{"data file named TMP is not overwritten", "/data/old.TMP", "/data", "old",
                QStringLiteral("/data/old.TMP.TMP")},
        TmpCase{"nor one named tmp in any case", "/data/old.tmp", "/data", "old",
                QStringLiteral("/data/old.tmp.TMP")},
        TmpCase{"no file: data name in the file folder", "", "/data", "ECUREAD ",
                QStringLiteral("/data/ECUREAD.TMP")},
        TmpCase{"path too short to replace", "ab", "/data", "R1", QStringLiteral("/data/R1.TMP")},
        TmpCase{"no file and no folder: home", "", "", "R1", QStringLiteral("~/R1.TMP")},
        TmpCase{"name with separators stays in the folder", "", "/data", "a/b\\..",
                QStringLiteral("/data/a_b_...TMP")},
        TmpCase{"blank name", "", "/data", "        ", QStringLiteral("/data/ECUDATA.TMP")}));

// A verification file's name that leads to the data file itself is passed over.
TEST(TmpPath, NeverNamesTheDataFile) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("race1.E2P"));
    QFile(data).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(data, dir.filePath(QStringLiteral("race1.TMP"))));
    EXPECT_EQ(TmpPath(data, dir.path(), QStringLiteral("race1")),
              dir.filePath(QStringLiteral("race1.TMP.TMP")));
}

} // namespace
