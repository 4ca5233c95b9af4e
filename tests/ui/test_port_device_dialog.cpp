#include "dialogs/port_device_dialog.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

class FakePortList : public SerialPortList {
public:
    [[nodiscard]] QList<SerialPortEntry> availablePorts() const override { return ports; }
    QList<SerialPortEntry> ports;
};

const SerialPortEntry Adapter{QStringLiteral("ttyUSB0"),
                              QStringLiteral("/dev/ttyUSB0"),
                              QStringLiteral("FT232R USB UART"),
                              QStringLiteral("FTDI"),
                              QStringLiteral("A10K1234"),
                              0x0403,
                              0x6001,
                              QStringLiteral("/dev/serial/by-id/usb-FTDI-A10K1234")};
const SerialPortEntry Board{QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0")};

QStringList row(const QTreeWidget *table, int index) {
    QStringList texts;
    const QTreeWidgetItem *item = table->topLevelItem(index);
    for (int column = 0; item && column < table->columnCount(); ++column)
        texts.push_back(item->text(column));
    return texts;
}

} // namespace

class TestPortDeviceDialog : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakePortList m_list;
    std::unique_ptr<SettingsStore> m_settings;

private slots:
    void init() {
        m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s.ini")));
        m_list.ports = {Board};
    }

    void listsThePortsOnOpenAndOnRefreshAndMapsTheChosenOne() {
        PortDeviceDialog dialog(m_list, *m_settings, 3);
        QSignalSpy mapped(&dialog, &PortDeviceDialog::portMapped);
        m_list.ports = {Board, Adapter}; // plugged in before the dialog opens
        dialog.show();
        QTreeWidget *table = dialog.portTable();
        QCOMPARE(table->topLevelItemCount(), 2);
        QCOMPARE(
            row(table, 0),
            (QStringList{QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}, QStringLiteral("COM1")}));
        QCOMPARE(row(table, 1),
                 (QStringList{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"),
                              QStringLiteral("FTDI"), QStringLiteral("A10K1234"),
                              QStringLiteral("0403:6001"), QString()}));
        QVERIFY(!dialog.mapButton()->isEnabled());

        m_list.ports = {Adapter};
        QTest::mouseClick(dialog.refreshButton(), Qt::LeftButton);
        QCOMPARE(table->topLevelItemCount(), 1);
        table->setCurrentItem(table->topLevelItem(0));
        QCOMPARE(dialog.mapButton()->text(), QStringLiteral("Use for COM3"));
        QTest::mouseClick(dialog.mapButton(), Qt::LeftButton);
        QCOMPARE(readSerialDevice(*m_settings, 3), Adapter.stableName);
        QCOMPARE(mapped.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // Opened again, it shows the mapping and chooses the port COM3 opens.
        PortDeviceDialog again(m_list, *m_settings, 3);
        again.show();
        QCOMPARE(row(again.portTable(), 0).back(), QStringLiteral("COM3"));
        QVERIFY(again.mapButton()->isEnabled());
    }

    void mapsNothingWherePortNumbersAreTheDevices() {
        PortDeviceDialog dialog(m_list, *m_settings, 2, nullptr, false);
        dialog.show();
        QCOMPARE(dialog.portTable()->topLevelItemCount(), 1);
        QVERIFY(!dialog.mapButton());
        emit dialog.portTable()->itemActivated(dialog.portTable()->topLevelItem(0), 0);
        QCOMPARE(readSerialDevice(*m_settings, 2), QString());
    }
};

QTEST_MAIN(TestPortDeviceDialog)
#include "test_port_device_dialog.moc"
