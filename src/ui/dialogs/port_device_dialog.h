#pragma once

#include "files/settings_store.h"
#include "link/port_mapping.h"
#include "link/serial_port_list.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// "Port device…": the serial ports the system has now, what they are and which port number
// opens each. Choosing one maps port number portNo to it ([CommProt] COM<k>), so that nobody
// has to edit the settings by hand. Where port numbers are the devices themselves (Windows)
// it only lists them.
class PortDeviceDialog : public QDialog {
    Q_OBJECT
public:
    enum Column { Device, Description, Manufacturer, SerialNumber, UsbId, PortNumbers };

    PortDeviceDialog(const SerialPortList &ports, SettingsStore &settings, int portNo,
                     QWidget *parent = nullptr, bool mapsPorts = PortNumbersAreMapped);

    [[nodiscard]] QTreeWidget *portTable() const { return m_table; }
    [[nodiscard]] QPushButton *refreshButton() const { return m_refresh; }
    // "Use for COM<k>"; null where nothing is mapped.
    [[nodiscard]] QPushButton *mapButton() const { return m_map; }

    // Asks the system for its ports again; the dialog also does it whenever it opens.
    void refresh();

signals:
    // Port number portNo now opens device (already stored).
    void portMapped(int portNo, const QString &device);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void mapSelected();

    const SerialPortList &m_ports;
    SettingsStore &m_settings;
    int m_portNo;
    QList<SerialPortEntry> m_listed;
    QTreeWidget *m_table = nullptr;
    QLabel *m_empty = nullptr;
    QPushButton *m_refresh = nullptr;
    QPushButton *m_map = nullptr;
};
