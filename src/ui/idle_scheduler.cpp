#include "ui/idle_scheduler.h"

#include <chrono>

namespace redewerk {

uint32_t TSteadyClock::Milliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void TIdleScheduler::BodyEdited() {
    if (Busy) return;
    BodyHighlightPending = true;
    LastEditTick = 0;
}

void TIdleScheduler::ConditionEdited() {
    if (Busy) return;
    ConditionHighlightPending = true;
    LastEditTick = 0;
}

void TIdleScheduler::ColourBoth() {
    BodyHighlightPending = true;
    ConditionHighlightPending = true;
}

void TIdleScheduler::RequestCheck() {
    CheckPending = true;
}

bool TIdleScheduler::Pass() {
    const uint32_t now = Clock->Milliseconds();
    if (LastEditTick == 0) LastEditTick = now;
    const uint32_t elapsed = now - LastEditTick; // wraps like the tick counter
    if (!CheckSyntax) CheckPending = false;
    {
        TBusyScope busy(*this);
        if (elapsed > HighlightDelay && (ConditionHighlightPending || BodyHighlightPending)) {
            // Colouring asks for a check, which waits for a later pass.
            if (ConditionHighlightPending) {
                ConditionHighlightPending = false;
                if (Work.ColourCondition) Work.ColourCondition();
                CheckPending = true;
            }
            if (BodyHighlightPending) {
                BodyHighlightPending = false;
                if (Work.ColourBody) Work.ColourBody();
                CheckPending = true;
            }
        } else if (elapsed > ParserDelay && CheckPending) {
            CheckPending = false;
            if (Work.CheckBoth) Work.CheckBoth();
        }
    }
    return !Pending();
}

} // namespace redewerk
