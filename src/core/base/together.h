#pragma once

// Two pieces of work that share nothing they change, done at the same time: the second on a thread of its
// own, the first on the caller's. Returns when both are done; what either threw is thrown then, the first's
// first. Without a thread to be had, the second is done after the first.

#include <exception>
#include <system_error>
#include <thread>

namespace hartool {

template <class First, class Second>
void doTogether(First&& first, Second&& second) {
    std::exception_ptr secondFailed;
    std::thread beside;
    try {
        beside = std::thread([&] {
            try {
                second();
            } catch (...) {
                secondFailed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
    }
    std::exception_ptr firstFailed;
    try {
        first();
    } catch (...) {
        firstFailed = std::current_exception();
    }
    if (beside.joinable())
        beside.join();
    else if (!firstFailed)
        second();
    if (firstFailed) std::rethrow_exception(firstFailed);
    if (secondFailed) std::rethrow_exception(secondFailed);
}

}  // namespace hartool
