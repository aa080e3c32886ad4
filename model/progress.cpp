#include "model/progress.h"

#include <utility>

namespace {

ReadProgress* active = nullptr;  // the innermost live ReadProgress

const auto quiet = std::chrono::seconds(1);         // a read this short shows nothing
const auto interval = std::chrono::milliseconds(200);  // between two reports shown

}  // namespace

void readProgress(double share)
{
    if (active != nullptr)
        active->report(share);
}

ReadProgress::ReadProgress(std::function<void(double)> showShare, std::function<void()> whenDone,
                           std::function<Clock::time_point()> clock)
    : show(std::move(showShare)), done(std::move(whenDone)), now(std::move(clock)), begun(now()), outer(active)
{
    active = this;
}

ReadProgress::~ReadProgress()
{
    active = outer;
    if (shown && done)
        done();
}

void ReadProgress::report(double share)
{
    if (share >= 1) {
        // A file is read: its line goes before anything else is printed or shown.
        if (shown && done)
            done();
        shown = false;
        return;
    }
    const Clock::time_point time = now();
    if (time - begun < quiet || (shown && time - lastShown < interval))
        return;
    shown = true;
    lastShown = time;
    show(share);
}
