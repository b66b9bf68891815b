#pragma once

#include <windows.h>
#include <ddeml.h>

// Owners of Win32 handles, closed on every path. Each kind names its "no handle" value, what the opening
// call returns on failure, so that an owner given a failed open's result holds nothing and closes nothing.
//
// Get() lends the handle; Put() empties the owner and gives the address an opening call writes to;
// Reset() closes what is held and takes another; Release() hands the handle over without closing it.

template <typename Traits>
class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type Get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    Type* Put() {
        Reset();
        return &handle_;
    }
    void Reset(Type handle = Traits::None()) {
        if (Traits::IsValid(handle_))
            Traits::Close(handle_);
        handle_ = handle;
    }
    Type Release() {
        Type handle = handle_;
        handle_ = Traits::None();
        return handle;
    }

  private:
    Type handle_ = Traits::None();
};

// CreateFileA: INVALID_HANDLE_VALUE on failure.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type handle) { return handle != None(); }
    static void Close(Type handle) { CloseHandle(handle); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

// FindFirstFileA: INVALID_HANDLE_VALUE on failure; closed with FindClose, not CloseHandle.
struct FindHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type handle) { return handle != None(); }
    static void Close(Type handle) { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

// Processes and threads (CreateProcessA, CreateThread): NULL on failure.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static bool IsValid(Type handle) { return handle != None(); }
    static void Close(Type handle) { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// RegOpenKeyExA, RegCreateKeyExA: the key is NULL unless the call succeeded.
struct RegistryKeyTraits {
    using Type = HKEY;
    static Type None() { return nullptr; }
    static bool IsValid(Type handle) { return handle != None(); }
    static void Close(Type handle) { RegCloseKey(handle); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// DdeConnect: NULL when no server answers.
struct DdeConversationTraits {
    using Type = HCONV;
    static Type None() { return nullptr; }
    static bool IsValid(Type handle) { return handle != None(); }
    static void Close(Type handle) { DdeDisconnect(handle); }
};
using DdeConversation = UniqueHandle<DdeConversationTraits>;

// Fonts, brushes, bitmaps: NULL on failure.
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type None() { return nullptr; }
    static bool IsValid(Type handle) { return handle != None(); }
    static void Close(Type handle) { DeleteObject(handle); }
};
using GdiObject = UniqueHandle<GdiObjectTraits>;

// A window's device context, released to the window it came from.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};
