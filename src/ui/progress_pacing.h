#pragma once

#include <cstdint>
#include <string>

#include "platform/window_ref.h"

// Which of a run's progress texts reach the screen. A run that does a driver file every two milliseconds
// would otherwise repaint the text for every file, far faster than anybody reads it, and under Wine each
// repaint is a round trip through the server that costs a quarter of a file's own work. A text is shown at
// once when the one before has stood for kProgressTextStandMs; a newer one waits and is shown when that
// time is up (by the next pump), or before the run shows anything else or pauses. Times are tick counts in
// milliseconds, which wrap.
namespace ui {

constexpr uint32_t kProgressTextStandMs = 50;

class ProgressPacing {
  public:
    // A new text for the window at tick now: true when it is to be shown now; otherwise it waits and
    // replaces any text that was waiting.
    bool Offer(WindowRef window, const std::string& text, uint32_t now);
    // The waiting text and its window, when its time has come at tick now; it then counts as shown.
    bool TakeDue(uint32_t now, WindowRef* window, std::string* text);
    // The waiting text whatever the time, for a run that is about to show something else or to pause.
    bool TakeWaiting(uint32_t now, WindowRef* window, std::string* text);
    // A new window, or none: nothing shown yet, nothing waiting.
    void Reset();

  private:
    bool Due(uint32_t now) const;

    WindowRef waitingWindow_ = nullptr;
    std::string waitingText_;
    bool waiting_ = false;
    bool shownAny_ = false;
    uint32_t shownAt_ = 0;
};

}  // namespace ui
