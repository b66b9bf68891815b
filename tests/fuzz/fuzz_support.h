#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/app_context.h"

// Shared by the fuzz targets: a scratch directory, the process-wide state reset before each input, file
// helpers and the invariant check. The fuzz build keeps its files in memory behind the files seam, so the
// helpers go through the seam too.

// A broken invariant aborts: libFuzzer then keeps the input as a crash artifact, like a sanitizer report.
#define FUZZ_CHECK(condition, detail) \
    ((condition) ? (void)0 : ::fuzz::Fail(#condition, (detail), __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] void Fail(const char* condition, const std::string& detail, const char* file, int line);

// The in-memory directory the targets work in (with a "system32" below it), made by ResetState.
const std::string& ScratchDirectory();

// No files but an empty scratch directory, a fresh context whose SetupDirectory is the scratch directory,
// an empty language table, the fake registry, user and DDE reset, the fake system directory in the scratch
// directory.
void ResetState();
// The program's context as its top would own it.
AppContext& App();

std::string Bytes(const uint8_t* data, size_t size);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void RemoveFile(const std::string& path);

// Printable form of a text for failure messages.
std::string Quoted(const std::string& text);

// The lines of a CR-terminated text, each with the line end that followed it ("\r\n", "\r" or none):
// the oracle's own split, written from the documented format rather than taken from the code under test.
struct Line {
    std::string text;
    std::string end;
};
std::vector<Line> SplitCrLines(const std::string& bytes);

}  // namespace fuzz
