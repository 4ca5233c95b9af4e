#include "ecu_layout.h"

int fiCellAtOffset(int offset) {
    if (offset >= FiFirstBlockOffset && offset < FiFirstBlockOffset + FiFirstBlockCells)
        return offset - FiFirstBlockOffset + 1;
    const int secondCells = MapCells - FiFirstBlockCells;
    if (offset >= FiSecondBlockOffset && offset < FiSecondBlockOffset + secondCells)
        return offset - FiSecondBlockOffset + FiFirstBlockCells + 1;
    return 0;
}

int igCellAtOffset(int offset) {
    if (offset >= IgFirstBlockOffset && offset < IgFirstBlockOffset + IgFirstBlockCells)
        return offset - IgFirstBlockOffset + 1;
    const int secondCells = MapCells - IgFirstBlockCells;
    if (offset >= IgSecondBlockOffset && offset < IgSecondBlockOffset + secondCells)
        return offset - IgSecondBlockOffset + IgFirstBlockCells + 1;
    return 0;
}
