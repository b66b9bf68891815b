#pragma once

#include <windows.h>

#include <string>

// The Win32 backends' way past the WOW64 redirection (platform/wow64.h). Every function of it is looked up
// at run time: NT 4.0 does not export them, and one import it lacks would keep the program from starting.
namespace platform {

// Turns the file system redirection off for the life of the object when a call on these paths must
// reach the native system directory; does nothing elsewhere and on every other system. One object around
// each single file call: with the redirection off, the program's own DLL loads would go wrong too.
class NativeFileView {
  public:
    explicit NativeFileView(const std::string& path, const std::string& otherPath = std::string());
    ~NativeFileView();
    NativeFileView(const NativeFileView&) = delete;
    NativeFileView& operator=(const NativeFileView&) = delete;

  private:
    PVOID previous_ = nullptr;
    bool turnedOff_ = false;
};

// An export of a system DLL the process has loaded, or nullptr where that Windows lacks it. GetProcAddress
// gives every export one type; the caller names the real one, calling convention and all.
template <typename Function>
Function SystemExport(const char* module, const char* name) {
    HMODULE loaded = GetModuleHandleA(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                  : nullptr;
}

// RegDeleteKeyExA in the 64-bit view under WOW64; RegDeleteKeyA everywhere else.
LONG DeleteRegistryKey(HKEY root, const char* path);

}  // namespace platform
