#include "setupfiles/text_line.h"

#include <limits>

namespace {

// One line rule for a file and for text already read: a setup file reads the same either way.
template <typename Source>
bool ReadLineFrom(Source& source, std::string& line, size_t width) {
    line.clear();
    unsigned char byte;
    while (source.ReadByte(&byte)) {
        if (byte == '\r') {
            source.SkipByte();
            return true;
        }
        if (line.size() + 1 < width)
            line.push_back(byte == 0xAF ? '\n' : static_cast<char>(byte));
    }
    return false;
}

class TextSource {
  public:
    TextSource(std::string_view text, size_t& position) : text_(text), position_(position) {}
    bool ReadByte(unsigned char* byte) {
        if (position_ >= text_.size())
            return false;
        *byte = static_cast<unsigned char>(text_[position_++]);
        return true;
    }
    void SkipByte() {
        if (position_ < text_.size())
            ++position_;
    }

  private:
    std::string_view text_;
    size_t& position_;
};

}  // namespace

bool ReadTextLine(platform::InputFile& file, std::string& line, size_t width) {
    return ReadLineFrom(file, line, width);
}

bool ReadTextLine(std::string_view text, size_t& position, std::string& line, size_t width) {
    TextSource source(text, position);
    return ReadLineFrom(source, line, width);
}

size_t CollapseBackslashes(std::string& path) {
    std::string collapsed;
    collapsed.reserve(path.size());
    size_t start = 0;
    if (path.compare(0, 2, "\\\\") == 0 && (path.size() == 2 || path[2] != '\\')) {
        collapsed = "\\\\";
        start = 2;
    }
    for (size_t i = start; i < path.size(); ++i) {
        collapsed.push_back(path[i]);
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\')
            ++i;
    }
    path = collapsed;
    return path.size();
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    std::string path = directory + "\\" + name;
    CollapseBackslashes(path);
    return path;
}

std::string FitField(const std::string& text, size_t width) {
    return text.substr(0, width - 1);
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Accumulates digits of the given base, saturating at limit; returns the index after the digits.
uint64_t AccumulateDigits(const std::string& text, size_t& i, int base, uint64_t limit) {
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0 || digit >= base)
            break;
        value = value * base + digit;
        if (value > limit)
            value = limit;
    }
    return value;
}

}  // namespace

int32_t ParseSignedDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint64_t limit = negative ? uint64_t{1} << 31 : std::numeric_limits<int32_t>::max();
    uint64_t value = AccumulateDigits(text, i, 10, limit);
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(value)) : static_cast<int32_t>(value);
}

uint32_t ParseUnsignedDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    return static_cast<uint32_t>(AccumulateDigits(text, i, 10, std::numeric_limits<uint32_t>::max()));
}

uint32_t ParseHex(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && HexDigit(text[i + 2]) >= 0)
        i += 2;
    return static_cast<uint32_t>(AccumulateDigits(text, i, 16, std::numeric_limits<uint32_t>::max()));
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}
