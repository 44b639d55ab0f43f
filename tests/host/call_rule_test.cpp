#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/readers/call_rule.h"
#include "host/readers/exchange_text.h"
#include "host/readers/log_fields.h"

namespace {

struct CallCase {
    const char* call;
    const char* broken;  // the start of the rule's text; "" for a good call
};

TEST(CallRule, KeepsCallsAndNamesTheRuleABadOneBreaks) {
    const CallCase cases[] = {
        {"DL1ABC", ""},
        {"dl1abc", ""},
        {"4O0A", ""},
        {"9A1A", ""},
        {"GB1TEN", ""},
        {"YU/DL2JRM", ""},
        {"OH0/DL1ABC", ""},
        {"E7/DL1ABC/P", ""},
        {"DL1ABC/P", ""},
        {"3Z6V", ""},
        {"T77C", ""},
        {"4U1ITU", ""},
        {"DL1234ABCDEF", ""},               // 12 characters: the longest base
        {"DL1234ABCDEFG", "no call sign"},  // 13 characters
        {"DL2JRM/YU1A", ""},                // two calls: the longer is the base
        {"YU/DL1234ABCDEF/QRPP", ""},       // 20 characters
        {"YU1XYZ/DL1234ABCDEF/P", "longer than 20"},
        {"", "no call"},
        {"599", "no call sign"},
        {"5NN", "no call sign"},
        {"K", "no call sign"},
        {"DL1A234567B", "no call sign"},  // seven in the middle
        {"DL1ABC7", "no call sign"},      // the special call ending in a digit
        {"ABC1D", "no call sign"},        // three letters in front
        {"QRZ?", "'?' is no letter"},
        {"YU//DL1ABC", "an empty part"},
        {"A/YU/DL1ABC/P", "more than 3 parts"},
        {"12/DL1ABC", "'12' before the call"},
        {"DL1ABC/12", "'12' after the call"},
        {"DL1XYZ", "the own call"},
        {"dl1xyz", "the own call"},
        {"DL1XYZ/P", ""},
    };
    for (const CallCase& c : cases) {
        const std::string broken = host::BrokenCallRule(c.call, "DL1XYZ");
        EXPECT_EQ(broken.substr(0, std::string(c.broken).size()), c.broken)
            << "call '" << c.call << "': " << broken;
        EXPECT_EQ(broken.empty(), *c.broken == '\0') << "call '" << c.call << "': " << broken;
    }
}

TEST(ExchangeText, LosesTheReportsInFrontAndBlanksAndIsItsOwnNormalForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"  5nn  nis ", "NIS"},     {"59\tBGD", "BGD"},
        {"599 001", "001"},         {"599", "599"},
        {"5999 NIS", "5999 NIS"},   {"5 NIS", "5 NIS"},
        {"599 15 1", "1"},          {"   ", ""},
        {"59A NIS", "59A NIS"},     {"599 599 NIS", "NIS"},
        {"599 5NN 001", "001"},     {"599 599\t", "599"},
        {"NIS 599 X", "NIS 599 X"},
    };
    for (const auto& c : cases) {
        const std::string once = host::NormalisedExchange(c.first);
        EXPECT_EQ(once, c.second) << "'" << c.first << "'";
        EXPECT_EQ(host::NormalisedExchange(once), once) << "'" << c.first << "'";
        std::string inPlace = c.first;
        host::NormaliseExchange(inPlace);
        EXPECT_EQ(inPlace, c.second) << "'" << c.first << "'";
    }
}

TEST(LogFields, NumbersReadAsStrtodReadsThemOrNotAtAll) {
    // Plain digits with a point take a quicker way than strtod: the same
    // double either way, to the last bit.
    const char* const kNumbers[] = {
        "14025",
        "7025.3",
        "0.1",
        "5.",
        ".5",
        "3799.99",
        "144300.125",
        "123456789012345",
        "1e3",
        "0",
        "000",
        "28000.000001",
        "1234567890123456",
        "0.30000000000000004",
        "9007199254740993",
        "21025.0000000001",
    };
    for (const char* text : kNumbers) {
        double read = -1.0;
        ASSERT_TRUE(host::ParseNumber(text, read)) << text;
        EXPECT_EQ(read, std::strtod(text, nullptr)) << text;
    }
    for (const char* text : {"", ".", "1.2.3", "14025,5", "-5", "+5", "5 ", "x1", "1e999"}) {
        double read = 0.0;
        EXPECT_FALSE(host::ParseNumber(text, read)) << text;
    }
}

}  // namespace
