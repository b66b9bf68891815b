#pragma once

#include <windows.h>

#include <string>

// Thin typed views of dialog controls: each call is one message to the control. They do not own the window;
// a control the dialog lacks makes every call do nothing and every query return its failure value.

class Control {
  public:
    Control(HWND dialog, int id) : window_(GetDlgItem(dialog, id)) {}
    HWND Window() const { return window_; }
    bool Exists() const { return window_ != nullptr; }
    void Enable(bool enabled) { EnableWindow(window_, enabled ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(window_) != FALSE; }
    void Show(bool shown) { ShowWindow(window_, shown ? SW_SHOW : SW_HIDE); }
    void Focus() { SetFocus(window_); }
    void SetText(const std::string& text) { SetWindowTextA(window_, text.c_str()); }
    // The control's text; empty when it has none.
    std::string Text() const {
        int length = GetWindowTextLengthA(window_);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        int copied = GetWindowTextA(window_, &text[0], length + 1);
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        return text;
    }

  protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(window_, message, wParam, lParam);
    }
    static LPARAM TextParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

  private:
    HWND window_;
};

class Edit : public Control {
  public:
    using Control::Control;
    // At most limit characters can be typed.
    void Limit(int limit) { Send(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
    // The caret: the start and end of the selection.
    void Select(int start, int end) { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    int CaretPosition() const {
        DWORD start = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return static_cast<int>(start);
    }
};

class Button : public Control {
  public:
    using Control::Control;
    // A push button that stays pushed in (BM_SETSTATE), as the page buttons of a frame do.
    void SetPushed(bool pushed) { Send(BM_SETSTATE, pushed ? TRUE : FALSE); }
};

class CheckBox : public Control {
  public:
    using Control::Control;
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

class Static : public Control {
  public:
    using Control::Control;
    void SetIcon(HICON icon) { Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }
};

class ListBox : public Control {
  public:
    using Control::Control;
    void Reset() { Send(LB_RESETCONTENT); }
    // Tab stops in dialog units; false when the list box has no LBS_USETABSTOPS style.
    template <size_t count>
    bool SetTabStops(const INT (&stops)[count]) {
        return Send(LB_SETTABSTOPS, count, reinterpret_cast<LPARAM>(stops)) != FALSE;
    }
    // The new entry's index, or LB_ERR.
    int Add(const std::string& text) { return static_cast<int>(Send(LB_ADDSTRING, 0, TextParam(text))); }
    void Delete(int index) { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    void Select(int index) { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The selected index, or LB_ERR when nothing is selected.
    int Selected() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    // The entry's text; empty for an index out of range.
    std::string TextAt(int index) const {
        LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR)
            return std::string();
        std::string text(static_cast<size_t>(length) + 1, '\0');
        Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        return text;
    }
};

class ComboBox : public Control {
  public:
    using Control::Control;
    void Reset() { Send(CB_RESETCONTENT); }
    // The new entry's index, or CB_ERR.
    int Add(const std::string& text) { return static_cast<int>(Send(CB_ADDSTRING, 0, TextParam(text))); }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    void Select(int index) { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The selected index, or CB_ERR when nothing is selected.
    int Selected() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // Selects the first entry that begins with text; its index, or CB_ERR.
    int SelectText(const std::string& text) {
        return static_cast<int>(Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), TextParam(text)));
    }
    // The entry's text; empty for an index out of range.
    std::string TextAt(int index) const {
        LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR)
            return std::string();
        std::string text(static_cast<size_t>(length) + 1, '\0');
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        return text;
    }
};
