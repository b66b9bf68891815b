#pragma once

#include <string>

// The three lines in AUTOEXEC.NT of the system directory that start the DOS-side CAPI loader.

extern const char* const kAutoexecBeginMarker;
extern const char* const kAutoexecLoaderLine;
extern const char* const kAutoexecEndMarker;

// Appends the block (AutoexecBlockFor), unless its begin marker or loader line is there already. A missing
// or unwritable AUTOEXEC.NT is shown with [ERR_CFG_NOAUTOEXEC] and gives false.
bool InsertAutoexecBlock();
// Writes the file back without its block lines (WithoutAutoexecBlock), through "AutoTmp.$$$". AUTOEXEC.NT
// is replaced only when the whole temporary copy was written. When the copy over AUTOEXEC.NT fails, the
// temporary file stays and [ERR_CANTWRITE] names AUTOEXEC.NT; every other failure is shown with
// [ERR_CFG_NOAUTOEXEC]. Each failure gives false.
bool RemoveAutoexecBlock();

// The file's content edits, on its bytes. A line ends at CR (with the LF after it); a last line without
// line end is a line too. Lines compare with the block lines whole, without regard to case.
bool HasAutoexecBlock(const std::string& content);
// The bytes the insertion appends to the content: the three lines, each ended with CR LF, on lines of
// their own. After a last line without line end they start with CR LF and the last one has none, so that
// an insertion and a removal give the file back byte for byte.
std::string AutoexecBlockFor(const std::string& content);
// The content without the block lines. When the file ends in a block line without line end, the last kept
// line (unless empty) loses its line end, so that the file ends without one as before.
std::string WithoutAutoexecBlock(const std::string& content);
