#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "setupfiles/text_format.h"

namespace {

TEST(FormatText, FillsTheStatedPlaceholders) {
    EXPECT_EQ(FormatText("Copy %s to %s", {"A", "B"}), "Copy A to B");
    EXPECT_EQ(FormatText("%02u.%02u.%04u", {3, 7, 2026}), "03.07.2026");
    EXPECT_EQ(FormatText("v%x.%x (rev.%02x)", {2, 0x10, 1}), "v2.10 (rev.01)");
    EXPECT_EQ(FormatText("%d%% done", {50}), "50% done");
    EXPECT_EQ(FormatText("[%-5s]", {"ab"}), "[ab   ]");
    EXPECT_EQ(FormatText("%X", {255}), "FF");
    EXPECT_EQ(FormatText("%d", {-4}), "-4");
}

TEST(FormatText, HostileTextsAreShownLiterally) {
    struct Case {
        const char* format;
        std::vector<FormatArg> args;
        const char* out;
    } cases[] = {
        {"%n%s", {"x"}, "%nx"},
        {"%s %s %s", {"one"}, "one %s %s"},  // surplus placeholders
        {"%d", {"text"}, "%d"},              // kind mismatch: a number wanted, a text given
        {"%s", {7}, "%s"},
        {"%*d", {5}, "%*d"},
        {"%p %f %c", {1, 2, 3}, "%p %f %c"},
        {"%999999999s", {"a"}, "%999999999s"},
        {"100%", {}, "100%"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatText(c.format, c.args), c.out) << c.format;
}

TEST(FormatText, ResultIsCutToTheMessageBuffer) {
    std::string big(5000, 'a');
    EXPECT_EQ(FormatText("%s", {big}).size(), 1023u);
    EXPECT_EQ(FormatText("%s%s", {big, big}, 2048).size(), 2047u);
    EXPECT_EQ(FormatText(big, {}).size(), 1023u);
}

// The program formats numbers and texts itself (the C library's printf is not linked into it): every
// combination of flags, width and precision a language text may hold gives what printf gives.
TEST(FormatText, PlaceholdersFormatAsPrintfDoes) {
    const char* flagSets[] = {"", "-", "+", " ", "0", "#", "-0", "+0", " 0", "#0", "-#", "+ ", "-+0#"};
    const char* widths[] = {"", "1", "5", "12"};
    const char* precisions[] = {"", ".", ".0", ".1", ".3", ".15"};
    const long long numbers[] = {0, 1, -1, 7, 42, -42, 255, 65535, INT_MAX, INT_MIN, LLONG_MAX, LLONG_MIN};
    const char* texts[] = {"", "a", "KXBUS.SYS", "C:\\Quorel2"};
    for (const char* flags : flagSets) {
        for (const char* width : widths) {
            for (const char* precision : precisions) {
                std::string spec = std::string("%") + flags + width + precision;
                for (char conversion : {'d', 'i', 'u', 'x', 'X'}) {
                    for (long long number : numbers) {
                        char expected[128];
                        std::string format = spec + "ll" + conversion;
                        if (conversion == 'd' || conversion == 'i')
                            std::snprintf(expected, sizeof expected, format.c_str(), number);
                        else
                            std::snprintf(expected, sizeof expected, format.c_str(),
                                          static_cast<unsigned long long>(number));
                        EXPECT_EQ(FormatText(spec + conversion, {number}), expected)
                            << spec << conversion << " " << number;
                    }
                }
                // '0', '+', ' ' and '#' mean nothing for a text; printf's treatment of them is undefined.
                if (std::string(flags).find_first_of("0+ #") != std::string::npos)
                    continue;
                for (const char* text : texts) {
                    char expected[128];
                    std::snprintf(expected, sizeof expected, (spec + "s").c_str(), text);
                    EXPECT_EQ(FormatText(spec + "s", {text}), expected) << spec << "s " << text;
                }
            }
        }
    }
}

TEST(FormatText, NumbersWithLeadingZeros) {
    EXPECT_EQ(DecimalText(7), "7");
    EXPECT_EQ(DecimalText(7, 2), "07");
    EXPECT_EQ(DecimalText(2026, 2), "2026");
    EXPECT_EQ(DecimalText(0, 4), "0000");
    EXPECT_EQ(DecimalText(UINT64_MAX), "18446744073709551615");
    EXPECT_EQ(HexText(0x260), "260");
    EXPECT_EQ(HexText(0xF1, 2), "F1");
    EXPECT_EQ(HexText(5, 2), "05");
    EXPECT_EQ(HexText(0xABC, 1, false), "abc");
}

}  // namespace
