#include <gtest/gtest.h>

#include "platform/file.h"
#include "setupfiles/text_line.h"
#include "test_support.h"

namespace {

class TextLineTest : public SetupFixture {
  protected:
    std::vector<std::string> ReadAll(const std::string& bytes, std::string* tail = nullptr,
                                     size_t width = 260) {
        WriteFile("lines.txt", bytes);
        platform::InputFile file(PathOf("lines.txt"));
        EXPECT_TRUE(file.IsOpen());
        std::vector<std::string> lines;
        std::string line;
        while (ReadTextLine(file, line, width)) lines.push_back(line);
        if (tail)
            *tail = line;
        return lines;
    }
};

TEST_F(TextLineTest, LinesEndAtCrAndTheByteAfterIsSkippedUnread) {
    std::string tail;
    // The byte after CR is skipped whatever it is: here an 'X' takes the place of the LF.
    auto lines = ReadAll("one\r\ntwo\rXthree\r\n\r\n", &tail);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", ""}));
    EXPECT_EQ(tail, "");
}

TEST_F(TextLineTest, ByteAfIsALineBreakAndLoneLfIsText) {
    auto lines = ReadAll(
        "A\xAF"
        "B\r\nC\nD\r\n");
    EXPECT_EQ(lines, (std::vector<std::string>{"A\nB", "C\nD"}));
}

TEST_F(TextLineTest, LastLineWithoutCrIsEndOfFileWithItsCharacters) {
    std::string tail;
    auto lines = ReadAll("first\r\nlast", &tail);
    EXPECT_EQ(lines, (std::vector<std::string>{"first"}));
    EXPECT_EQ(tail, "last");
}

TEST_F(TextLineTest, OverlongLineIsCutAndTheNextLineStaysInStep) {
    std::string longLine(10000, 'x');
    auto lines = ReadAll(longLine + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(259, 'x'));
    EXPECT_EQ(lines[1], "next");
    auto narrow = ReadAll("abcdefgh\r\nij\r\n", nullptr, 4);
    EXPECT_EQ(narrow, (std::vector<std::string>{"abc", "ij"}));
}

TEST_F(TextLineTest, ReadsAcrossBufferBoundaries) {
    std::string bytes;
    std::vector<std::string> expected;
    for (int i = 0; i < 3000; ++i) {
        expected.push_back("line " + std::to_string(i));
        bytes += expected.back() + "\r\n";
    }
    EXPECT_EQ(ReadAll(bytes), expected);
}

TEST(CollapseBackslashes, Cases) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\\\SETUP.QZT", "C:\\SETUP.QZT"},
        {"C:\\dir\\file", "C:\\dir\\file"},
        {"C:\\dir\\\\\\file", "C:\\dir\\\\file"},  // three give two
        {"C:\\dir\\\\\\\\file", "C:\\dir\\\\file"},
        {"\\\\server\\share\\\\SETUP.QZT", "\\\\server\\share\\SETUP.QZT"},  // UNC keeps its leading pair
        {"\\\\\\x", "\\\\x"},
        {"", ""},
        {"\\\\", "\\\\"},
    };
    for (const Case& c : cases) {
        std::string path = c.in;
        EXPECT_EQ(CollapseBackslashes(path), std::string(c.out).size()) << c.in;
        EXPECT_EQ(path, c.out) << c.in;
    }
    EXPECT_EQ(JoinPath("C:\\", "SETUP.QZT"), "C:\\SETUP.QZT");
    EXPECT_EQ(JoinPath("\\\\srv\\drv", "SETUP.QZT"), "\\\\srv\\drv\\SETUP.QZT");
}

TEST(NumberParsing, Cases) {
    EXPECT_EQ(ParseSignedDecimal("  42abc"), 42);
    EXPECT_EQ(ParseSignedDecimal("-7"), -7);
    EXPECT_EQ(ParseSignedDecimal("+3"), 3);
    EXPECT_EQ(ParseSignedDecimal(""), 0);
    EXPECT_EQ(ParseSignedDecimal("x1"), 0);
    EXPECT_EQ(ParseSignedDecimal("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseSignedDecimal("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseUnsignedDecimal(" 4000000000"), 4000000000u);
    EXPECT_EQ(ParseUnsignedDecimal("99999999999"), 4294967295u);
    EXPECT_EQ(ParseHex("1F"), 0x1Fu);
    EXPECT_EQ(ParseHex("0x2a"), 0x2Au);
    EXPECT_EQ(ParseHex("0X"), 0u);
    EXPECT_EQ(ParseHex("bG"), 0xBu);
    EXPECT_EQ(ParseHex("123456789ABCDEF"), 0xFFFFFFFFu);
}

}  // namespace
