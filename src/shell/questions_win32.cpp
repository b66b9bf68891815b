#include <windows.h>

#include <cstddef>

#include "platform/user_interface.h"
#include "resources/resource_ids.h"
#include "setupfiles/language_table.h"
#include "shell/language_texts.h"
#include "shell/window_placement.h"

// The Win32 side of the questions: the program's own question dialogs, whose buttons carry the texts of
// the current language, and the plain Yes/No system message box.
namespace platform::ui {

namespace {

constexpr int kTextMessageCaption = 112;
const LPCSTR kQuestionIcon = MAKEINTRESOURCEA(32514);

// A button of a question dialog and the answer it gives; it shows the language text of its own id.
struct Choice {
    int control;
    int answer;
};

// "DLG_yesno" shares the table of "DLG_yesallno": the All button it lacks just never sends a command.
constexpr Choice kYesNoChoices[] = {{IDC_ASK_YES, kAnswerYes},
                                    {IDC_ASK_NO, kAnswerNo},
                                    {IDC_ASK_ALL, kAnswerAll},
                                    {IDC_ASK_CANCEL, kAnswerCancel}};
constexpr Choice kRetryIgnoreChoices[] = {
    {IDC_ASK_CANCEL, kAnswerCancel}, {IDC_ASK_RETRY, kAnswerRetry}, {IDC_ASK_IGNORE, kAnswerIgnore}};

// What one open question dialog needs; lives on the caller's stack for the modal call.
struct Question {
    const std::string* text;
    const Choice* choices;
    std::size_t choiceCount;
};

void OnInit(HWND dialog, const Question& question) {
    ShowWindow(dialog, SW_HIDE);
    CenterWindow(dialog);
    SendDlgItemMessageA(dialog, IDC_ASK_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, kQuestionIcon)), 0);
    SetDlgItemTextA(dialog, IDC_ASK_TEXT, question.text->c_str());
    SetCaptionText(dialog, kTextMessageCaption);
    for (std::size_t i = 0; i < question.choiceCount; ++i) SetItemText(dialog, question.choices[i].control);
    ShowWindow(dialog, SW_SHOW);
}

// Ends the dialog when the command is one of its buttons. Escape arrives as id 2, which no question
// dialog has, so it leaves the question open: the user has to pick an answer.
void OnCommand(HWND dialog, const Question& question, int id) {
    for (std::size_t i = 0; i < question.choiceCount; ++i) {
        if (question.choices[i].control == id) {
            EndDialog(dialog, question.choices[i].answer);
            return;
        }
    }
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const Question* question = reinterpret_cast<const Question*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            OnInit(dialog, *reinterpret_cast<const Question*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (question)
                OnCommand(dialog, *question, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, kAnswerCancel);
            return TRUE;
    }
    return FALSE;
}

int Ask(WindowRef owner, const char* templateName, const Question& question) {
    // A template that cannot be loaded gives -1 from DialogBoxParamA, the same as Cancel.
    return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr), templateName, static_cast<HWND>(owner),
                                            QuestionProc, reinterpret_cast<LPARAM>(&question)));
}

}  // namespace

int AskYesNo(WindowRef owner, bool withAll, const std::string& text) {
    Question question = {&text, kYesNoChoices, sizeof kYesNoChoices / sizeof kYesNoChoices[0]};
    return Ask(owner, withAll ? "DLG_yesallno" : "DLG_yesno", question);
}

int AskRetryIgnore(WindowRef owner, const std::string& text) {
    Question question = {&text, kRetryIgnoreChoices,
                         sizeof kRetryIgnoreChoices / sizeof kRetryIgnoreChoices[0]};
    return Ask(owner, "DLG_abortretryignore", question);
}

bool AskSystemYesNo(WindowRef owner, const std::string& text, bool warning) {
    UINT icon = warning ? MB_ICONWARNING : MB_ICONQUESTION;
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), Text(kTextMessageCaption).c_str(),
                       MB_YESNO | MB_DEFBUTTON2 | icon) == IDYES;
}

}  // namespace platform::ui
