#pragma once

#include "ecu_tables.h"

// Decodes the image into the parameter tables and texts, and normalises the image on the way:
// row 6 (64..79), the steering-damper bytes 304, 306, 308 and 310..319 are cleared, and an
// idle byte above 15 is lowered to 15. Running it twice changes nothing more.
[[nodiscard]] EcuTables HEXdata_Conv(EcuImage &image);

// Decodes data.image into data.tables.
void HEXdata_Conv(EcuData &data);
