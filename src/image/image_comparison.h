#pragma once

#include "display_text.h"
#include "ecu_image.h"
#include "ecu_layout.h"

#include <vector>

// A parameter whose byte differs between two images: ours (the calibration edited, or the first
// file) and theirs.
struct Difference {
    ParameterPlace place;
    std::uint8_t ours = 0;
    std::uint8_t theirs = 0;
    [[nodiscard]] QString oursText() const { return parameterText(place.kind, ours); }
    [[nodiscard]] QString theirsText() const { return parameterText(place.kind, theirs); }
    friend bool operator==(const Difference &, const Difference &) = default;
};

// Every parameter that differs, kind by kind in the order of ParameterKinds, each kind by its
// cell or point. The data name, the marker and the bytes the ECU keeps are no parameters.
[[nodiscard]] std::vector<Difference> compareImages(const EcuImage &ours, const EcuImage &theirs);
