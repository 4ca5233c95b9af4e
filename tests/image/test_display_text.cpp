#include "image/display_text.h"
#include "qt_printers.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char *rule;
    std::function<QString(std::uint8_t)> format;
    int value;
    const char *expected;
};

std::ostream &operator<<(std::ostream &out, const TextCase &c) {
    return out << c.rule << '(' << c.value << ')';
}

class DisplayText : public testing::TestWithParam<TextCase> {};

TEST_P(DisplayText, FormatsTheStoredByte) {
    const TextCase c = GetParam();
    EXPECT_EQ(c.format(static_cast<std::uint8_t>(c.value)), QString::fromLatin1(c.expected));
}

// Every sign and end of each rule, beside the texts decodeImage's test reads from an image.
INSTANTIATE_TEST_SUITE_P(
    AllRules, DisplayText,
    testing::Values(TextCase{"Fi", fiText, 100, "0%"}, TextCase{"Fi", fiText, 70, "-30%"},
                    TextCase{"Fi", fiText, 130, "+30%"}, TextCase{"Fi", fiText, 255, "+155%"},
                    TextCase{"IG", igText, 0, "0deg"}, TextCase{"IG", igText, 0x80, "-128deg"},
                    TextCase{"IG", igText, 127, "+127deg"}, TextCase{"RU", ruText, 0x80, " -128%"},
                    TextCase{"RU edit", ruEditText, 5, "+5%"},
                    TextCase{"RU edit", ruEditText, 0xF1, "-15%"},
                    TextCase{"RU edit", ruEditText, 0, "0%"}, TextCase{"TH", thText, 40, "40"},
                    TextCase{"speed", speedText, 0, "0"}, TextCase{"idle", idleText, 15, "3000"},
                    TextCase{"NE", neText, 125, "12500"}));

} // namespace
