#pragma once

#include "files/operator.h"
#include "image/ecu_image.h"

#include <QString>

class QIODevice;

// The outcome of reading an E2P file. When HexReadOk is false nothing may be loaded from it;
// message and icon then say why.
struct HexReadResult {
    bool HexReadOk = false;
    EcuImage image;
    QString CommentText; // the comment lines joined by CR LF
    QString message;     // empty when there is nothing to tell
    MessageIcon icon = MessageIcon::None;
};

inline const QString FileFormatIncorrect = QStringLiteral("file format is incorrect.");

// Reads Intel HEX data records (type 00; 01 ends them) followed by an optional comment block.
[[nodiscard]] HexReadResult HEX_Data_read(QIODevice &device);
// Opens the file at path and reads it; a file that cannot be opened or read gives the
// system's reason with the path.
[[nodiscard]] HexReadResult HEX_Data_read(const QString &path);
