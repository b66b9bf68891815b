// The input's first byte picks the capacity and the arguments; the rest is a language text used as the
// format. The result must fit the capacity and must not depend on it beyond the cut; a text without
// arguments shows every "%" literally except "%%"; ASan and UBSan watch every read.
#include <climits>
#include <cstdint>

#include "fuzz_support.h"
#include "setupfiles/text_format.h"

namespace {

const size_t kCapacities[] = {kMessageCapacity, kIntegrityMessageCapacity, 1, 2, 5, 16, 64, 260};

std::vector<FormatArg> Arguments(int set) {
    static const std::string kLong(300, 'L');
    switch (set) {
        case 0:
            return {};
        case 1:
            return {"C:\\"};
        case 2:
            return {17u, 12u, 1998u};
        case 3:
            return {"KXBUS.SYS", 42, kLong};
        case 4:
            return {LLONG_MIN, ULLONG_MAX, -1, 0};
        case 5:
            return {"%s%d%n%x", 7, "%%"};
        case 6:
            return {"", "", ""};
        default:
            return {INT_MAX, std::string("\x01\xFF\x7F", 3), 0u, kLong, LONG_MIN};
    }
}

// The format with every "%%" as one "%", everything else as it stands: the result when nothing can fill
// a placeholder.
std::string Literal(const std::string& format) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        out.push_back(format[i]);
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%')
            ++i;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t capacity = kCapacities[data[0] & 7];
    const std::vector<FormatArg> args = Arguments(data[0] >> 5);
    const std::string format = fuzz::Bytes(data + 1, size - 1);

    std::string result = FormatText(format, args, capacity);
    FUZZ_CHECK(result.size() <= capacity - 1,
               std::to_string(result.size()) + " characters for capacity " + std::to_string(capacity));

    // A wider buffer only shows more of the same text.
    const size_t wide = 16384;
    std::string full = FormatText(format, args, wide);
    FUZZ_CHECK(full.size() <= wide - 1, "the wide result overflows");
    FUZZ_CHECK(
        full.compare(0, result.size(), result) == 0 && (result.size() == capacity - 1 || result == full),
        "capacity " + std::to_string(capacity) + " gave " + fuzz::Quoted(result) + ", wide " +
            fuzz::Quoted(full.substr(0, 80)));

    if (format.find('%') == std::string::npos)
        FUZZ_CHECK(full == format,
                   "a text without placeholders changed: " + fuzz::Quoted(full.substr(0, 80)));
    std::string literal = FormatText(format, {}, wide);
    FUZZ_CHECK(literal == Literal(format).substr(0, wide - 1),
               "without arguments " + fuzz::Quoted(format.substr(0, 80)) + " gave " +
                   fuzz::Quoted(literal.substr(0, 80)));
    return 0;
}
