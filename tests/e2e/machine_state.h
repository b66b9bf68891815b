#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_handles.h"

// The state of the Windows machine the end-to-end tests install on: registry, system files, Start Menu.
namespace e2e {

constexpr const char* kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
constexpr const char* kParametersKey = "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters";
constexpr const char* kIntegrityKey =
    "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\QZTQuorelSetupIntegrityCheck";
constexpr const char* kCapiTree = "SOFTWARE\\CAPI20";
constexpr const char* kGroupOrderKey = "SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder";

// Wine's Program Manager opens an Explorer window on every group it shows, in a process of its own that
// outlives the program and may show it a moment after the program has ended; left open they pile up from
// test to test and take the foreground from the windows a test opens. Closes those of the group (its name
// as the caption) until none has been seen for quietMs, or 5 s longer than that at most.
void CloseGroupWindows(const std::wstring& group, int quietMs = 0);

// Makes the prefix look like a Windows NT 4 machine without the driver: an NT 4 group order list with
// "NDIS", a stock AutoExec.NT, no driver keys, no installed driver files, no Quorel2 directory, no group.
void PrepareNt4Machine();

// A key below HKEY_LOCAL_MACHINE opened with the access, or an empty owner when it cannot be opened.
RegistryKey OpenRegistryKey(const std::string& path, REGSAM access);
// A key below HKEY_LOCAL_MACHINE opened with full access, made with its parents where missing; an empty
// owner when that fails.
RegistryKey CreateRegistryKey(const std::string& path);
// A value below HKEY_LOCAL_MACHINE; false when the key or value is missing.
bool ReadRegistryValue(const std::string& key, const std::string& name, DWORD* type, std::string* data);
bool RegistryKeyExists(const std::string& key);
std::string RegistryText(const std::string& key,
                         const std::string& name);  // REG_SZ / REG_EXPAND_SZ without the zero
DWORD RegistryNumber(const std::string& key, const std::string& name);  // 0xFFFFFFFF when missing
void SetRegistryText(const std::string& key, const std::string& name, const std::string& text);
// A REG_DWORD value of a key that exists; false when the key cannot be opened or the value not written.
bool SetRegistryNumber(const std::string& key, const std::string& name, DWORD value);
void DeleteRegistryTree(const std::string& key);
// The names of a REG_MULTI_SZ value.
std::vector<std::string> MultiStrings(const std::string& key, const std::string& name);

std::string WindowsDirectory();
std::string SystemDirectory();
// The Start Menu's Programs folder of the prefix, where Wine's Program Manager puts groups.
std::string ProgramsFolder();
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
void DeleteTree(const std::string& path);
// The names in a directory (files and folders, without "." and "..").
std::vector<std::string> DirectoryEntries(const std::string& path);

// What a shortcut (a .lnk file, as Wine's Program Manager makes one for a group item) holds.
struct Shortcut {
    std::string target;
    std::string description;
    std::string workingDirectory;
    std::string iconFile;
    int iconIndex = -1;
};
// False when the file does not load as a shortcut.
bool ReadShortcut(const std::string& path, Shortcut* shortcut);

// The service group order of a fresh Windows NT 4 installation, "NDIS" among them.
std::vector<std::string> Nt4ServiceGroups();
// The names as the bytes of a REG_MULTI_SZ value: each with its zero, then the closing empty name.
std::string MultiSz(const std::vector<std::string>& names);

// The stock AutoExec.NT of a fresh Windows NT 4 installation.
std::string StockAutoexec();

}  // namespace e2e
