#include "files/settings_store.h"
#include "qt_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

class Settings : public testing::Test {
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("QZ3ROK.ini")); }
    QTemporaryDir m_dir;
};

TEST_F(Settings, KeysAndSectionsCompareWithoutRegardToCase) {
    {
        SettingsStore store(iniPath());
        store.writeText(QStringLiteral("F_name"), QStringLiteral("Hex_path"), QStringLiteral("/a"));
    }
    SettingsStore store(iniPath());
    EXPECT_EQ(store.readText(QStringLiteral("F_name"), QStringLiteral("hex_path"), NoLastFile),
              QStringLiteral("/a"));
    EXPECT_EQ(store.readText(QStringLiteral("f_NAME"), QStringLiteral("HEX_PATH"), NoLastFile),
              QStringLiteral("/a"));

    // Writing under another spelling replaces the value instead of adding a second key.
    store.writeText(QStringLiteral("F_name"), QStringLiteral("HEX_Path"), QStringLiteral("/b"));
    EXPECT_EQ(store.readText(QStringLiteral("F_name"), QStringLiteral("Hex_path"), NoLastFile),
              QStringLiteral("/b"));
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll().toLower();
    EXPECT_EQ(text.count("hex_path"), 1) << text.constData();
}

// PortNo reads as 1 unless it is a number from 1 to 16.
TEST_F(Settings, AbsentKeysGiveTheirDefaultsAndPortNoIsAPortNumber) {
    SettingsStore store(iniPath());
    const LastFile last = readLastFile(store);
    EXPECT_EQ(last.path, QStringLiteral("0"));
    EXPECT_EQ(last.dir, QStringLiteral("0"));
    EXPECT_EQ(last.name, QStringLiteral("0"));
    EXPECT_EQ(readPortNo(store), 1);
    EXPECT_EQ(readSerialDevice(store, 1), QString());

    // Each value that reads as 1 follows one that does not.
    const std::pair<const char *, int> values[] = {
        {"16", 16},  {"0", 1}, {"7", 7},   {"17", 1}, {"2", 2}, {"-3", 1}, {"3", 3},
        {"COM3", 1}, {"4", 4}, {"3.5", 1}, {"5", 5},  {"", 1},  {"6", 6},  {"1", 1}};
    for (const auto &[stored, portNo] : values) {
        store.writeText(QStringLiteral("CommProt"), QStringLiteral("portno"),
                        QString::fromLatin1(stored));
        EXPECT_EQ(readPortNo(store), portNo) << stored;
    }

    // A last-file path longer than the system takes is no last file.
    for (const qsizetype length : {4095, 4096}) {
        writeLastFile(store, {QString(length, QLatin1Char('a')), {}, QStringLiteral("A.E2P")});
        EXPECT_EQ(readLastFile(store).path.size(), length < 4096 ? length : 1);
    }
}

// What the settings path is (or, linked, leads to): "file", "device", "fifo", "folder", "big"
// (over 1 MiB), "parent" (a file where the folder should be). Anything but a regular file of
// at most 1 MiB in a folder is never opened: defaults, one warning, the target as it was.
struct HostileCase {
    const char *name;
    const char *target;
    bool linked;
    const char *warning; // %1: the settings path (the folder for "parent")
    friend void PrintTo(const HostileCase &c, std::ostream *out) { *out << c.name; }
};

class HostileSettings : public Settings, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileSettings, AreNeverOpenedAndStayAsTheyWere) {
    const HostileCase &c = GetParam();
    const std::string_view kind = c.target;
    if (kind == "device" && ::geteuid() != 0)
        GTEST_SKIP() << "making a device node (mknod) takes root";
    const bool parent = kind == "parent";
    const QString target =
        m_dir.filePath(QLatin1String(c.linked ? "target" : (parent ? "QZ3ROK" : "QZ3ROK.ini")));
    const QString ini =
        c.linked ? iniPath() : (parent ? target + QStringLiteral("/QZ3ROK.ini") : target);
    const QByteArray name = QFile::encodeName(target);
    const QByteArray text =
        "[CommProt]\nPortNo=5\n" + QByteArray(kind == "big" ? SettingsFileSizeLimit : 0, ';');
    QFile file(target);
    const bool made = kind == "device" ? ::mknod(name, S_IFCHR | 0600, makedev(1, 5)) == 0
                      : kind == "fifo" ? ::mkfifo(name, 0600) == 0
                      : kind == "folder"
                          ? ::mkdir(name, 0700) == 0
                          : file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    file.close();
    ASSERT_TRUE(made && (!c.linked || QFile::link(target, ini)));
    struct stat before {};
    ASSERT_EQ(::stat(name, &before), 0);

    ::alarm(20); // a pipe opened for reading would wait for ever
    {
        SettingsStore store(ini);
        EXPECT_EQ(store.notSavedWarning(), QString::fromUtf8(c.warning).replace(
                                               QStringLiteral("%1"), parent ? target : ini));
        EXPECT_EQ(readPortNo(store), kind == "file" ? 5 : 1);
        writePortNo(store, 7);
        EXPECT_EQ(readPortNo(store), 7); // kept for the run
    }
    ::alarm(0);
    struct stat after {};
    ASSERT_EQ(::stat(name, &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    EXPECT_EQ(QFileInfo(ini).isSymLink(), c.linked);
    if (S_ISREG(after.st_mode) && file.open(QIODevice::ReadOnly)) {
        const QByteArray now = file.readAll();
        EXPECT_EQ(kind == "file" ? now.contains("PortNo=7") : now == text, true);
    }
}

const char *const NotRegular = "Settings are not saved: %1 is not a regular file";

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileSettings,
    testing::Values(HostileCase{"SymlinkToARegularFileWrittenThrough", "file", true, ""},
                    HostileCase{"SymlinkToADevice", "device", true, NotRegular},
                    HostileCase{"Fifo", "fifo", false, NotRegular},
                    HostileCase{"Folder", "folder", false, NotRegular},
                    HostileCase{"LargerThanOneMiB", "big", false,
                                "Settings are not saved: %1 is larger than 1 MiB"},
                    HostileCase{"FolderThatIsAFile", "parent", false,
                                "Settings are not saved: %1 is not a folder"}),
    [](const auto &param) { return std::string(param.param.name); });

} // namespace
