#include "image_comparison.h"

std::vector<Difference> compareImages(const EcuImage &ours, const EcuImage &theirs) {
    std::vector<Difference> differences;
    for (const ParameterKind kind : ParameterKinds) {
        for (int index = 1; index <= parameterCount(kind); ++index) {
            const ParameterPlace place{kind, index};
            const int offset = offsetOf(place);
            if (ours.byte(offset) != theirs.byte(offset))
                differences.push_back({place, ours.byte(offset), theirs.byte(offset)});
        }
    }
    return differences;
}
