#include "link/port_failure.h"
#include "link/port_mapping.h"
#include "link/serial_device.h"
#include "link/verification_file_path.h"
#include "pty_line.h"
#include "qt_printers.h"
#include "serial_port_entries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SerialDevice : public testing::Test {
protected:
    QTemporaryDir m_dir;
    SettingsStore m_settings{m_dir.filePath(QStringLiteral("s.ini"))};
};

TEST_F(SerialDevice, AMappingWithoutAStableNameKeepsTheSystemNameAndPortsKnowTheirNumbers) {
    mapPortNumber(m_settings, 5, {QStringLiteral("ttyUSB1"), QStringLiteral("/dev/ttyUSB1")});
    EXPECT_EQ(serialDeviceName(5, m_settings), QStringLiteral("/dev/ttyUSB1"));
    writeSerialDevice(m_settings, 1, QStringLiteral("ttyUSB0")); // COM1 no longer /dev/ttyS0
    writeSerialDevice(m_settings, 3, UsbAdapter.stableName);
    EXPECT_EQ(portNumbersOf(UsbAdapter, m_settings), (QList<int>{1, 3}));
    EXPECT_EQ(portNumbersOf(BoardPort, m_settings), QList<int>());
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

// Port k opens the device its mapping names, else the k-th standard port; the menu names the
// device as the system lists it, with its description when it is there.
TEST_F(SerialDevice, MenuTextsNameTheDeviceEachPortOpens) {
    const struct {
        int portNo;
        QString mapping; // [CommProt] COM<portNo>; empty: none
        bool adapterPresent;
        QString text;
    } cases[] = {
        {3, QStringLiteral(" /dev/ttyUSB0 "), true,
         QStringLiteral("COM3  /dev/ttyUSB0 (FT232R USB UART)")},
        {3, UsbAdapter.stableName, true, QStringLiteral("COM3  /dev/ttyUSB0 (FT232R USB UART)")},
        {3, UsbAdapter.stableName, false, QStringLiteral("COM3  ") + UsbAdapter.stableName},
        {1, QString(), true, QStringLiteral("COM1  /dev/ttyS0")},
        {16, QString(), true, QStringLiteral("COM16  /dev/ttyS15")}};
    for (const auto &c : cases) {
        // Written by hand: the key in any case, blanks around the path.
        if (!c.mapping.isEmpty())
            m_settings.writeText(QStringLiteral("commprot"), QStringLiteral("com%1").arg(c.portNo),
                                 c.mapping);
        const QList<SerialPortEntry> ports =
            c.adapterPresent ? QList<SerialPortEntry>{BoardPort, UsbAdapter} : QList{BoardPort};
        EXPECT_EQ(portMenuText(c.portNo, m_settings, ports), c.text);
    }
}

// A refused open names the missing permission, with the device group unless to root (a held
// port: the handshake's test); a failed read, a device gone or another reader.
TEST(PortFailureReason, SaysWhatThePersonCanDo) {
    const QString denied = QStringLiteral("Permission denied");
    EXPECT_EQ(
        refusedOpenReason(OpenRefusal::NotPermitted, denied, false),
        QStringLiteral("Permission denied \u2014 on Linux the user must be in the dialout group"));
    EXPECT_EQ(refusedOpenReason(OpenRefusal::NotPermitted, denied, true), denied);

    PtyLine line;
    QString error;
    ASSERT_TRUE(line.open(error)) << error.toStdString();
    QFile device(line.slavePath());
    ASSERT_TRUE(device.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    EXPECT_EQ(readFailureReason(device.handle()),
              QStringLiteral("another program is reading from the port"));
    line.close();
    EXPECT_EQ(readFailureReason(device.handle()),
              QStringLiteral("the device went away (unplugged or switched off)"));
}

// The data file's name with "TMP" for its extension, in the data file's folder; for a name too
// short, or without a data file, the data name in the data file's folder, the file folder or
// else the home folder ("~"). A data file is never the verification file.
TEST(VerificationFilePath, NamesTheVerificationFileButNeverTheDataFile) {
    const struct {
        const char *path, *dir, *dataName, *expected;
    } cases[] = {{"/data/race1.E2P", "/data", "race1", "/data/race1.TMP"},
                 {"/data/race1.e2p", "/data", "race1", "/data/race1.TMP"},
                 {"/data/old.TMP", "/data", "old", "/data/old.TMP.TMP"},
                 {"/data/old.tmp", "/data", "old", "/data/old.tmp.TMP"},
                 {"", "/data", "ECUREAD ", "/data/ECUREAD.TMP"},
                 {"/data/ab", "/else", "R1", "/data/R1.TMP"}, // too short to replace
                 {"sub/AB", "/data", "R1", "sub/R1.TMP"},     // in its folder, not "subTMP"
                 {"", "", "R1", "~/R1.TMP"},
                 {"", "/data", "a/b\\..", "/data/a_b_...TMP"}, // stays in the folder
                 {"", "/data", "        ", "/data/ECUDATA.TMP"}};
    for (const auto &c : cases) {
        EXPECT_EQ(verificationFilePath(QLatin1String(c.path), QLatin1String(c.dir),
                                       QLatin1String(c.dataName)),
                  QString::fromLatin1(c.expected).replace(QLatin1Char('~'), QDir::homePath()))
            << c.path << " " << c.dataName;
    }

    // Nor through a link.
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("race1.E2P"));
    QFile(data).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(data, dir.filePath(QStringLiteral("race1.TMP"))));
    EXPECT_EQ(verificationFilePath(data, dir.path(), QStringLiteral("race1")),
              dir.filePath(QStringLiteral("race1.TMP.TMP")));
}

} // namespace
