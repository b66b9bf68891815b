#pragma once

#include <windows.h>

#include <string>

// The base of every dialog of the program. A dialog is an object that lives at least as long as its window:
// the one dialog procedure attaches the object on WM_INITDIALOG and hands each message to one small
// handler. A modal and a modeless dialog differ only in how they start and end. An exception thrown by a
// handler is caught at the procedure and shown as an error; it never unwinds through the system.
class Dialog {
  public:
    explicit Dialog(const char* templateName) : templateName_(templateName) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the result given to End, or -1 when the template cannot be loaded.
    INT_PTR RunModal(HWND owner);
    // Opens the dialog modelessly and lets the program's message loop route its keys (Tab, Enter, Escape);
    // nullptr when the template cannot be loaded.
    HWND Open(HWND owner);
    // The dialog's window while it is open, else nullptr.
    HWND Window() const { return window_; }

  protected:
    // WM_INITDIALOG; return false when the handler has set the focus itself.
    virtual bool OnInit() { return true; }
    // WM_COMMAND with the control id and the notification code.
    virtual void OnCommand(int, int) {}
    // The close box or Alt+F4 (WM_CLOSE); by default nothing happens.
    virtual void OnClose() {}
    virtual void OnTimer(UINT_PTR) {}
    // Any other message; return true when handled, with the procedure's result in result.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
    // The window is going away (modeless dialogs: after End or when the owner goes).
    virtual void OnDestroy() {}

    // Ends a modal dialog with result, destroys a modeless one.
    void End(INT_PTR result);

    HWND Item(int control) const { return GetDlgItem(window_, control); }
    // Language texts: the caption, a control's own text (the text whose id is the control id), or another.
    void SetCaption(int textId);
    void SetItemText(int control);
    void SetItemTextFrom(int control, int textId);
    void SetItemString(int control, const std::string& text);
    std::string ItemString(int control) const;

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    const char* templateName_;
    HWND window_ = nullptr;
    bool modeless_ = false;
};

// Routes a message to the open modeless dialog it belongs to; true when that dialog took it. Every message
// loop of the program calls this before it dispatches.
bool RouteToModelessDialog(MSG& message);
