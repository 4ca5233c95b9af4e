#pragma once

#include <QString>
#include <memory>

class QSettings;

// The per-user settings: INI format, organisation and application "QZ3ROK". Section and key
// names compare without regard to case, so "Hex_path" written is "hex_path" read.
class SettingsStore {
public:
    // The user's own store: $XDG_CONFIG_HOME/QZ3ROK/QZ3ROK.ini on Linux.
    SettingsStore();
    // A store in the given INI file (tests, demos).
    explicit SettingsStore(const QString &iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    [[nodiscard]] QString readText(const QString &section, const QString &key,
                                   const QString &defaultValue) const;
    // Writes the value under the given spelling and drops any spelling that differs in case.
    void writeText(const QString &section, const QString &key, const QString &value);

    [[nodiscard]] QString fileName() const;

private:
    [[nodiscard]] QString storedGroup(const QString &section) const;
    [[nodiscard]] QString storedKey(const QString &group, const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
};

// Sections and keys.
inline const QString CommProtSection = QStringLiteral("CommProt");
inline const QString FileNameSection = QStringLiteral("F_name");
inline const QString PortNoKey = QStringLiteral("PortNo");
inline const QString LastFilePathKey = QStringLiteral("WR_hex");
inline const QString LastFileDirKey = QStringLiteral("Hex_path");
inline const QString LastFileNameKey = QStringLiteral("Hex_name");
// "0" stands for "no last file" in the three last-file keys.
inline const QString NoLastFile = QStringLiteral("0");

constexpr int FirstPortNo = 1;
constexpr int LastPortNo = 16;

// PortNo: 1 when absent, not a number or outside 1..16.
[[nodiscard]] int readPortNo(const SettingsStore &store);
void writePortNo(SettingsStore &store, int portNo);

// [CommProt] COM<k>: the device path that port k names on systems without COM ports;
// empty when not set.
[[nodiscard]] QString readSerialDevice(const SettingsStore &store, int portNo);
void writeSerialDevice(SettingsStore &store, int portNo, const QString &device);

// [View] CellColours: the grids' cells coloured by value; off unless stored as "1".
[[nodiscard]] bool readCellColours(const SettingsStore &store);
void writeCellColours(SettingsStore &store, bool on);

struct LastFile {
    QString path; // WR_hex
    QString dir;  // Hex_path
    QString name; // Hex_name
};
[[nodiscard]] LastFile readLastFile(const SettingsStore &store);
void writeLastFile(SettingsStore &store, const LastFile &lastFile);
