#include <gtest/gtest.h>
#include <mspack.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "platform/szdd_expander.h"
#include "platform/szdd_header.h"
#include "test_support.h"

// The in-memory expansion must give what LZ32 gives for every sound file, and tell a damaged one apart.
namespace {

using platform::ExpandResult;

std::string SzddHeader(uint32_t length, char method = 'A') {
    std::string header("SZDD\x88\xF0\x27\x33", 8);
    header += method;
    header += '_';
    for (int i = 0; i < 4; ++i) header += static_cast<char>(length >> (8 * i) & 0xFF);
    return header;
}

const unsigned char* Data(const std::string& bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.data());
}

std::string Text(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

struct Expansion {
    ExpandResult result;
    std::string bytes;
};

Expansion Expand(const std::string& file) {
    std::vector<unsigned char> out;
    ExpandResult result = platform::ExpandFileBytes(Data(file), file.size(), &out);
    return {result, Text(out)};
}

std::string Prefix(const std::string& file, size_t limit) {
    return Text(platform::ExpandedPrefix(Data(file), file.size(), limit));
}

// A whole window of bytes, none repeating within 250 places.
std::string WindowOfBytes() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>(i * 7 % 251);
    return bytes;
}

// Those bytes as literals, then one match of the write position itself: the window position written 4096
// bytes before, so that the first bytes come again.
std::string WindowThenMatchBack() {
    const std::string bytes = WindowOfBytes();
    std::string stream;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 8 == 0)
            stream += '\xFF';
        stream += bytes[i];
    }
    stream += std::string("\x00\xF0\xFF", 3);  // position 0xFF0, 18 bytes
    return SzddHeader(4096 + 18) + stream;
}

// A compressed file: the header with its length, then the stream's bytes as written.
std::string Szdd(uint32_t length, std::initializer_list<unsigned char> stream, char method = 'A') {
    return SzddHeader(length, method) + std::string(stream.begin(), stream.end());
}

TEST(SzddExpanderTest, WholeFileExpandsCopiesOrIsDamaged) {
    const std::string window = WindowOfBytes();
    const std::string plain("MZ\x90\x00plain", 9);
    struct Case {
        const char* what;
        std::string file;
        ExpandResult result;
        std::string expanded;  // for a damaged file: what ExpandedPrefix still gets out of it
    } cases[] = {
        {"an empty file", "", ExpandResult::kCopied, ""},
        {"a plain file", plain, ExpandResult::kCopied, plain},
        {"a signature without a whole header", SzddHeader(3).substr(0, 13), ExpandResult::kCopied,
         SzddHeader(3).substr(0, 13)},
        {"a header of length 0 alone", Szdd(0, {}), ExpandResult::kExpanded, ""},
        {"a header of length 5 alone", Szdd(5, {}), ExpandResult::kDamaged, ""},
        {"literals, the flag's other bits unused", Szdd(3, {0x07, 'a', 'b', 'c'}), ExpandResult::kExpanded,
         "abc"},
        {"literals cut short", Szdd(5, {0x1F, 'a', 'b', 'c'}), ExpandResult::kDamaged, "abc"},
        {"a match cut after its first byte", Szdd(6, {0x07, 'a', 'b', 'c', 0xF0}), ExpandResult::kDamaged,
         "abc"},
        {"literals past the length", Szdd(2, {0x07, 'a', 'b', 'c'}), ExpandResult::kDamaged, "ab"},
        {"a match past the length", Szdd(5, {0x07, 'a', 'b', 'c', 0xF0, 0xF0}), ExpandResult::kDamaged,
         "abcab"},
        {"a flag byte after the length is reached",
         Szdd(8, {0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00}), ExpandResult::kDamaged, "abcdefgh"},
        {"a match overlapping the write position", Szdd(8, {0x03, 'a', 'b', 0xF0, 0xF3}),
         ExpandResult::kExpanded, "abababab"},
        {"a match repeating one byte", Szdd(19, {0x01, 'a', 0xF0, 0xFF}), ExpandResult::kExpanded,
         std::string(19, 'a')},
        {"a match from the initial spaces into what it writes", Szdd(6, {0x01, 'x', 0xEE, 0xF2}),
         ExpandResult::kExpanded, "x  x  "},
        {"a match at the start, all spaces", Szdd(3, {0x00, 0x00, 0x00}), ExpandResult::kExpanded, "   "},
        {"a match a whole window back", WindowThenMatchBack(), ExpandResult::kExpanded,
         window + window.substr(0, 18)},
        {"another method", Szdd(3, {0x07, 'a', 'b', 'c'}, 'B'), ExpandResult::kDamaged, ""},
        {"a length far beyond the data", Szdd(0xFFFFFFFF, {0x07, 'a', 'b', 'c'}), ExpandResult::kDamaged,
         "abc"},
    };
    for (const Case& c : cases) {
        Expansion expansion = Expand(c.file);
        EXPECT_EQ(expansion.result, c.result) << c.what;
        if (c.result != ExpandResult::kDamaged) {
            EXPECT_EQ(expansion.bytes, c.expanded) << c.what;
        }
        EXPECT_EQ(Prefix(c.file, static_cast<size_t>(-1)), c.expanded) << c.what;
    }
}

TEST(SzddExpanderTest, PrefixStopsAtTheLimitOrTheHeadersLength) {
    const std::string literals = Szdd(8, {0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'});
    const std::string run = Szdd(19, {0x01, 'a', 0xF0, 0xFF});
    const std::string plain = "MZ plain file";
    struct Case {
        const char* what;
        std::string file;
        size_t limit;
        std::string prefix;
    } cases[] = {
        {"within literals", literals, 3, "abc"},
        {"exactly the length", literals, 8, "abcdefgh"},
        {"the length before the limit", literals, 100, "abcdefgh"},
        {"within a match", run, 5, "aaaaa"},
        {"nothing", run, 0, ""},
        {"data past a shorter length", Szdd(2, {0x07, 'a', 'b', 'c'}), 100, "ab"},
        {"a cut file, whatever the length says", Szdd(1000, {0x07, 'a', 'b', 'c', 0xF0}), 100, "abc"},
        {"another method", Szdd(3, {0x07, 'a', 'b', 'c'}, 'B'), 100, ""},
        {"a plain file", plain, 2, "MZ"},
        {"a plain file shorter than the limit", plain, 100, plain},
    };
    for (const Case& c : cases) EXPECT_EQ(Prefix(c.file, c.limit), c.prefix) << c.what;
}

// Files compressed by Debian's mscompress, expanded by us and by libmspack.
class SzddOracleTest : public SetupFixture {
  protected:
    // mscompress writes NAME_ beside NAME.
    std::string Compress(const std::string& name, const std::string& bytes) {
        WriteFile(name, bytes);
        std::string command = "mscompress '" + PathOf(name) + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadFile(name + "_");
    }
    // libmspack's expansion of a file in the directory; a refusal fails the test.
    std::string Libmspack(const std::string& name) {
        msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
        EXPECT_NE(szdd, nullptr);
        if (!szdd)
            return "";
        int status = szdd->decompress(szdd, PathOf(name).c_str(), PathOf(name + ".out").c_str());
        mspack_destroy_szdd_decompressor(szdd);
        EXPECT_EQ(status, MSPACK_ERR_OK) << name;
        return ReadFile(name + ".out");
    }
};

std::string RandomBytes(std::mt19937* random, size_t count) {
    std::string bytes;
    for (size_t i = 0; i < count; ++i) bytes += static_cast<char>((*random)() & 0xFF);
    return bytes;
}

std::string RepetitiveText(size_t lines) {
    std::string text;
    for (size_t i = 0; i < lines; ++i)
        text += "[COMPFILES] line " + std::to_string(i % 97) + " copies KXBUS.SY_ to system32\\drivers\r\n";
    return text;
}

// Runs of every kind a driver image has: code-like random bytes, zero padding, text, blocks that come again
// from near the far end of the window, leading spaces.
std::string MixedBytes(size_t size) {
    std::mt19937 random(7);
    std::string bytes(40, ' ');
    while (bytes.size() < size) {
        switch (random() % 5) {
            case 0:
                bytes += RandomBytes(&random, 1 + random() % 3000);
                break;
            case 1:
                bytes += std::string(1 + random() % 5000, '\0');
                break;
            case 2:
                bytes += RepetitiveText(1 + random() % 40);
                break;
            case 3: {
                size_t back = std::min<size_t>(bytes.size(), 4000 + random() % 90);
                bytes += bytes.substr(bytes.size() - back, random() % 600);
                break;
            }
            default:
                bytes += std::string(1 + random() % 20, static_cast<char>(random() & 0xFF));
                break;
        }
    }
    bytes.resize(size);
    return bytes;
}

TEST_F(SzddOracleTest, MscompressFilesExpandAsLibmspackAndTheOriginalHaveThem) {
    // mscompress 0.4 encodes a file under 16 bytes wrongly: the stream does not hold the file's bytes, and
    // the one for an empty file holds a byte past the zero length. Those two are only held against libmspack.
    constexpr size_t kShortestFaithful = 16;
    std::mt19937 random(1);
    struct Sample {
        const char* name;
        std::string bytes;
    } samples[] = {
        {"random", RandomBytes(&random, 64 * 1024)},
        {"text", RepetitiveText(1500)},
        {"empty", ""},
        {"one", "a"},
        {"sixteen", "0123456789abcdef"},
        {"mixed", MixedBytes(300 * 1024)},
    };
    for (const Sample& sample : samples) {
        const std::string compressed = Compress(sample.name, sample.bytes);
        ASSERT_GE(compressed.size(), platform::kSzddHeaderLength) << sample.name;
        const size_t length =
            static_cast<size_t>(platform::SzddExpandedLength(Data(compressed), compressed.size()));
        const std::string theirs = Libmspack(std::string(sample.name) + "_");
        Expansion ours = Expand(compressed);
        // libmspack writes every token the stream holds, whatever the header says; mscompress never writes
        // a flag byte without a token behind it, so only a different length tells damage apart here.
        if (theirs.size() == length) {
            EXPECT_EQ(ours.result, ExpandResult::kExpanded) << sample.name;
            EXPECT_TRUE(ours.bytes == theirs) << sample.name;
        } else {
            EXPECT_EQ(ours.result, ExpandResult::kDamaged) << sample.name;
        }
        EXPECT_TRUE(Prefix(compressed, 4096) == theirs.substr(0, std::min<size_t>(4096, length)))
            << sample.name;
        if (sample.bytes.size() >= kShortestFaithful) {
            EXPECT_EQ(ours.result, ExpandResult::kExpanded) << sample.name;
            EXPECT_TRUE(ours.bytes == sample.bytes) << sample.name;
        }
    }
}

}  // namespace
