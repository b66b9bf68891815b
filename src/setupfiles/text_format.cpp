#include "setupfiles/text_format.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsFlag(char c) {
    return std::strchr("-+ 0#", c) != nullptr && c != '\0';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Formats one number with a conversion spec we built from checked characters only.
std::string FormatNumber(const std::string& spec, char conversion, int64_t number) {
    char buffer[128];
    std::string full = spec + "ll" + conversion;
    if (conversion == 'd' || conversion == 'i')
        std::snprintf(buffer, sizeof buffer, full.c_str(), static_cast<long long>(number));
    else
        std::snprintf(buffer, sizeof buffer, full.c_str(), static_cast<unsigned long long>(number));
    return buffer;
}

std::string FormatString(const std::string& spec, const std::string& text) {
    if (spec == "%")
        return text;
    // Flags, width and precision of a "%s" still apply; their digits are bounded by the parse above.
    std::string full = spec + "s";
    int size = std::snprintf(nullptr, 0, full.c_str(), text.c_str());
    if (size < 0)
        return text;
    std::string out(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(&out[0], out.size(), full.c_str(), text.c_str());
    out.resize(static_cast<size_t>(size));
    return out;
}

}  // namespace

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
