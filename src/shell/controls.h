#pragma once

#include <windows.h>

#include <string>

// Thin typed views of dialog controls; they do not own the window.
class ComboBox {
  public:
    ComboBox(HWND dialog, int id) : window_(GetDlgItem(dialog, id)) {}
    void Reset() { SendMessageA(window_, CB_RESETCONTENT, 0, 0); }
    // Returns the new entry's index, or CB_ERR.
    int Add(const std::string& text) {
        return static_cast<int>(
            SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void Select(int index) { SendMessageA(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    // Returns the selected index, or CB_ERR when nothing is selected.
    int Selected() const { return static_cast<int>(SendMessageA(window_, CB_GETCURSEL, 0, 0)); }

  private:
    HWND window_;
};
