#include "ui/idle_scheduler.h"

#include <gtest/gtest.h>

#include <string>

namespace redewerk {
namespace {

struct TFakeClock : TClock {
    uint32_t Now = 1000;
    uint32_t Milliseconds() override { return Now; }
};

// A scheduler whose work writes down what ran: "c" condition coloured, "b" body coloured,
// "k" checked.
struct TIdleSchedulerTest : ::testing::Test {
    TFakeClock Clock;
    std::string Log;
    TIdleScheduler Scheduler{
        Clock, TIdleWork{[this] { Log += 'c'; }, [this] { Log += 'b'; }, [this] { Log += 'k'; }}};

    // Runs passes every 30 ms for `ms` milliseconds, as the editor's timer would; returns
    // what ran, passes separated by "|" when they did something.
    std::string Run(uint32_t ms) {
        std::string ran;
        for (uint32_t t = 0; t < ms; t += 30) {
            Log.clear();
            Scheduler.Pass();
            if (!Log.empty()) ran += (ran.empty() ? "" : "|") + Log;
            Clock.Now += 30;
        }
        return ran;
    }
};

TEST_F(TIdleSchedulerTest, ColoursAfterTheFirstPauseAndChecksAfterTheParserDelay) {
    Scheduler.BodyEdited();
    Log.clear();
    EXPECT_FALSE(Scheduler.Pass()); // the first pass only starts the clock
    EXPECT_EQ(Log, "");
    Clock.Now += 30;
    EXPECT_FALSE(Scheduler.Pass());
    EXPECT_EQ(Log, "b"); // 30 > 0: coloured, the check waits
    Clock.Now += 270;
    EXPECT_FALSE(Scheduler.Pass()); // exactly 300 ms: not yet, the comparison is strict
    EXPECT_EQ(Log, "b");
    Clock.Now += 1;
    EXPECT_TRUE(Scheduler.Pass());
    EXPECT_EQ(Log, "bk");
    EXPECT_FALSE(Scheduler.Pending());
}

TEST_F(TIdleSchedulerTest, KeysFasterThanTheDelaysPostponeTheWork) {
    Scheduler.HighlightDelay = 100;
    for (int key = 0; key < 10; ++key) {
        Scheduler.ConditionEdited();
        EXPECT_EQ(Run(90), "") << key; // each key restarts the pause
    }
    EXPECT_EQ(Run(450), "c|k"); // coloured after 100 ms, checked after 300 ms
    EXPECT_TRUE(Scheduler.Pass());
}

TEST_F(TIdleSchedulerTest, BothEditorsAreColouredInOnePassBeforeTheCheck) {
    Scheduler.ColourBoth();
    EXPECT_EQ(Run(600), "cb|k");
}

TEST_F(TIdleSchedulerTest, TheCheckSwitchDropsPendingChecks) {
    Scheduler.CheckSyntax = false;
    Scheduler.BodyEdited();
    EXPECT_EQ(Run(600), "b");
    EXPECT_FALSE(Scheduler.Pending()); // at rest: the colouring's check was dropped
    Scheduler.CheckSyntax = true;
    Scheduler.RequestCheck();
    EXPECT_EQ(Run(600), "k");
}

TEST_F(TIdleSchedulerTest, EditsWhileBusyDoNotCount) {
    {
        TBusyScope busy(Scheduler);
        Scheduler.BodyEdited();
        Scheduler.ConditionEdited();
    }
    EXPECT_FALSE(Scheduler.Busy);
    EXPECT_FALSE(Scheduler.Pending());
}

TEST_F(TIdleSchedulerTest, AWrappingTickCounterOnlyStartsTheWorkEarly) {
    Clock.Now = 0xFFFFFFF0u;
    Scheduler.BodyEdited();
    Scheduler.Pass();
    Clock.Now = 5; // 21 ms later, past the wrap
    Log.clear();
    Scheduler.Pass();
    EXPECT_EQ(Log, "b");
}

} // namespace
} // namespace redewerk
