#pragma once
// Progress of the long reads, for whoever shows it: the viewer in its information strip,
// karvo-report on a terminal. The reader reports the share of a file's heights it has
// read; what is shown, and whether, is the caller's.

#include <chrono>
#include <functional>

// The reader's report after every block: share is 0 to 1.
void readProgress(double share);

// While one lives, reads that go on for more than a second are shown through show, a few
// times a second; done is called when such a read ends (or is given up). The time is the
// steady clock's unless another clock is given (tests step one by hand).
class ReadProgress {
public:
    using Clock = std::chrono::steady_clock;
    ReadProgress(std::function<void(double share)> show, std::function<void()> done,
                 std::function<Clock::time_point()> clock = Clock::now);
    ~ReadProgress();
    ReadProgress(const ReadProgress&) = delete;
    ReadProgress& operator=(const ReadProgress&) = delete;

    void report(double share);

private:
    std::function<void(double)> show;
    std::function<void()> done;
    std::function<Clock::time_point()> now;
    Clock::time_point begun;
    Clock::time_point lastShown;
    bool shown = false;
    ReadProgress* outer;
};
