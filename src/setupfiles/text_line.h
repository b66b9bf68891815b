#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"

// Reads one line: the bytes up to CR, skipping the one byte after the CR unread; 0xAF is delivered as LF.
// Returns false at end of file, where the line holds an unterminated last line or nothing. At most
// width - 1 bytes are kept; the rest of an overlong line is read and dropped, so the next call still
// starts at the next line.
bool ReadTextLine(platform::InputFile& file, std::string& line, size_t width = 260);
// The same over text already read, from position on; position moves past the line.
bool ReadTextLine(std::string_view text, size_t& position, std::string& line, size_t width = 260);

// Turns each pair of consecutive backslashes into one and returns the new length. A leading pair stays,
// so that a UNC path (\\server\share) keeps its meaning.
size_t CollapseBackslashes(std::string& path);

// Directory, backslash and name, with doubled backslashes collapsed.
std::string JoinPath(const std::string& directory, const std::string& name);

// The first width - 1 characters of text.
std::string FitField(const std::string& text, size_t width);

// Numbers as the setup files write them: leading white space, an optional sign, digits up to the first
// other character, 0 without digits. Out-of-range values saturate.
int32_t ParseSignedDecimal(const std::string& text);
uint32_t ParseUnsignedDecimal(const std::string& text);
// Hexadecimal digits in either case, optionally after 0x or 0X.
uint32_t ParseHex(const std::string& text);

// Takes views so that comparing a line with a constant text makes no copy of either.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
