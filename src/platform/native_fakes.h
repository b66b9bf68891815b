#pragma once

#include <cstdint>
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
    // "InfoMessageBox", "NoticeDialog", "AskYesNo", "AskYesAllNo", "AskRetryIgnore", "AskSystemYesNo",
    // "InfoText" (a progress text), "OpenInfoWindow", "CloseInfoWindow"
    std::string kind;
    std::string caption;
    std::string text;
    std::string okText;
};
std::vector<Shown>& ShownMessages();
// Also clears the queued answers and the cancel script.
void ResetUserInterface();
// Answers for the next questions, in order (kAnswerYes ... kAnswerIgnore; for AskSystemYesNo 1 is Yes).
// A question without a queued answer is recorded and answered kAnswerCancel (No for AskSystemYesNo).
void QueueAnswers(const std::vector<int>& answers);
size_t PendingAnswers();
// The user presses Cancel (and confirms it) during the given PumpMessages call, counted from 1.
void CancelAtPump(int pump);
int PumpCount();

}  // namespace platform::fake
