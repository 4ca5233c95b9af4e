#pragma once

#include <QByteArray>
#include <QString>

// A small file's contents, or why they were not read.
struct SmallFileRead {
    QByteArray data;
    QString refusal; // "PATH\nreason"; empty when the file was read
    [[nodiscard]] bool ok() const { return refusal.isEmpty(); }
};

// Reads the regular file at path, of at most limit bytes. Anything else (a folder, a device, a
// pipe) and a larger file are refused with the path and the reason, without reading or waiting;
// a file that cannot be opened or read with the path and the system's reason. what names the
// kind of file in the refusal of a large one: "File too large for <what>: N bytes (at most M)".
[[nodiscard]] SmallFileRead readSmallFile(const QString &path, qint64 limit, const QString &what);
