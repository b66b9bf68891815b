#include "ui/language_texts.h"

#include "setupfiles/language_table.h"

void SetCaptionText(HWND window, int id) {
    SetWindowTextA(window, Text(id).c_str());
}

void SetItemText(HWND dialog, int control) {
    SetItemTextFrom(dialog, control, control);
}

void SetItemTextFrom(HWND dialog, int control, int id) {
    SetDlgItemTextA(dialog, control, Text(id).c_str());
}
