#include "platform/Val.h"

#include <gtest/gtest.h>

using platform::Val;
using platform::ValInt16;
using platform::ValInt32;

namespace {

struct ValCase
{
    const char *text;
    double value;
};

TEST(Val, readsTheLeadingNumber)
{
    const ValCase cases[] = {
        {"", 0},          {"abc", 0},        {"12abc", 12},      {"  \t\n 42", 42},  {"1 2 3", 123},
        {"-5", -5},       {"+5", 5},         {"- 5", -5},        {"--5", 0},         {"3.75", 3.75},
        {".5", 0.5},      {"5.", 5},         {".", 0},           {"1.2.3", 1.2},     {"1,000", 1},
        {"1e3", 1000},    {"1D2", 100},      {"2.5E-1", 0.25},   {"1 e 2", 100},     {"1e", 1},
        {"1e+", 1},       {"7x1e2", 7},      {"\r5", 0},         {"0000012", 12},    {"1e400", 0},
        {"&HFF", 255},    {"&hff", 255},     {"&HFFFF", -1},     {"&H8000", -32768}, {"&H10000", 65536},
        {"&HFFFFFFFF", -1}, {"&H100000000", 0}, {"&O17", 15},   {"&o177777", -1},   {"&H", 0},
        {"&", 0},         {"&12", 0},        {"&HFFz", 255},     {"&O8", 0},
    };
    for (const ValCase &c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
    // Full-width digits are no digits.
    EXPECT_EQ(Val(QStringLiteral("１２")), 0);
}

TEST(Val, convertsToIntegersRoundingHalfToEvenAndGivesZeroWhenOutOfRange)
{
    const std::pair<const char *, qint16> int16Cases[] = {
        {"32767", 32767}, {"32768", 0},  {"40000", 0},     {"-32768", -32768}, {"-32769", 0},
        {"2.5", 2},       {"3.5", 4},    {"-2.5", -2},     {"2.51", 3},        {"32767.5", 0},
        {"-32768.5", -32768}, {"abc", 0}, {"1e10", 0},     {"&HFFFF", -1},     {"", 0},
    };
    for (const auto &[text, value] : int16Cases)
        EXPECT_EQ(ValInt16(text), value) << '"' << text << '"';

    const std::pair<const char *, qint32> int32Cases[] = {
        {"40000", 40000}, {"2147483647", 2147483647}, {"2147483648", 0}, {"-2147483648", -2147483647 - 1},
        {"0.5", 0},       {"1.5", 2},                 {"255", 255},      {"1e10", 0},
    };
    for (const auto &[text, value] : int32Cases)
        EXPECT_EQ(ValInt32(text), value) << '"' << text << '"';
}

} // namespace
