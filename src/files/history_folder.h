#pragma once

#include "image/ecu_image.h"

#include <QDateTime>
#include <QString>
#include <vector>

// What went over the line: an image read from the ECU or written to it.
enum class HistoryKind { Read, Written };

// One calibration kept in the history folder.
struct HistoryEntry {
    QString path;
    QDateTime when;
    HistoryKind kind = HistoryKind::Read;
    QString dataName;         // the name bytes of the image, trailing blanks dropped
    QString commentFirstLine; // what, when, which port
};

// The folder that keeps every calibration read from or written to the ECU, one .E2P file each,
// named by date, time to the millisecond and kind ("2026-12-07_14-03-12.345_read.E2P"), with
// "-2", "-3", ... before ".E2P" when another program took that name first. An entry never
// replaces another. It keeps the newest 500 of its own files (names it gives, regular files)
// and never touches any other file.
class HistoryFolder {
public:
    // The per-user folder, QZ3ROK/history under the generic data location
    // ($XDG_DATA_HOME/QZ3ROK/history, by default ~/.local/share/QZ3ROK/history).
    [[nodiscard]] static QString defaultPath();
    explicit HistoryFolder(QString path = defaultPath());

    [[nodiscard]] const QString &path() const { return m_path; }

    struct Saved {
        bool ok = false;
        QString path;  // of the new entry
        QString error; // the reason when not ok, naming the path
    };
    // Keeps the image as it is (its data name unchanged) with a comment that says what, when
    // and which port, then removes the oldest entries beyond the newest Kept.
    Saved keep(const EcuImage &image, HistoryKind kind, const QString &port,
               const QDateTime &when = QDateTime::currentDateTime());
    // Every entry, newest first.
    [[nodiscard]] std::vector<HistoryEntry> entries() const;

    static constexpr int Kept = 500;

private:
    void prune();

    QString m_path;
};

[[nodiscard]] QString historyKindName(HistoryKind kind);
