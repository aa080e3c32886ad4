#pragma once
// Progress of the long reads, for whoever shows it: the viewer in its information strip,
// karvo-report on a terminal. The reader reports the share of a file's heights it has
// read; what is shown, and whether, is the caller's.

#include <chrono>
#include <functional>

// The reader's report after every block: share is 0 to 1.
void readProgress(double share);

// While one lives, reads that go on for more than a second are shown through show, a few
// times a second; done is called when such a read ends (or is given up).
class ReadProgress {
public:
    ReadProgress(std::function<void(double share)> show, std::function<void()> done);
    ~ReadProgress();
    ReadProgress(const ReadProgress&) = delete;
    ReadProgress& operator=(const ReadProgress&) = delete;

    void report(double share);

private:
    using Clock = std::chrono::steady_clock;
    std::function<void(double)> show;
    std::function<void()> done;
    Clock::time_point begun = Clock::now();
    Clock::time_point lastShown;
    bool shown = false;
    ReadProgress* outer;
};
