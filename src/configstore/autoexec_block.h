#pragma once

#include <string>

// The three lines in AUTOEXEC.NT of the system directory that start the DOS-side CAPI loader.

extern const char* const kAutoexecBeginMarker;
extern const char* const kAutoexecLoaderLine;
extern const char* const kAutoexecEndMarker;

// Appends the block, on a line of its own, unless its begin marker or loader line is there already.
// A missing or unwritable AUTOEXEC.NT is shown with [ERR_CFG_NOAUTOEXEC] and gives false.
bool InsertAutoexecBlock();
// Drops every line equal to one of the three block lines and writes every other line back byte for byte,
// through "AutoTmp.$$$". AUTOEXEC.NT is replaced only when the whole temporary copy was written; every
// failure is shown with [ERR_CFG_NOAUTOEXEC] and gives false.
bool RemoveAutoexecBlock();

// The file's content edits, on its bytes. A line ends at CR (with the LF after it); a last line without
// line end is a line too. Lines compare with the block lines whole, without regard to case.
bool HasAutoexecBlock(const std::string& content);
std::string WithoutAutoexecBlock(const std::string& content);
