#pragma once

#include "ecu_tables.h"

// Decodes the image into the parameter tables and texts, and normalises the image on the way:
// row 6 (64..79), the steering-damper bytes 304, 306, 308 and 310..319 are cleared, and an
// idle byte above 15 is lowered to 15. Running it twice changes nothing more.
[[nodiscard]] EcuTables decodeImage(EcuImage &image);

// Decodes data.image into data.tables.
void decodeImage(EcuData &data);

// How an RU text reads: as a load decodes it (" +5%"), or as the editors write it ("+5%").
enum class RuTextForm { Loaded, Edited };

// Refreshes the table entry and text that the byte at offset holds, by the same rules as the
// decoding. Offsets that hold no parameter change nothing.
void decodeOffset(EcuTables &tables, const EcuImage &image, int offset,
                  RuTextForm ruForm = RuTextForm::Loaded);
