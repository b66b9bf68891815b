#include "setupfiles/text_format.h"

#include <cstring>

namespace {

bool IsFlag(char c) {
    return std::strchr("-+ 0#", c) != nullptr && c != '\0';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A placeholder's flags, width and precision, as printf reads them.
struct Spec {
    bool left = false, plus = false, space = false, zero = false, alternate = false;
    size_t width = 0;
    bool hasPrecision = false;
    size_t precision = 0;
};

// The placeholder's text runs from the '%' to just before the conversion; its digits were bounded when it
// was parsed.
Spec ParseSpec(const std::string& spec) {
    Spec parsed;
    size_t i = 1;
    for (; i < spec.size() && IsFlag(spec[i]); ++i) {
        parsed.left = parsed.left || spec[i] == '-';
        parsed.plus = parsed.plus || spec[i] == '+';
        parsed.space = parsed.space || spec[i] == ' ';
        parsed.zero = parsed.zero || spec[i] == '0';
        parsed.alternate = parsed.alternate || spec[i] == '#';
    }
    for (; i < spec.size() && IsDigit(spec[i]); ++i) parsed.width = parsed.width * 10 + (spec[i] - '0');
    if (i < spec.size() && spec[i] == '.') {
        parsed.hasPrecision = true;
        for (++i; i < spec.size() && IsDigit(spec[i]); ++i)
            parsed.precision = parsed.precision * 10 + (spec[i] - '0');
    }
    return parsed;
}

// Fills to the width: spaces before, or after when left-justified.
std::string Pad(const std::string& text, const Spec& spec) {
    if (text.size() >= spec.width)
        return text;
    std::string fill(spec.width - text.size(), ' ');
    return spec.left ? text + fill : fill + text;
}

// One number as printf writes it with the "ll" length: the program formats its few numbers itself, so
// that the C library's printf (a fifth of the program's size) is not linked in.
std::string FormatNumber(const std::string& specText, char conversion, int64_t number) {
    Spec spec = ParseSpec(specText);
    bool isSigned = conversion == 'd' || conversion == 'i';
    bool negative = isSigned && number < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
    unsigned base = isSigned || conversion == 'u' ? 10 : 16;
    const char* digitChars = conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string digits;
    for (uint64_t rest = magnitude; rest != 0; rest /= base)
        digits.insert(digits.begin(), digitChars[rest % base]);
    size_t minimum = spec.hasPrecision ? spec.precision : 1;
    if (digits.size() < minimum)
        digits.insert(0, minimum - digits.size(), '0');
    std::string prefix;
    if (negative)
        prefix = "-";
    else if (isSigned && spec.plus)
        prefix = "+";
    else if (isSigned && spec.space)
        prefix = " ";
    if (base == 16 && spec.alternate && magnitude != 0)
        prefix = conversion == 'X' ? "0X" : "0x";
    // Zeros fill the width between the sign and the digits, unless a precision or '-' says otherwise.
    if (spec.zero && !spec.left && !spec.hasPrecision && prefix.size() + digits.size() < spec.width)
        digits.insert(0, spec.width - prefix.size() - digits.size(), '0');
    return Pad(prefix + digits, spec);
}

std::string FormatString(const std::string& specText, const std::string& text) {
    Spec spec = ParseSpec(specText);
    return Pad(spec.hasPrecision && spec.precision < text.size() ? text.substr(0, spec.precision) : text,
               spec);
}

}  // namespace

std::string DecimalText(uint64_t value, size_t minimumDigits) {
    return FormatNumber("%0" + std::to_string(minimumDigits), 'u', static_cast<int64_t>(value));
}

std::string HexText(uint64_t value, size_t minimumDigits, bool upperCase) {
    return FormatNumber("%0" + std::to_string(minimumDigits), upperCase ? 'X' : 'x',
                        static_cast<int64_t>(value));
}

std::string FormatText(const std::string& format, const std::vector<FormatArg>& args, size_t capacity) {
    std::string out;
    size_t next = 0;
    size_t i = 0;
    while (i < format.size() && out.size() < capacity) {
        if (format[i] != '%') {
            out.push_back(format[i++]);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out.push_back('%');
            i += 2;
            continue;
        }
        // Parse "%[flags][width][.precision]conversion" with at most two digits of width and precision.
        size_t j = i + 1;
        while (j < format.size() && IsFlag(format[j])) ++j;
        size_t digits = 0;
        while (j < format.size() && IsDigit(format[j]) && digits < 2) ++j, ++digits;
        if (j < format.size() && format[j] == '.') {
            ++j;
            digits = 0;
            while (j < format.size() && IsDigit(format[j]) && digits < 2) ++j, ++digits;
        }
        char conversion = j < format.size() ? format[j] : '\0';
        std::string spec = format.substr(i, j - i);
        bool wantsText = conversion == 's';
        bool wantsNumber = std::strchr("diuxX", conversion) != nullptr && conversion != '\0';
        if (next < args.size() && ((wantsText && args[next].isText) || (wantsNumber && !args[next].isText))) {
            out += wantsText ? FormatString(spec, args[next].text)
                             : FormatNumber(spec, conversion, args[next].number);
            ++next;
            i = j + 1;
        } else {
            out.push_back('%');  // not a placeholder this text may hold: shown as it stands
            ++i;
        }
    }
    if (out.size() > capacity - 1)
        out.resize(capacity - 1);
    return out;
}
