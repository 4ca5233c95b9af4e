#pragma once

#include "image/ecu_image.h"

#include <QDateTime>
#include <QString>
#include <vector>

// What went over the line: an image read from the ECU, written to it, or read from it just
// before a write (the restore point of "Review and Write").
enum class HistoryKind { Read, Written, BeforeWrite };

// One calibration kept in the history folder.
struct HistoryEntry {
    QString path;
    QDateTime when;
    HistoryKind kind = HistoryKind::Read;
    QString dataName;         // the name bytes of the image, trailing blanks dropped
    QString commentFirstLine; // what, when, which port, the CRC-32
    QString crc32;            // of the image, eight digits; empty when the file is unreadable
};

// The folder that keeps every calibration read from or written to the ECU, one .E2P file each,
// named by date, time to the millisecond and kind ("2026-12-07_14-03-12.345_read.E2P",
// "..._written.E2P", "..._before-write.E2P"), with
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
    // Keeps the image as it is (its data name unchanged) with a comment that says what, when,
    // which port and the image's CRC-32, then removes the oldest entries beyond the newest Kept.
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

class Operator;
// Keeps the image in the history; a failure is told ("The calibration read could not be kept in
// the history:" and the reason) and changes nothing else. False when it was not kept.
bool keepInHistory(HistoryFolder &history, const EcuImage &image, HistoryKind kind,
                   const QString &port, Operator &op);
