#pragma once

#include <QHash>
#include <QString>
#include <memory>

class QSettings;

// A settings file larger than this is refused unread, as an E2P file is.
inline constexpr qint64 SettingsFileSizeLimit = 1024 * 1024;

// The per-user settings: INI format, organisation and application "QZ3ROK". Section and key
// names compare without regard to case, so "Hex_path" written is "hex_path" read.
//
// The file is read and written only where it is a regular file (a symlink to one is written
// through) in a folder, and no larger than SettingsFileSizeLimit. Anything else (a device, a
// pipe, a folder, a huge file) is never opened: the store then starts from the defaults (or,
// when the file changes so while the program runs, from what it holds), keeps what is written
// for this run only and says why in notSavedWarning().
class SettingsStore {
public:
    // The user's own store: $XDG_CONFIG_HOME/QZ3ROK/QZ3ROK.ini (~/.config/QZ3ROK/QZ3ROK.ini).
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

    [[nodiscard]] QString fileName() const { return m_path; }
    // Why nothing is read from or saved to the file this run; empty when the file is in use.
    [[nodiscard]] QString notSavedWarning() const { return m_notSaved; }

private:
    [[nodiscard]] QString storedGroup(const QString &section) const;
    [[nodiscard]] QString storedKey(const QString &group, const QString &key) const;
    // From now on the values live in memory only.
    void keepInMemory(const QString &reason);

    QString m_path;
    QString m_notSaved;
    std::unique_ptr<QSettings> m_settings; // null when the file is not in use
    QHash<QString, QString> m_unsaved;     // then: the values written, by "section/key" lower-case
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

// [Edit] KeepMapShape: an axis point moved keeps the maps' shape; off unless stored as "1".
[[nodiscard]] bool readKeepMapShape(const SettingsStore &store);
void writeKeepMapShape(SettingsStore &store, bool on);

// A stored last-file value longer than any path the system can open reads as NoLastFile.
struct LastFile {
    QString path; // WR_hex
    QString dir;  // Hex_path
    QString name; // Hex_name
};
[[nodiscard]] LastFile readLastFile(const SettingsStore &store);
void writeLastFile(SettingsStore &store, const LastFile &lastFile);
