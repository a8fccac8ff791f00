#pragma once

// Kills a writer at random moments. A forked child runs a write loop until it is killed with SIGKILL after a
// random delay; the parent then checks what the disk holds, and does so again and again. The random
// sequence comes from a seed that is printed, so that a failing run can be replayed. POSIX only.

#include <chrono>
#include <cstdint>
#include <functional>

namespace hartool::test {

class CrashHarness {
  public:
    // seed 0 takes $HARTOOL_CRASH_SEED when set, else a fixed default.
    explicit CrashHarness(std::uint32_t seed = 0,
                          std::chrono::microseconds maxDelay = std::chrono::milliseconds(30));

    // times rounds of: fork a child that calls writeLoop (which should not return; the child ends when it
    // does), kill it after a random delay in [0, maxDelay], reap it, call check(round). Returns the number
    // of children killed while running, which is every round unless a child ended by itself.
    int run(int times, const std::function<void()>& writeLoop, const std::function<void(int round)>& check);

    std::uint32_t seed() const { return seed_; }

  private:
    std::uint32_t seed_;
    std::chrono::microseconds maxDelay_;
};

}  // namespace hartool::test
