#pragma once

#include <QByteArray>
#include <QString>

struct FileWriteResult {
    bool ok = false;
    QString error;          // the system's reason when not ok
    bool pathTaken = false; // writeNewFile only: something was at the path already
};

// Writes contents to path through a temporary file that replaces the target only when
// everything was written, so a failed save never destroys the previous file. Through a
// symbolic link, the link's target is replaced. Anything but a regular file there (a FIFO, a
// device, or a link to one) is refused with NotARegularFile; a folder with the system's reason. A
// target the running user may not write is refused, and so is one without its owner's write bit,
// even for root, who could replace it.
[[nodiscard]] FileWriteResult writeFileSafely(const QString &path, const QByteArray &contents);

// Creates path as a new file, never opening anything that is there already (a symbolic link
// included), and writes contents to it. A failed write leaves nothing at path.
[[nodiscard]] FileWriteResult writeNewFile(const QString &path, const QByteArray &contents);

// Puts contents at path as a new regular file: written beside it under another name, then
// renamed over path. A symbolic link at path is replaced itself, its target never touched; a
// regular file is replaced where writeFileSafely would replace it; anything else (a folder, a
// FIFO, a device) is refused with NotARegularFile.
[[nodiscard]] FileWriteResult replaceWithNewFile(const QString &path, const QByteArray &contents);

inline const QString NotARegularFile = QStringLiteral("Not a regular file");
