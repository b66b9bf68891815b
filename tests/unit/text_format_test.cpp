#include <gtest/gtest.h>

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

}  // namespace
