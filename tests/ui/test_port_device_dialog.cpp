#include "dialogs/port_device_dialog.h"
#include "serial_port_entries.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class TestPortDeviceDialog : public QObject {
    Q_OBJECT

private:
    static QStringList row(const PortDeviceDialog &dialog, int index) {
        QStringList texts;
        const QTreeWidgetItem *item = dialog.portTable()->topLevelItem(index);
        for (int column = 0; item && column < item->columnCount(); ++column)
            texts.push_back(item->text(column));
        return texts;
    }

private slots:
    void listsThePortsOnOpenAndOnRefreshAndMapsTheChosenOne() {
        QTemporaryDir dir;
        SettingsStore settings(dir.filePath(QStringLiteral("s.ini")));
        FakePortList list;
        PortDeviceDialog dialog(list, settings, 3);
        QSignalSpy mapped(&dialog, &PortDeviceDialog::portMapped);
        list.ports.push_back(UsbAdapter); // plugged in before the dialog opens
        dialog.show();
        QCOMPARE(
            row(dialog, 0),
            (QStringList{QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}, QStringLiteral("COM1")}));
        QCOMPARE(row(dialog, 1),
                 (QStringList{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"),
                              QStringLiteral("FTDI"), QStringLiteral("A10K1234"),
                              QStringLiteral("0403:6001"), QString()}));
        QVERIFY(!dialog.mapButton()->isEnabled());

        list.ports = {UsbAdapter};
        QTest::mouseClick(dialog.refreshButton(), Qt::LeftButton);
        QCOMPARE(dialog.portTable()->topLevelItemCount(), 1);
        dialog.portTable()->setCurrentItem(dialog.portTable()->topLevelItem(0));
        QCOMPARE(dialog.mapButton()->text(), QStringLiteral("Use for COM3"));
        QTest::mouseClick(dialog.mapButton(), Qt::LeftButton);
        QCOMPARE(readSerialDevice(settings, 3), UsbAdapter.stableName);
        QCOMPARE(mapped.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // Where COMk is the device itself, it only lists.
        PortDeviceDialog listing(list, settings, 2, nullptr, false);
        listing.show();
        QCOMPARE(listing.portTable()->topLevelItemCount(), 1);
        QVERIFY(!listing.mapButton());
        emit listing.portTable()->itemActivated(listing.portTable()->topLevelItem(0), 0);
        QCOMPARE(readSerialDevice(settings, 2), QString());
    }
};

QTEST_MAIN(TestPortDeviceDialog)
#include "test_port_device_dialog.moc"
