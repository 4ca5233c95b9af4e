#include "files/settings_store.h"
#include "qt_printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
}

} // namespace
