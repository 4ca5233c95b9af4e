#pragma once

#include "files/e2p_comment.h"
#include "files/operator.h"
#include "files/record_damage.h"
#include "image/ecu_image.h"

#include <QString>

class QIODevice;

// The outcome of reading an E2P file. When ok is false nothing may be loaded from it;
// message and icon then say why.
struct E2PReadResult {
    bool ok = false;
    EcuImage image;
    E2PComment comment;  // the comment's bytes as read, and their text
    QString commentText; // comment.text(): the comment lines joined by CR LF
    QString message;     // empty when there is nothing to tell
    MessageIcon icon = MessageIcon::None;
    // Record lines read although damaged: data records and any other line with a start code
    // before the end record, the end record included.
    DamagedLines damaged;
};

inline const QString FileFormatIncorrect = QStringLiteral("file format is incorrect.");
// A real E2P file is under 3 kB plus its comment; anything larger is refused unread.
inline constexpr qint64 E2PFileSizeLimit = 1024 * 1024;

// Reads Intel HEX data records (type 00; 01 ends them) followed by an optional comment block.
[[nodiscard]] E2PReadResult readE2PFile(QIODevice &device);
// Opens the file at path and reads it; a file that cannot be opened or read gives the path and
// the system's reason. Anything but a regular file (a folder, a device, a pipe) and a file larger
// than E2PFileSizeLimit are refused with the path and the reason, without reading or waiting.
[[nodiscard]] E2PReadResult readE2PFile(const QString &path);
