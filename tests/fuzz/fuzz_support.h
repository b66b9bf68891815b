#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Shared by the fuzz targets: a scratch directory per process, the process-wide state reset before each
// input, host file helpers and the invariant check.

// A broken invariant aborts: libFuzzer then keeps the input as a crash artifact, like a sanitizer report.
#define FUZZ_CHECK(condition, detail) \
    ((condition) ? (void)0 : ::fuzz::Fail(#condition, (detail), __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] void Fail(const char* condition, const std::string& detail, const char* file, int line);

// A directory of this process (with a "system32" below it), made at first use and removed at exit.
const std::string& ScratchDirectory();

// A fresh context whose SetupDirectory is the scratch directory, an empty language table, the fake
// registry, user and DDE reset, the fake system directory in the scratch directory.
void ResetState();

std::string Bytes(const uint8_t* data, size_t size);
void WriteHostFile(const std::string& path, const std::string& bytes);
std::string ReadHostFile(const std::string& path);
bool HostFileExists(const std::string& path);
void RemoveHostFile(const std::string& path);

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
