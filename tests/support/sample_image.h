#pragma once

#include "files/e2p_reader.h"
#include "image/image_decoding.h"

// The shipped sample calibration's image, decoded as a load decodes it.
inline EcuImage sampleImage() {
    E2PReadResult read = readE2PFile(QStringLiteral(ECU_SOURCE_DIR "/data/SAMPLE.E2P"));
    (void)decodeImage(read.image);
    return read.image;
}
