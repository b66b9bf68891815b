#pragma once

#include <deque>
#include <string>
#include <vector>

// Controls of the native backends, for the unit tests: the state a test sets up and what the core showed.
namespace platform::fake {

// Windows path mapping: '\' becomes '/'.
std::string HostPath(const std::string& windowsPath);

void SetSystemDirectory(const std::string& path);
void SetWindowsDirectory(const std::string& path);
void SetModuleFileName(const std::string& path);
void SetRunningPlatformId(int id);

// In-memory registry below HKEY_LOCAL_MACHINE.
void ResetRegistry();
void AddRegistryKey(const std::string& path);
// Makes every open of this key (full access only when fullAccessOnly) fail with the status.
void FailRegistryOpen(const std::string& path, long status, bool fullAccessOnly);

// What the user was shown, in order.
struct Shown {
    std::string kind;  // "InfoMessageBox" or "NoticeDialog"
    std::string caption;
    std::string text;
    std::string okText;
};
std::vector<Shown>& ShownMessages();
void ResetUserInterface();

}  // namespace platform::fake
