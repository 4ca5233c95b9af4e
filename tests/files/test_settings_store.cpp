#include "files/settings_store.h"
#include "qt_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
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

    writeLastFile(store, {QString(4096, QLatin1Char('a')), {}, QStringLiteral("A.E2P")});
    EXPECT_EQ(readLastFile(store).path, NoLastFile); // longer than the system takes
}

// A settings path (or its target) other than a regular file up to 1 MiB is never opened.
struct HostileCase {
    const char *name;
    const char *target;  // file, device, fifo, folder, big (over 1 MiB), later (a pipe once read)
    bool linked;         // the settings path a symlink to the target
    const char *warning; // %1: the settings path
};

class HostileSettings : public Settings, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileSettings, AreNeverOpenedAndStayAsTheyWere) {
    const HostileCase &c = GetParam();
    const std::string_view kind = c.target;
    if (kind == "device" && ::geteuid() != 0)
        GTEST_SKIP() << "making a device node (mknod) takes root";
    const QString target = m_dir.filePath(QStringLiteral("QZ3ROK"));
    const QString ini = c.linked ? iniPath() : target;
    const std::string name = target.toStdString();
    const QByteArray text =
        "[CommProt]\nPortNo=5\n" + QByteArray(kind == "big" ? SettingsFileSizeLimit : 0, ';');
    QFile file(target);
    ASSERT_TRUE(kind == "device" ? ::mknod(name.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0
                : kind == "fifo" ? ::mkfifo(name.c_str(), 0600) == 0
                : kind == "folder"
                    ? ::mkdir(name.c_str(), 0700) == 0
                    : file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    ASSERT_TRUE(!c.linked || QFile::link(target, ini));
    using enum std::filesystem::file_type;
    const auto type = kind == "later" ? fifo : std::filesystem::status(name).type();
    ::alarm(20); // a pipe opened for reading would wait for ever
    {
        SettingsStore store(ini);
        ASSERT_TRUE(kind != "later" || (file.remove() && ::mkfifo(name.c_str(), 0600) == 0));
        writeSerialDevice(store, 3, QStringLiteral("/dev/ttyX"));
        EXPECT_EQ(readSerialDevice(store, 3), QStringLiteral("/dev/ttyX"));
        EXPECT_EQ(readPortNo(store), kind == "file" || kind == "later" ? 5 : 1);
        EXPECT_EQ(store.notSavedWarning(),
                  *c.warning ? QLatin1String(c.warning).arg(ini) : QString());
    }
    ::alarm(0);
    EXPECT_EQ(std::filesystem::status(name).type(), type);
    const QByteArray now =
        type == regular && file.open(QIODevice::ReadOnly) ? file.readAll() : text;
    EXPECT_TRUE(kind == "file" ? now.contains("COM3=/dev/ttyX") : now == text);
}

const char *const NotRegular = "Settings are not saved: %1 is not a regular file";

INSTANTIATE_TEST_SUITE_P(Cases, HostileSettings,
                         testing::ValuesIn(std::vector<HostileCase>{
                             {"SymlinkToARegularFileWrittenThrough", "file", true, ""},
                             {"SymlinkToADevice", "device", true, NotRegular},
                             {"Fifo", "fifo", false, NotRegular},
                             {"FileReplacedByAFifo", "later", false, NotRegular},
                             {"Folder", "folder", false, NotRegular},
                             {"LargerThanOneMiB", "big", false,
                              "Settings are not saved: %1 is larger than 1 MiB"}}),
                         [](const auto &param) { return std::string(param.param.name); });

} // namespace
