#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Language texts are used as printf formats, but they come from a file that anybody can edit. This
// formatter fills only the placeholders a text is meant to hold, each with the argument of its kind, in
// order: "%s" takes a text argument; "%d", "%i", "%u", "%x", "%X" (with flags, width and precision) take
// a number. Anything else -- "%n", a placeholder beyond the arguments, one whose kind does not match the
// next argument, a "*" width -- is shown literally. "%%" is a percent sign. The result is cut to
// capacity - 1 characters, the size of the message buffers the texts are built in.

struct FormatArg {
    FormatArg(const std::string& text) : isText(true), text(text) {}
    FormatArg(const char* text) : isText(true), text(text) {}
    FormatArg(int number) : isText(false), number(number) {}
    FormatArg(unsigned number) : isText(false), number(number) {}
    FormatArg(long number) : isText(false), number(number) {}
    FormatArg(unsigned long number) : isText(false), number(static_cast<int64_t>(number)) {}
    FormatArg(long long number) : isText(false), number(number) {}
    FormatArg(unsigned long long number) : isText(false), number(static_cast<int64_t>(number)) {}

    bool isText;
    std::string text;
    int64_t number = 0;
};

constexpr size_t kMessageCapacity = 1024;
constexpr size_t kIntegrityMessageCapacity = 2048;

std::string FormatText(const std::string& format, const std::vector<FormatArg>& args,
                       size_t capacity = kMessageCapacity);

// A number in decimal or hexadecimal digits, at least minimumDigits of them (leading zeros).
std::string DecimalText(uint64_t value, size_t minimumDigits = 1);
std::string HexText(uint64_t value, size_t minimumDigits = 1, bool upperCase = true);
