#include "link/port_mapping.h"
#include "link/serial_device.h"
#include "link/tmp_path.h"
#include "qt_printers.h"
#include "serial_port_entries.h"

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

TEST_F(SerialDevice, AMappingWithoutAStableNameKeepsTheSystemNameAndPortsKnowTheirNumbers) {
    mapPortNumber(*m_settings, 5, {QStringLiteral("ttyUSB1"), QStringLiteral("/dev/ttyUSB1")});
    EXPECT_EQ(serialDeviceName(5, *m_settings), QStringLiteral("/dev/ttyUSB1"));
    writeSerialDevice(*m_settings, 1, QStringLiteral("ttyUSB0")); // COM1 no longer /dev/ttyS0
    writeSerialDevice(*m_settings, 3, UsbAdapter.stableName);
    EXPECT_EQ(portNumbersOf(UsbAdapter, *m_settings), (QList<int>{1, 3}));
    EXPECT_EQ(portNumbersOf(BoardPort, *m_settings), QList<int>());
}

TEST_F(SerialDevice, TheStableNameIsALinkToTheSameDevice) {
    // Files stand in for the devices: by-id/usb-a leads to ttyUSB1, by-id/usb-b to ttyUSB0.
    const QDir dir(m_dir.path());
    ASSERT_TRUE(dir.mkdir(QStringLiteral("by-id")));
    for (const QString &name : {QStringLiteral("a1"), QStringLiteral("b0")}) {
        QFile device(dir.filePath(QStringLiteral("ttyUSB") + name.back()));
        ASSERT_TRUE(device.open(QIODevice::WriteOnly));
        ASSERT_TRUE(device.link(dir.filePath(QStringLiteral("by-id/usb-") + name.front())));
    }
    const SerialPortEntry port{QStringLiteral("ttyUSB0"), dir.filePath(QStringLiteral("ttyUSB0"))};
    const QString byId = dir.filePath(QStringLiteral("by-id"));
    EXPECT_EQ(stableDeviceName(port.systemLocation, byId), byId + QStringLiteral("/usb-b"));
    EXPECT_EQ(stableDeviceName(dir.filePath(QStringLiteral("ttyUSB2")), byId), QString());
    EXPECT_TRUE(isSamePort(port, byId + QStringLiteral("/usb-b")));
    EXPECT_FALSE(isSamePort(port, byId + QStringLiteral("/usb-a")));
}

struct MenuCase {
    const char *name;
    int portNo;
    QString mapping; // [CommProt] COM<portNo>; empty: none
    bool adapterPresent;
    QString text;
};

class MenuTexts : public SerialDevice, public testing::WithParamInterface<MenuCase> {};

TEST_P(MenuTexts, NameTheDevicePortKOpensWhichIsTheKthStandardPortWithoutASetting) {
    const MenuCase &c = GetParam();
    // Written by hand: the key in any case, blanks around the path.
    if (!c.mapping.isEmpty())
        m_settings->writeText(QStringLiteral("commprot"), QStringLiteral("com%1").arg(c.portNo),
                              c.mapping);
    const QList<SerialPortEntry> ports =
        c.adapterPresent ? QList<SerialPortEntry>{BoardPort, UsbAdapter} : QList{BoardPort};
    EXPECT_EQ(portMenuText(c.portNo, *m_settings, ports), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuTexts,
    testing::Values(MenuCase{"MappedAdapter", 3, QStringLiteral(" /dev/ttyUSB0 "), true,
                             QStringLiteral("COM3  /dev/ttyUSB0 (FT232R USB UART)")},
                    MenuCase{"MappedByStableName", 3, UsbAdapter.stableName, true,
                             QStringLiteral("COM3  /dev/ttyUSB0 (FT232R USB UART)")},
                    MenuCase{"MappedAdapterUnplugged", 3, UsbAdapter.stableName, false,
                             QStringLiteral("COM3  ") + UsbAdapter.stableName},
                    MenuCase{"DefaultDeviceWithoutDescription", 1, QString(), true,
                             QStringLiteral("COM1  /dev/ttyS0")},
                    MenuCase{"DefaultDeviceAbsent", 16, QString(), true,
                             QStringLiteral("COM16  /dev/ttyS15")}),
    [](const auto &menuCase) { return std::string(menuCase.param.name); });

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
