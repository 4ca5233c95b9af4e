#include "image/graph_position.h"

#include <gtest/gtest.h>

namespace {

struct PositionCase {
    const char *view;
    int (*position)(std::uint8_t);
    std::uint8_t (*byteAt)(int);
    int byte, expectedPosition, scale;
    double expectedY;
};

std::ostream &operator<<(std::ostream &out, const PositionCase &c) {
    return out << c.view << '(' << c.byte << ')';
}

class GraphPosition : public testing::TestWithParam<PositionCase> {};

TEST_P(GraphPosition, ByteGivesSliderPositionAndKnobHeightAndEveryPositionItsByte) {
    const PositionCase c = GetParam();
    const int p = c.position(static_cast<std::uint8_t>(c.byte));
    EXPECT_EQ(p, c.expectedPosition);
    EXPECT_DOUBLE_EQ(knobY(p, c.scale), c.expectedY);
    for (int q = 0; q <= c.scale; ++q)
        EXPECT_EQ(c.position(c.byteAt(q)), q) << "position " << q;
}

constexpr auto Fi = fiSliderPosition, Ig = igSliderPosition, Ru = ruSliderPosition;
constexpr auto FiAt = fiByteAtPosition, IgAt = igByteAtPosition, RuAt = ruByteAtPosition;

INSTANTIATE_TEST_SUITE_P(Views, GraphPosition,
                         testing::Values(PositionCase{"Fi", Fi, FiAt, 130, 0, 60, 840},
                                         PositionCase{"Fi", Fi, FiAt, 100, 30, 60, 2340},
                                         PositionCase{"Fi", Fi, FiAt, 70, 60, 60, 3840},
                                         PositionCase{"Fi", Fi, FiAt, 0, 130, 60, 840 + 130 * 50},
                                         PositionCase{"IG", Ig, IgAt, 3, 0, 23, 840},
                                         PositionCase{"IG", Ig, IgAt, 0, 3, 23, 840 + 9000.0 / 23},
                                         PositionCase{"IG", Ig, IgAt, 0xEC, 23, 23, 3840},
                                         PositionCase{"IG", Ig, IgAt, 0xFF, 4, 23,
                                                      840 + 12000.0 / 23},
                                         PositionCase{"RU", Ru, RuAt, 15, 0, 30, 840},
                                         PositionCase{"RU", Ru, RuAt, 0, 15, 30, 2340},
                                         PositionCase{"RU", Ru, RuAt, 0xF1, 30, 30, 3840}));

} // namespace
