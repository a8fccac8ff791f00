#include "support/crashharness.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

namespace hartool::test {

namespace {

constexpr std::uint32_t kDefaultSeed = 20261208;

std::uint32_t chosenSeed(std::uint32_t seed) {
    if (seed != 0) return seed;
    if (const char* given = std::getenv("HARTOOL_CRASH_SEED"); given && *given)
        return static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10));
    return kDefaultSeed;
}

}  // namespace

CrashHarness::CrashHarness(std::uint32_t seed, std::chrono::microseconds maxDelay)
    : seed_(chosenSeed(seed)), maxDelay_(maxDelay) {
    std::printf("crash harness seed %u (replay with HARTOOL_CRASH_SEED=%u)\n", seed_, seed_);
    std::fflush(stdout);
}

int CrashHarness::run(int times, const std::function<void()>& writeLoop,
                      const std::function<void(int round)>& check) {
    std::mt19937 random(seed_);
    std::uniform_int_distribution<long long> delay(0, maxDelay_.count());
    int killed = 0;
    for (int round = 0; round < times; ++round) {
        std::fflush(nullptr);  // nothing buffered is written twice by the child
        const pid_t child = ::fork();
        if (child < 0) throw std::runtime_error("fork failed");
        if (child == 0) {
            writeLoop();
            ::_exit(0);  // never back into the test framework
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++killed;
        check(round);
    }
    return killed;
}

}  // namespace hartool::test
