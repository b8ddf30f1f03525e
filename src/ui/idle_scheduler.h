#pragma once

#include <cstdint>
#include <functional>

namespace redewerk {

// A millisecond tick counter that wraps after about 49.7 days. The editor uses the steady
// clock; tests set the time themselves.
class TClock {
public:
    virtual ~TClock() = default;
    virtual uint32_t Milliseconds() = 0;
};

class TSteadyClock : public TClock {
public:
    uint32_t Milliseconds() override;
};

// The work the scheduler hands out.
struct TIdleWork {
    std::function<void()> ColourCondition;
    std::function<void()> ColourBody;
    std::function<void()> CheckBoth; // the body, then the condition
};

// Re-colours and re-checks the two code editors once the user pauses: an edit marks its
// editor for re-colouring and restarts the pause; each idle pass then does at most one kind
// of work, the colouring once the pause is longer than HighlightDelay (which asks for a
// check), else the check once it is longer than ParserDelay. The pause is timed from the
// first pass after the last edit. The owner runs a pass about every 30 ms while Pending()
// holds and not at all otherwise; the scheduler itself knows nothing of timers or widgets.
class TIdleScheduler {
public:
    TIdleScheduler(TClock& clock, TIdleWork work) : Clock(&clock), Work(std::move(work)) {}

    void SetClock(TClock& clock) { Clock = &clock; }

    // Text changes reported while Busy (the scheduler's own work, the font size being
    // applied) are no edits.
    void BodyEdited();
    void ConditionEdited();
    void ColourBoth(); // the colours changed
    void RequestCheck();

    // One idle pass; returns true when nothing is pending any more.
    bool Pass();

    bool Pending() const {
        return BodyHighlightPending || ConditionHighlightPending || CheckPending;
    }

    uint32_t HighlightDelay = 0;
    uint32_t ParserDelay = 300;
    bool CheckSyntax = true;   // "Syntaxüberprüfung"; while off, a pending check is dropped
    uint32_t LastEditTick = 0; // 0: an edit just happened, timing starts with the next pass
    bool BodyHighlightPending = false;
    bool ConditionHighlightPending = false;
    bool CheckPending = false;
    bool Busy = false;

private:
    TClock* Clock;
    TIdleWork Work;
};

// Sets the scheduler Busy for its lifetime.
class TBusyScope {
public:
    explicit TBusyScope(TIdleScheduler& scheduler) : Scheduler(scheduler), Was(scheduler.Busy) {
        Scheduler.Busy = true;
    }
    ~TBusyScope() { Scheduler.Busy = Was; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TIdleScheduler& Scheduler;
    bool Was;
};

} // namespace redewerk
