#include <windows.h>
#include <ddeml.h>

#include "platform/dde.h"
#include "platform/win32_handles.h"

namespace platform::dde {

namespace {

HDDEDATA CALLBACK IgnoreTransaction(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// A string handle of the instance, freed on every path.
class StringHandle {
  public:
    StringHandle(DWORD instance, const char* text)
        : instance_(instance), handle_(DdeCreateStringHandleA(instance, text, CP_WINANSI)) {}
    ~StringHandle() {
        if (handle_)
            DdeFreeStringHandle(instance_, handle_);
    }
    StringHandle(const StringHandle&) = delete;
    StringHandle& operator=(const StringHandle&) = delete;
    HSZ Get() const { return handle_; }

  private:
    DWORD instance_;
    HSZ handle_;
};

}  // namespace

unsigned StartClient(InstanceId* instance) {
    DWORD id = 0;
    UINT result = DdeInitializeA(&id, IgnoreTransaction, APPCMD_CLIENTONLY, 0);
    *instance = id;
    return result == DMLERR_NO_ERROR ? 0 : result;
}

void StopClient(InstanceId instance) {
    DdeUninitialize(static_cast<DWORD>(instance));
}

int SendProgmanCommand(InstanceId instance, const std::string& command) {
    DWORD id = static_cast<DWORD>(instance);
    StringHandle progman(id, "PROGMAN");
    DdeConversation conversation(DdeConnect(id, progman.Get(), progman.Get(), nullptr));
    if (!conversation)
        return 0;
    std::string data = command;
    HDDEDATA result =
        DdeClientTransaction(reinterpret_cast<LPBYTE>(&data[0]), static_cast<DWORD>(data.size() + 1),
                             conversation.Get(), nullptr, CF_TEXT, XTYP_EXECUTE, 1000, nullptr);
    return result ? 1 : 0;
}

void PauseBetweenItems() {
    Sleep(100);
}

}  // namespace platform::dde
