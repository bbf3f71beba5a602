#include "core/number.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(ParseInteger, Accepts) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"0", 0},
        {"007", 7},
        {"+100", 100},
        {"  100", 100},
        {"0100", 100},
        {"-0", 0},
        {"$64", 100},
        {"0x64", 100},
        {"0X64", 100},
        {"x64", 100},
        {"X64", 100},
        {"$ff", 255},
        {"-$10", -16},
        {"+$10", 16},
        {"$FFFFFFFF", -1},
        {"-$FFFFFFFF", 1},
        {"$80000000", kMin},
        {"-$80000000", kMin},
        {"$7FFFFFFF", kMax},
        {"$000000000000FFFF", 65535},  // leading zeros are not significant
        {"2147483647", kMax},
        {"-2147483648", kMin},
        {"00000000002147483647", kMax},
        {"65535", 65535},
        {"-16777201", -16777201},
        {"  -$1", -1},
    };
    for (const auto& c : cases) {
        const auto parsed = core::ParseInteger(c.text);
        ASSERT_TRUE(parsed.has_value()) << "'" << c.text << "'";
        EXPECT_EQ(*parsed, c.value) << "'" << c.text << "'";
    }
}

TEST(ParseInteger, Rejects) {
    const char* const cases[] = {
        "",    "abc",   "12.5",       "2147483648", "-2147483649", "1e3",  "100a",  "12 ",
        " ",   "+",     "-",          "--1",        "+-1",         "-+1",  "$",     "0x",
        "x",   "-$",    "$100000000", "$G",         "0x 1",        "\t12", "1,000", "99999999999",
        "$-1", "0b101", "\xD9\xA1",   "12\n",       "$1FFFFFFFF",
    };
    for (const char* text : cases) {
        EXPECT_FALSE(core::ParseInteger(text).has_value()) << "'" << text << "'";
    }
}

}  // namespace
