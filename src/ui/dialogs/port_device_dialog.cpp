#include "port_device_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString usbId(const SerialPortEntry &port) {
    if (!port.vendorId || !port.productId)
        return {};
    return QStringLiteral("%1:%2")
        .arg(*port.vendorId, 4, 16, QLatin1Char('0'))
        .arg(*port.productId, 4, 16, QLatin1Char('0'));
}

QString portNumbersText(const QList<int> &numbers) {
    QStringList names;
    for (int k : numbers)
        names.push_back(QStringLiteral("COM%1").arg(k));
    return names.join(QStringLiteral(", "));
}

} // namespace

PortDeviceDialog::PortDeviceDialog(const SerialPortList &ports, SettingsStore &settings, int portNo,
                                   QWidget *parent, bool mapsPorts)
    : QDialog(parent)
    , m_ports(ports)
    , m_settings(settings)
    , m_portNo(portNo) {
    setObjectName(QStringLiteral("PortDeviceDialog"));
    setWindowTitle(QStringLiteral("Port device"));
    const QString com = QStringLiteral("COM%1").arg(portNo);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        mapsPorts
            ? QStringLiteral("The serial ports of this computer. Choose the one %1 opens.").arg(com)
            : QStringLiteral("The serial ports of this computer. Here %1 is the port "
                             "named %1.")
                  .arg(com),
        this));

    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("portTable"));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({QStringLiteral("Device"), QStringLiteral("Description"),
                              QStringLiteral("Manufacturer"), QStringLiteral("Serial number"),
                              QStringLiteral("USB vendor:product"), QStringLiteral("COM")});
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumWidth(720);
    layout->addWidget(m_table);

    m_empty = new QLabel(QStringLiteral("No serial port found. Plug in the adapter and press "
                                        "Refresh."),
                         this);
    m_empty->setObjectName(QStringLiteral("noPortLabel"));
    m_empty->setVisible(false);
    layout->addWidget(m_empty);

    auto *buttons = new QDialogButtonBox(this);
    m_refresh = buttons->addButton(QStringLiteral("Refresh"), QDialogButtonBox::ActionRole);
    m_refresh->setObjectName(QStringLiteral("refreshButton"));
    m_refresh->setAutoDefault(false);
    connect(m_refresh, &QPushButton::clicked, this, &PortDeviceDialog::refresh);
    if (mapsPorts) {
        m_map =
            buttons->addButton(QStringLiteral("Use for %1").arg(com), QDialogButtonBox::AcceptRole);
        m_map->setObjectName(QStringLiteral("mapButton"));
        m_map->setEnabled(false);
        m_map->setDefault(true);
        connect(m_map, &QPushButton::clicked, this, &PortDeviceDialog::mapSelected);
        connect(m_table, &QTreeWidget::itemSelectionChanged, this,
                [this] { m_map->setEnabled(!m_table->selectedItems().isEmpty()); });
        connect(m_table, &QTreeWidget::itemActivated, this, &PortDeviceDialog::mapSelected);
    }
    connect(buttons->addButton(QDialogButtonBox::Close), &QPushButton::clicked, this,
            &QDialog::reject);
    layout->addWidget(buttons);
}

void PortDeviceDialog::showEvent(QShowEvent *event) {
    refresh();
    QDialog::showEvent(event);
}

void PortDeviceDialog::refresh() {
    m_listed = m_ports.availablePorts();
    m_table->clear();
    for (const SerialPortEntry &port : std::as_const(m_listed)) {
        const QList<int> numbers = portNumbersOf(port, m_settings);
        auto *item = new QTreeWidgetItem(m_table, {port.systemLocation, port.description,
                                                   port.manufacturer, port.serialNumber,
                                                   usbId(port), portNumbersText(numbers)});
        if (!port.stableName.isEmpty())
            item->setToolTip(Device, port.stableName);
        if (numbers.contains(m_portNo))
            m_table->setCurrentItem(item);
    }
    m_empty->setVisible(m_listed.isEmpty());
}

void PortDeviceDialog::mapSelected() {
    const QList<QTreeWidgetItem *> selected = m_table->selectedItems();
    QTreeWidgetItem *item = selected.isEmpty() ? nullptr : selected.front();
    const qsizetype row = item ? m_table->indexOfTopLevelItem(item) : -1;
    if (!m_map || row < 0 || row >= m_listed.size())
        return;
    const SerialPortEntry &port = m_listed.at(row);
    mapPortNumber(m_settings, m_portNo, port);
    emit portMapped(m_portNo, mappingPath(port));
    accept();
}
