#pragma once

// Control of the fuzz build's in-memory files (file_system_memory.cpp).
namespace platform::memory {

// Forgets every file, directory, open handle and injected failure.
void ResetFiles();

}  // namespace platform::memory
