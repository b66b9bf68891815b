#pragma once

#include <windows.h>

// Owners of GDI objects and device contexts, released on every path.

class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    HGDIOBJ Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset(HGDIOBJ object = nullptr) {
        if (object_)
            DeleteObject(object_);
        object_ = object;
    }

  private:
    HGDIOBJ object_ = nullptr;
};

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
