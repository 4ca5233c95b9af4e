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

TEST_F(Settings, AbsentKeysGiveTheirDefaults) {
    SettingsStore store(iniPath());
    const LastFile last = readLastFile(store);
    EXPECT_EQ(last.path, QStringLiteral("0"));
    EXPECT_EQ(last.dir, QStringLiteral("0"));
    EXPECT_EQ(last.name, QStringLiteral("0"));
    EXPECT_EQ(readPortNo(store), 1);
    EXPECT_EQ(readSerialDevice(store, 1), QString());
}

class PortNoSetting : public Settings,
                      public testing::WithParamInterface<std::pair<QString, int>> {};

TEST_P(PortNoSetting, ReadsAsOneUnlessANumberFromOneToSixteen) {
    SettingsStore store(iniPath());
    store.writeText(QStringLiteral("CommProt"), QStringLiteral("portno"), GetParam().first);
    EXPECT_EQ(readPortNo(store), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PortNoSetting,
    testing::Values(std::pair{QStringLiteral("16"), 16}, std::pair{QStringLiteral("1"), 1},
                    std::pair{QStringLiteral("7"), 7}, std::pair{QStringLiteral("0"), 1},
                    std::pair{QStringLiteral("17"), 1}, std::pair{QStringLiteral("-3"), 1},
                    std::pair{QStringLiteral("COM3"), 1}, std::pair{QStringLiteral("3.5"), 1},
                    std::pair{QString(), 1}));

TEST(SettingsLocation, UserStoreLivesInTheConfigFolderUnderQZ3ROK) {
    // Each test runs in its own process, so the path is fixed here for the first time.
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    SettingsStore store;
    store.writeText(QStringLiteral("CommProt"), QStringLiteral("PortNo"), QStringLiteral("2"));
    EXPECT_EQ(store.fileName(), dir.filePath(QStringLiteral("QZ3ROK/QZ3ROK.ini")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("QZ3ROK/QZ3ROK.ini"))));
}

} // namespace
