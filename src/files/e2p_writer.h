#pragma once

#include "files/e2p_comment.h"
#include "files/file_writing.h"
#include "image/ecu_image.h"

#include <QByteArray>
#include <QString>

inline const QByteArray EndRecord = QByteArrayLiteral(":00000001FF");
inline const QByteArray CommentStartRecord = QByteArrayLiteral("<<<Comment Start>>>");

// One Intel HEX data record of 16 bytes for an image row, without line end:
// ":10" address "00" data checksum, upper-case hex.
[[nodiscard]] QByteArray dataRecord(int row, const std::array<std::uint8_t, EcuColumns> &bytes);
// The 28 data records of the image and the end record, each ended by CR LF.
[[nodiscard]] QByteArray hexRecords(const EcuImage &image);
// A whole E2P file: the records, the comment start line and the comment's bytes unchanged,
// each followed by CR LF.
[[nodiscard]] QByteArray e2pFileContents(const EcuImage &image, const E2PComment &comment);
