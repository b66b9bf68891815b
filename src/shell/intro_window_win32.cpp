#include "shell/intro_window.h"

#include "platform/win32_handles.h"
#include "shell/app_context.h"
#include "ui/dialog.h"
#include "ui/message_boxes.h"
#include "ui/window_placement.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMilliseconds = 2500;

// The start window: the program's bitmap as the background, closed by its timer or any key or click.
class IntroWindow : public Dialog {
  public:
    explicit IntroWindow(const AppContext& app) : Dialog("WND_intro"), app_(app) {}

  private:
    bool OnInit() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        // Set on the dialog class, so every later dialog of the program carries the icon too.
        SetClassLongPtrA(Window(), GCLP_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(instance, "mainico")));
        CreateBackground(instance);
        CenterWindow(Window());
        LoadCurrentLanguage(app_);
        SetTimer(Window(), kCloseTimer, kShowMilliseconds, nullptr);
        return true;
    }
    // Enter and Escape arrive as commands through the dialog manager.
    void OnCommand(int, int) override { Close(); }
    void OnTimer(UINT_PTR) override { Close(); }
    bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) override {
        switch (message) {
            case WM_CTLCOLORDLG:
                result = reinterpret_cast<INT_PTR>(brush_ ? brush_.Get() : GetStockObject(WHITE_BRUSH));
                return true;
            case WM_KEYDOWN:
            case WM_CHAR:
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                Close();
                result = TRUE;
                return true;
        }
        return false;
    }

    // The background is ready before the window first shows, so that its first paint already uses it.
    void CreateBackground(HINSTANCE instance) {
        bitmap_.Reset(LoadBitmapA(instance, "quorelbmp"));
        if (!bitmap_) {
            ShowError(Window(), "Unable to load bitmap!");
            return;
        }
        brush_.Reset(CreatePatternBrush(static_cast<HBITMAP>(bitmap_.Get())));
        if (!brush_)
            ShowError(Window(), "Can't create brush!");
    }

    void Close() {
        KillTimer(Window(), kCloseTimer);
        End(0);
    }

    GdiObject bitmap_;
    const AppContext& app_;
    GdiObject brush_;
};

}  // namespace

void ShowIntroWindow(HWND owner, const AppContext& app) {
    IntroWindow intro(app);
    intro.RunModal(owner);
}
