#include "ui/progress_pacing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

WindowRef Window(int number) {
    return reinterpret_cast<WindowRef>(static_cast<std::intptr_t>(number));
}

// What reaches the screen of a run's texts, set and pumped at the given ticks.
TEST(ProgressPacingTest, ATextStandsItsTimeAndOnlyTheNewestWaitingOneFollows) {
    enum class Does { kSet, kPump, kShowWaiting };
    struct Step {
        Does what;
        uint32_t now;
        const char* set;    // the text set (kSet)
        const char* shown;  // what reaches the screen at this step, "" for nothing
    } steps[] = {
        {Does::kSet, 1000, "first", "first"},    // nothing shown yet: at once
        {Does::kSet, 1010, "second", ""},        // waits
        {Does::kPump, 1020, "", ""},             // not yet
        {Does::kSet, 1030, "third", ""},         // replaces "second"
        {Does::kPump, 1050, "", "third"},        // 50 ms after "first": the newest waiting one
        {Does::kPump, 1200, "", ""},             // nothing waits
        {Does::kSet, 1200, "fourth", "fourth"},  // "third" has stood long enough: at once
        {Does::kSet, 1201, "fifth", ""},
        {Does::kShowWaiting, 1202, "", "fifth"},  // a question comes: whatever the time
        {Does::kShowWaiting, 1203, "", ""},
    };
    ui::ProgressPacing pacing;
    for (const Step& step : steps) {
        std::string shown;
        WindowRef window = Window(7);
        if (step.what == Does::kSet) {
            if (pacing.Offer(Window(7), step.set, step.now))
                shown = step.set;
        } else if (step.what == Does::kPump) {
            pacing.TakeDue(step.now, &window, &shown);
        } else {
            pacing.TakeWaiting(step.now, &window, &shown);
        }
        EXPECT_EQ(shown, step.shown) << "at " << step.now;
        EXPECT_EQ(window, Window(7)) << "at " << step.now;
    }
}

TEST(ProgressPacingTest, ANewWindowShowsItsFirstTextAtOnceAndForgetsTheWaitingOne) {
    ui::ProgressPacing pacing;
    EXPECT_TRUE(pacing.Offer(Window(1), "a", 500));
    EXPECT_FALSE(pacing.Offer(Window(1), "b", 510));
    pacing.Reset();
    WindowRef window = nullptr;
    std::string text;
    EXPECT_FALSE(pacing.TakeWaiting(511, &window, &text));
    EXPECT_TRUE(pacing.Offer(Window(2), "c", 512));
}

// The tick count wraps after 49.7 days; a run across it goes on showing its texts in time.
TEST(ProgressPacingTest, TheTickCountsWrapDoesNotHoldATextBack) {
    ui::ProgressPacing pacing;
    const uint32_t beforeWrap = 0xFFFFFFF0u;
    EXPECT_TRUE(pacing.Offer(Window(1), "a", beforeWrap));
    EXPECT_FALSE(pacing.Offer(Window(1), "b", beforeWrap + 20));  // wrapped: 4
    WindowRef window = nullptr;
    std::string text;
    EXPECT_FALSE(pacing.TakeDue(beforeWrap + 40, &window, &text));
    EXPECT_TRUE(pacing.TakeDue(beforeWrap + ui::kProgressTextStandMs, &window, &text));
    EXPECT_EQ(text, "b");
}

}  // namespace
