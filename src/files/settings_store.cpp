#include "settings_store.h"

#include <QSettings>

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("QZ3ROK"), QStringLiteral("QZ3ROK"))) {}

SettingsStore::SettingsStore(const QString &iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const {
    return m_settings->fileName();
}

QString SettingsStore::storedGroup(const QString &section) const {
    const QStringList groups = m_settings->childGroups();
    for (const QString &group : groups) {
        if (group.compare(section, Qt::CaseInsensitive) == 0)
            return group;
    }
    return {};
}

QString SettingsStore::storedKey(const QString &group, const QString &key) const {
    m_settings->beginGroup(group);
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    for (const QString &stored : keys) {
        if (stored.compare(key, Qt::CaseInsensitive) == 0)
            return stored;
    }
    return {};
}

QString SettingsStore::readText(const QString &section, const QString &key,
                                const QString &defaultValue) const {
    const QString group = storedGroup(section);
    if (group.isEmpty())
        return defaultValue;
    const QString stored = storedKey(group, key);
    if (stored.isEmpty())
        return defaultValue;
    return m_settings->value(group + QLatin1Char('/') + stored, defaultValue).toString();
}

void SettingsStore::writeText(const QString &section, const QString &key, const QString &value) {
    QString group = storedGroup(section);
    if (group.isEmpty())
        group = section;
    const QString stored = storedKey(group, key);
    if (!stored.isEmpty() && stored != key)
        m_settings->remove(group + QLatin1Char('/') + stored);
    m_settings->setValue(group + QLatin1Char('/') + key, value);
    m_settings->sync();
}

int readPortNo(const SettingsStore &store) {
    bool ok = false;
    const int portNo =
        store.readText(CommProtSection, PortNoKey, QString()).trimmed().toInt(&ok, 10);
    if (!ok || portNo < FirstPortNo || portNo > LastPortNo)
        return FirstPortNo;
    return portNo;
}

void writePortNo(SettingsStore &store, int portNo) {
    store.writeText(CommProtSection, PortNoKey, QString::number(portNo));
}

namespace {

QString serialDeviceKey(int portNo) {
    return QStringLiteral("COM%1").arg(portNo);
}

} // namespace

QString readSerialDevice(const SettingsStore &store, int portNo) {
    return store.readText(CommProtSection, serialDeviceKey(portNo), QString());
}

void writeSerialDevice(SettingsStore &store, int portNo, const QString &device) {
    store.writeText(CommProtSection, serialDeviceKey(portNo), device);
}

bool readCellColours(const SettingsStore &store) {
    return store.readText(QStringLiteral("View"), QStringLiteral("CellColours"), QString())
               .trimmed() == QStringLiteral("1");
}

void writeCellColours(SettingsStore &store, bool on) {
    store.writeText(QStringLiteral("View"), QStringLiteral("CellColours"),
                    on ? QStringLiteral("1") : QStringLiteral("0"));
}

LastFile readLastFile(const SettingsStore &store) {
    return {store.readText(FileNameSection, LastFilePathKey, NoLastFile),
            store.readText(FileNameSection, QStringLiteral("hex_path"), NoLastFile),
            store.readText(FileNameSection, LastFileNameKey, NoLastFile)};
}

void writeLastFile(SettingsStore &store, const LastFile &lastFile) {
    store.writeText(FileNameSection, LastFilePathKey, lastFile.path);
    store.writeText(FileNameSection, LastFileDirKey, lastFile.dir);
    store.writeText(FileNameSection, LastFileNameKey, lastFile.name);
}
