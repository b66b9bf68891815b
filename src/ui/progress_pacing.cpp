#include "ui/progress_pacing.h"

namespace ui {

bool ProgressPacing::Due(uint32_t now) const {
    // Unsigned difference: right across the tick count's wrap after 49.7 days.
    return !shownAny_ || now - shownAt_ >= kProgressTextStandMs;
}

bool ProgressPacing::Offer(WindowRef window, const std::string& text, uint32_t now) {
    if (Due(now)) {
        waiting_ = false;
        shownAny_ = true;
        shownAt_ = now;
        return true;
    }
    waitingWindow_ = window;
    waitingText_ = text;
    waiting_ = true;
    return false;
}

bool ProgressPacing::TakeDue(uint32_t now, WindowRef* window, std::string* text) {
    return Due(now) && TakeWaiting(now, window, text);
}

bool ProgressPacing::TakeWaiting(uint32_t now, WindowRef* window, std::string* text) {
    if (!waiting_)
        return false;
    *window = waitingWindow_;
    *text = waitingText_;
    waiting_ = false;
    shownAny_ = true;
    shownAt_ = now;
    return true;
}

void ProgressPacing::Reset() {
    *this = ProgressPacing();
}

}  // namespace ui
