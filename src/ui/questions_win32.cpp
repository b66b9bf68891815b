#include <windows.h>

#include <cstddef>

#include "ui/user_interface.h"
#include "ui/interaction_backend.h"
#include "resources/resource_ids.h"
#include "setupfiles/language_table.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/window_placement.h"
#include "setupfiles/text_ids.h"

// The Win32 side of the questions: the program's own question dialogs, whose buttons carry the texts of
// the current language, and the plain Yes/No system message box.
namespace ui {

namespace {

const LPCSTR kQuestionIcon = MAKEINTRESOURCEA(32514);

// A button of a question dialog and the answer it gives; it shows the language text of its own id.
struct Choice {
    int control;
    Answer answer;
};

// "DLG_yesno" shares the table of "DLG_yesallno": the All button it lacks just never sends a command.
constexpr Choice kYesNoChoices[] = {{IDC_ASK_YES, Answer::kYes},
                                    {IDC_ASK_NO, Answer::kNo},
                                    {IDC_ASK_ALL, Answer::kAll},
                                    {IDC_ASK_CANCEL, Answer::kCancel}};
constexpr Choice kRetryIgnoreChoices[] = {
    {IDC_ASK_CANCEL, Answer::kCancel}, {IDC_ASK_RETRY, Answer::kRetry}, {IDC_ASK_IGNORE, Answer::kIgnore}};

// One open question: its text and the buttons it offers.
class QuestionDialog : public Dialog {
  public:
    QuestionDialog(const char* templateName, const std::string& text, const Choice* choices,
                   std::size_t choiceCount)
        : Dialog(templateName), text_(text), choices_(choices), choiceCount_(choiceCount) {}

  private:
    bool OnInit() override {
        ShowWindow(Window(), SW_HIDE);
        CenterWindow(Window());
        Static(Window(), IDC_ASK_ICON).SetIcon(LoadIconA(nullptr, kQuestionIcon));
        SetItemString(IDC_ASK_TEXT, text_);
        SetCaption(kTextMsgCaption);
        for (std::size_t i = 0; i < choiceCount_; ++i) SetItemText(choices_[i].control);
        ShowWindow(Window(), SW_SHOW);
        return true;
    }
    // Ends the dialog when the command is one of its buttons. Escape arrives as id 2, which no question
    // dialog has, so it leaves the question open: the user has to pick an answer.
    void OnCommand(int id, int) override {
        for (std::size_t i = 0; i < choiceCount_; ++i) {
            if (choices_[i].control == id) {
                End(static_cast<int>(choices_[i].answer));
                return;
            }
        }
    }
    void OnClose() override { End(static_cast<int>(Answer::kCancel)); }

    const std::string& text_;
    const Choice* choices_;
    std::size_t choiceCount_;
};

// A template that cannot be loaded gives -1, taken as Cancel.
template <std::size_t N>
Answer Ask(WindowRef owner, const char* templateName, const std::string& text, const Choice (&choices)[N]) {
    QuestionDialog question(templateName, text, choices, N);
    INT_PTR result = question.RunModal(static_cast<HWND>(owner));
    return result < 0 ? Answer::kCancel : static_cast<Answer>(result);
}

}  // namespace

namespace backend {

Answer AskYesNo(WindowRef owner, bool withAll, const std::string& text) {
    return Ask(owner, withAll ? "DLG_yesallno" : "DLG_yesno", text, kYesNoChoices);
}

Answer AskRetryIgnore(WindowRef owner, const std::string& text) {
    return Ask(owner, "DLG_abortretryignore", text, kRetryIgnoreChoices);
}

bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning) {
    UINT icon = warning ? MB_ICONWARNING : MB_ICONQUESTION;
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), Text(kTextMsgCaption).c_str(),
                       MB_YESNO | MB_DEFBUTTON2 | icon) == IDYES;
}

}  // namespace backend

}  // namespace ui
