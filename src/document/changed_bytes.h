#pragma once

#include "image/ecu_image.h"

#include <bitset>

// The image offsets an edit, an undo or a redo changed; each view refreshes what it shows of
// them.
class ChangedBytes {
public:
    void add(int offset) { m_bits.set(static_cast<std::size_t>(offset)); }
    [[nodiscard]] bool contains(int offset) const {
        return m_bits.test(static_cast<std::size_t>(offset));
    }
    // Whether any of count offsets from first changed.
    [[nodiscard]] bool anyIn(int first, int count) const {
        for (int offset = first; offset < first + count; ++offset) {
            if (contains(offset))
                return true;
        }
        return false;
    }
    [[nodiscard]] bool any() const { return m_bits.any(); }
    [[nodiscard]] int count() const { return static_cast<int>(m_bits.count()); }

    template <typename Visit>
    void forEach(Visit visit) const {
        for (int offset = 0; offset < EcuImageSize; ++offset) {
            if (contains(offset))
                visit(offset);
        }
    }

private:
    std::bitset<EcuImageSize> m_bits;
};
