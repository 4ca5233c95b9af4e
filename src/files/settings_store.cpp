#include "settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <climits>
#include <optional>

namespace {

// Where QSettings keeps the user's file for organisation and application "QZ3ROK". Named
// directly, so that no other file (the organisation's, the system's) is read on the way.
QString userSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QZ3ROK/QZ3ROK.ini");
}

// Why the INI file at path may be neither read nor written; empty when it may (also when it does
// not exist yet). Decided from directory entries alone: opening a pipe waits for a writer, and a
// save replaces whatever the path leads to with a new file, a device node included.
QString refusalOf(const QString &path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if ((folder.exists() || folder.isSymLink()) && !folder.isDir())
        return QStringLiteral("Settings are not saved: %1 is not a folder").arg(folder.filePath());
    if (!file.exists() && !file.isSymLink())
        return {};
    // A symlink counts as what it leads to; one that leads nowhere is no regular file either.
    if (!file.isFile())
        return QStringLiteral("Settings are not saved: %1 is not a regular file").arg(path);
    if (file.size() > SettingsFileSizeLimit)
        return QStringLiteral("Settings are not saved: %1 is larger than 1 MiB").arg(path);
    return {};
}

QString unsavedKey(const QString &section, const QString &key) {
    return (section + QLatin1Char('/') + key).toLower();
}

const QString WindowSection = QStringLiteral("Window");

QString serialDeviceKey(int portNo) {
    return QStringLiteral("COM%1").arg(portNo);
}

#ifdef PATH_MAX
constexpr qsizetype SystemPathLimit = PATH_MAX; // bytes, the terminating NUL included
#else
constexpr qsizetype SystemPathLimit = 4096;
#endif

QString lastFileValue(const SettingsStore &store, const QString &key) {
    const QString value = store.readText(FileNameSection, key, NoLastFile);
    // Left unchecked, a value of a megabyte takes seconds to try and fill a message box with.
    return QFile::encodeName(value).size() >= SystemPathLimit ? NoLastFile : value;
}

// A flag is stored as "1" or "0"; anything else reads as off.
bool readFlag(const SettingsStore &store, const QString &section, const QString &key) {
    return store.readText(section, key, QString()).trimmed() == QStringLiteral("1");
}

void writeFlag(SettingsStore &store, const QString &section, const QString &key, bool on) {
    store.writeText(section, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

// A whole number in decimal within [lowest, highest], or nullopt.
std::optional<int> readNumber(const SettingsStore &store, const QString &section,
                              const QString &key, int lowest, int highest) {
    bool ok = false;
    const int value = store.readText(section, key, QString()).trimmed().toInt(&ok, 10);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

SettingsStore::SettingsStore()
    : SettingsStore(userSettingsPath()) {}

SettingsStore::SettingsStore(const QString &iniPath)
    : m_path(iniPath)
    , m_notSaved(refusalOf(iniPath)) {
    if (m_notSaved.isEmpty())
        m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

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
    if (!m_settings)
        return m_unsaved.value(unsavedKey(section, key), defaultValue);
    const QString group = storedGroup(section);
    if (group.isEmpty())
        return defaultValue;
    const QString stored = storedKey(group, key);
    if (stored.isEmpty())
        return defaultValue;
    return m_settings->value(group + QLatin1Char('/') + stored, defaultValue).toString();
}

void SettingsStore::keepInMemory(const QString &reason) {
    const QStringList keys = m_settings->allKeys();
    for (const QString &key : keys)
        m_unsaved.insert(key.toLower(), m_settings->value(key).toString());
    m_settings.reset(); // nothing pending: every write was saved at once
    m_notSaved = reason;
}

void SettingsStore::writeText(const QString &section, const QString &key, const QString &value) {
    // Looked at again: a save reads the file first and replaces whatever the path leads to.
    if (const QString refusal = m_settings ? refusalOf(m_path) : QString(); !refusal.isEmpty())
        keepInMemory(refusal);
    if (!m_settings) {
        m_unsaved.insert(unsavedKey(section, key), value);
        return;
    }
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
    return readNumber(store, CommProtSection, PortNoKey, FirstPortNo, LastPortNo)
        .value_or(FirstPortNo);
}

void writePortNo(SettingsStore &store, int portNo) {
    store.writeText(CommProtSection, PortNoKey, QString::number(portNo));
}

QString readSerialDevice(const SettingsStore &store, int portNo) {
    return store.readText(CommProtSection, serialDeviceKey(portNo), QString());
}

void writeSerialDevice(SettingsStore &store, int portNo, const QString &device) {
    store.writeText(CommProtSection, serialDeviceKey(portNo), device);
}

bool readCellColours(const SettingsStore &store) {
    return readFlag(store, QStringLiteral("View"), QStringLiteral("CellColours"));
}

void writeCellColours(SettingsStore &store, bool on) {
    writeFlag(store, QStringLiteral("View"), QStringLiteral("CellColours"), on);
}

WindowPlacement readWindowPlacement(const SettingsStore &store) {
    const auto length = [&store](const QString &key) {
        return readNumber(store, WindowSection, key, 1, WindowSizeLimit);
    };
    const std::optional<int> width = length(QStringLiteral("Width"));
    const std::optional<int> height = length(QStringLiteral("Height"));
    return {width && height ? QSize(*width, *height) : QSize(),
            readFlag(store, WindowSection, QStringLiteral("Maximized"))};
}

void writeWindowPlacement(SettingsStore &store, const WindowPlacement &placement) {
    store.writeText(WindowSection, QStringLiteral("Width"),
                    QString::number(placement.size.width()));
    store.writeText(WindowSection, QStringLiteral("Height"),
                    QString::number(placement.size.height()));
    writeFlag(store, WindowSection, QStringLiteral("Maximized"), placement.maximized);
}

bool readKeepMapShape(const SettingsStore &store) {
    return readFlag(store, QStringLiteral("Edit"), QStringLiteral("KeepMapShape"));
}

void writeKeepMapShape(SettingsStore &store, bool on) {
    writeFlag(store, QStringLiteral("Edit"), QStringLiteral("KeepMapShape"), on);
}

LastFile readLastFile(const SettingsStore &store) {
    return {lastFileValue(store, LastFilePathKey), lastFileValue(store, QStringLiteral("hex_path")),
            lastFileValue(store, LastFileNameKey)};
}

void writeLastFile(SettingsStore &store, const LastFile &lastFile) {
    store.writeText(FileNameSection, LastFilePathKey, lastFile.path);
    store.writeText(FileNameSection, LastFileDirKey, lastFile.dir);
    store.writeText(FileNameSection, LastFileNameKey, lastFile.name);
}
