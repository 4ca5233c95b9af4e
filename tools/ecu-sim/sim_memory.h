#pragma once

#include "image/ecu_image.h"

// What the simulated ECU holds when no memory file is given: a neutral calibration (no fuel
// or ignition change), plausible axes and speeds, the name "ECU-SIM", the marker, and some
// bytes of the ECU's own in the areas a write leaves alone.
[[nodiscard]] EcuImage defaultSimMemory();

// Sets the first four characters of the image's marker (the product code).
void setProductCode(EcuImage &memory, const QString &code);
