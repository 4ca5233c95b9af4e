// libFuzzer target: any input must read without a crash, a hang or an access outside the
// image, and an accepted file must survive a save and a second read unchanged, its comment
// byte for byte and without a damaged line.

#include "files/e2p_reader.h"
#include "files/e2p_writer.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const E2PReadResult first = readE2PFile(buffer);
    if (!first.ok)
        return 0;

    // An unedited comment is saved as it was read.
    const E2PComment comment = first.comment.toSave(first.comment.text());
    QByteArray saved = e2pFileContents(first.image, comment);
    QBuffer again(&saved);
    again.open(QIODevice::ReadOnly);
    const E2PReadResult second = readE2PFile(again);
    if (!second.ok || !(second.image == first.image) || !(comment == first.comment) ||
        second.comment.bytes() != first.comment.bytes() || second.damaged.count != 0)
        std::abort();
    return 0;
}
