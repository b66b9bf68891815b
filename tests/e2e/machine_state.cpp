#include "machine_state.h"

#include <shlobj.h>

#include <memory>

#include "harness.h"

namespace e2e {

namespace {

const char* const kNt4Groups[] = {
    "System Bus Extender",
    "SCSI miniport",
    "Port",
    "Primary disk",
    "SCSI class",
    "SCSI CDROM class",
    "filter",
    "boot file system",
    "Base",
    "Pointer Port",
    "Keyboard Port",
    "Pointer Class",
    "Keyboard Class",
    "Video Init",
    "Video",
    "Video Save",
    "file system",
    "Event log",
    "Streams Drivers",
    "PNP_TDI",
    "NDIS",
    "TDI",
    "NetBIOSGroup",
    "SpoolerGroup",
    "NetDDEGroup",
    "Parallel arbitrator",
    "extended base",
    "RemoteValidation",
    "PCI Configuration",
};

}  // namespace

RegistryKey OpenRegistryKey(const std::string& path, REGSAM access) {
    RegistryKey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, key.Put());
    return key;
}

RegistryKey CreateRegistryKey(const std::string& path) {
    RegistryKey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                    nullptr);
    return key;
}

bool ReadRegistryValue(const std::string& key, const std::string& name, DWORD* type, std::string* data) {
    RegistryKey opened = OpenRegistryKey(key, KEY_READ);
    if (!opened)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(opened.Get(), name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data->assign(size, '\0');
    return RegQueryValueExA(opened.Get(), name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(&(*data)[0]),
                            &size) == ERROR_SUCCESS;
}

bool RegistryKeyExists(const std::string& key) {
    return static_cast<bool>(OpenRegistryKey(key, KEY_READ));
}

std::string RegistryText(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::string data;
    if (!ReadRegistryValue(key, name, &type, &data))
        return "<missing>";
    while (!data.empty() && data.back() == '\0') data.pop_back();
    return data;
}

DWORD RegistryNumber(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::string data;
    if (!ReadRegistryValue(key, name, &type, &data) || type != REG_DWORD || data.size() != 4)
        return 0xFFFFFFFF;
    DWORD number;
    memcpy(&number, data.data(), 4);
    return number;
}

void SetRegistryText(const std::string& key, const std::string& name, const std::string& text) {
    RegistryKey created = CreateRegistryKey(key);
    if (!created)
        return;
    RegSetValueExA(created.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

bool SetRegistryNumber(const std::string& key, const std::string& name, DWORD value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    bool written = RegSetValueExA(opened, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return written;
}

void DeleteRegistryTree(const std::string& key) {
    for (;;) {
        RegistryKey opened = OpenRegistryKey(key, KEY_ALL_ACCESS);
        if (!opened)
            break;
        char child[256];
        DWORD length = sizeof child;
        if (RegEnumKeyExA(opened.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        DeleteRegistryTree(key + "\\" + child);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

std::vector<std::string> MultiStrings(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::string data;
    std::vector<std::string> names;
    if (!ReadRegistryValue(key, name, &type, &data))
        return names;
    size_t start = 0;
    while (start < data.size() && data[start] != '\0') {
        size_t end = data.find('\0', start);
        if (end == std::string::npos)
            end = data.size();
        names.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return buffer;
}

std::string SystemDirectory() {
    char buffer[MAX_PATH] = {};
    GetSystemDirectoryA(buffer, MAX_PATH);
    return buffer;
}

std::string ProgramsFolder() {
    char buffer[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, buffer);
    return buffer;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> DirectoryEntries(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (!search)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

void DeleteTree(const std::string& path) {
    for (const std::string& name : DirectoryEntries(path)) {
        std::string child = path + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (DirectoryExists(child))
            DeleteTree(child);
        else
            DeleteFileA(child.c_str());
    }
    RemoveDirectoryA(path.c_str());
}

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComRef = std::unique_ptr<Interface, ComRelease>;

// COM for the calling thread, for as long as the object lives.
class ComScope {
  public:
    ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialized_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialized_;
};

}  // namespace

bool ReadShortcut(const std::string& path, Shortcut* shortcut) {
    ComScope com;
    IShellLinkA* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&created))))
        return false;
    ComRef<IShellLinkA> link(created);
    IPersistFile* persist = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))))
        return false;
    ComRef<IPersistFile> file(persist);
    std::wstring widePath(path.begin(), path.end());
    if (FAILED(file->Load(widePath.c_str(), STGM_READ)))
        return false;
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    shortcut->target = text;
    text[0] = '\0';
    link->GetDescription(text, MAX_PATH);
    shortcut->description = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, MAX_PATH);
    shortcut->workingDirectory = text;
    text[0] = '\0';
    int index = -1;
    link->GetIconLocation(text, MAX_PATH, &index);
    shortcut->iconFile = text;
    shortcut->iconIndex = index;
    return true;
}

std::string MultiSz(const std::vector<std::string>& names) {
    std::string bytes;
    for (const std::string& name : names) {
        bytes += name;
        bytes += '\0';
    }
    return bytes + '\0';
}

std::vector<std::string> Nt4ServiceGroups() {
    return std::vector<std::string>(std::begin(kNt4Groups), std::end(kNt4Groups));
}

std::string StockAutoexec() {
    return "@echo off\r\n"
           "\r\n"
           "REM AUTOEXEC.BAT is not used to initialize the MS-DOS environment.\r\n"
           "REM AUTOEXEC.NT is used instead, unless a different startup file is specified\r\n"
           "REM in an application's PIF.\r\n"
           "\r\n"
           "REM Install CD ROM extensions\r\n"
           "lh %SystemRoot%\\system32\\mscdexnt.exe\r\n"
           "\r\n"
           "REM Install network redirector (load before dosx.exe)\r\n"
           "lh %SystemRoot%\\system32\\redir\r\n"
           "\r\n"
           "REM Install DPMI support\r\n"
           "lh %SystemRoot%\\system32\\dosx\r\n";
}

namespace {

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

}  // namespace

// The caption is read as the window manager keeps it, so no message goes to a window that may not answer.
void CloseGroupWindows(const std::wstring& group, int quietMs) {
    auto open = [&] {
        std::vector<HWND> windows, matching;
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows) {
            wchar_t caption[256] = {};
            InternalGetWindowText(window, caption, 256);
            if (IsWindowVisible(window) && group == caption)
                matching.push_back(window);
        }
        return matching;
    };
    // A round that finds none waits quietMs for another; that last round may end up to quietMs after the 5 s.
    WaitFor(
        [&] {
            std::vector<HWND> windows = open();
            for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
            return windows.empty() && !WaitFor([&] { return !open().empty(); }, quietMs);
        },
        5000);
}

void PrepareNt4Machine() {
    CloseGroupWindows(L"Quorel ISDN");
    DeleteRegistryTree(kServiceKey);
    DeleteRegistryTree(kCapiTree);
    std::string list = MultiSz(Nt4ServiceGroups());
    if (RegistryKey order = CreateRegistryKey(kGroupOrderKey))
        RegSetValueExA(order.Get(), "List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                       static_cast<DWORD>(list.size()));
    std::string system = SystemDirectory();
    WriteFileBytes(system + "\\AutoExec.NT", StockAutoexec());
    DeleteFileA((system + "\\AutoTmp.$$$").c_str());
    // The driver files the sample distribution installs into the Windows tree.
    for (const std::string& name : DirectoryEntries(QUOREL_SAMPLE_ORIGINALS_DIR)) {
        for (const std::string& directory : {system, system + "\\drivers", WindowsDirectory() + "\\system"}) {
            SetFileAttributesA((directory + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((directory + "\\" + name).c_str());
        }
    }
    DeleteTree("C:\\Quorel2");
    DeleteTree(ProgramsFolder() + "\\Quorel ISDN");
}

}  // namespace e2e
