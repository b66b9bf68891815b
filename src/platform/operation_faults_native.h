#pragma once

#include <string>

// The numbering of the registry and file operations behind platform::fake::CountOperations, shared by the
// two native backends.
namespace platform::faults {

enum class Seam { kRegistry, kFiles };

// Numbers one operation that can fail; true when it is the one chosen to fail. operation and subject
// (a key or file path) only name it for FailedOperation.
bool CountOperation(Seam seam, const char* operation, const std::string& subject);

}  // namespace platform::faults
