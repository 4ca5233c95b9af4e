#include "image/graph_position.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct PositionCase {
    const char *view;
    std::function<int(std::uint8_t)> position;
    int byte, expectedPosition, scale;
    double expectedY;
};

std::ostream &operator<<(std::ostream &out, const PositionCase &c) {
    return out << c.view << '(' << c.byte << ')';
}

class GraphPosition : public testing::TestWithParam<PositionCase> {};

TEST_P(GraphPosition, ByteGivesSliderPositionAndKnobHeight) {
    const PositionCase c = GetParam();
    const int p = c.position(static_cast<std::uint8_t>(c.byte));
    EXPECT_EQ(p, c.expectedPosition);
    EXPECT_DOUBLE_EQ(knobY(p, c.scale), c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(
    Views, GraphPosition,
    testing::Values(PositionCase{"Fi", fiSliderPosition, 130, 0, 60, 840},
                    PositionCase{"Fi", fiSliderPosition, 100, 30, 60, 2340},
                    PositionCase{"Fi", fiSliderPosition, 70, 60, 60, 3840},
                    PositionCase{"Fi", fiSliderPosition, 0, 130, 60, 840 + 130 * 50},
                    PositionCase{"IG", igSliderPosition, 3, 0, 23, 840},
                    PositionCase{"IG", igSliderPosition, 0, 3, 23, 840 + 9000.0 / 23},
                    PositionCase{"IG", igSliderPosition, 0xEC, 23, 23, 3840},
                    PositionCase{"IG", igSliderPosition, 0xFF, 4, 23, 840 + 12000.0 / 23},
                    PositionCase{"RU", ruSliderPosition, 15, 0, 30, 840},
                    PositionCase{"RU", ruSliderPosition, 0, 15, 30, 2340},
                    PositionCase{"RU", ruSliderPosition, 0xF1, 30, 30, 3840}));

struct ScaleCase {
    const char *view;
    std::function<int(std::uint8_t)> position;
    std::function<std::uint8_t(int)> byteAt;
    int scale;
};

class SliderScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(SliderScale, EveryPositionRoundTripsThroughItsByte) {
    const ScaleCase c = GetParam();
    for (int p = 0; p <= c.scale; ++p)
        EXPECT_EQ(c.position(c.byteAt(p)), p) << c.view << " position " << p;
}

INSTANTIATE_TEST_SUITE_P(Views, SliderScale,
                         testing::Values(ScaleCase{"Fi", fiSliderPosition, fiByteAtPosition, 60},
                                         ScaleCase{"IG", igSliderPosition, igByteAtPosition, 23},
                                         ScaleCase{"RU", ruSliderPosition, ruByteAtPosition, 30}));

} // namespace
