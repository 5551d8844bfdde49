#pragma once
// Every function the host calls runs its body through CatchAll: an exception that
// reached the host would take it down with the user's unsaved work, so it is logged
// as an error naming the function, and the function answers `onError` instead.
#include <exception>
#include <string>
#include <utility>

#include "Logger.hpp"

namespace KRV {

template <typename R, typename F> R CatchAll(const char* where, F&& body, R onError)
{
    try {
        return body();
    } catch (const std::exception& e) {
        LogError(std::string(where) + " failed: " + e.what());
    } catch (...) {
        LogError(std::string(where) + " failed: unknown error");
    }
    return onError;
}

template <typename F> void CatchAll(const char* where, F&& body)
{
    CatchAll<int>(
        where,
        [&] {
            body();
            return 0;
        },
        0);
}

// For destructors and scope guards: nothing may leave them (an exception leaving a destructor
// ends the application), not even a failure to write the log line.
template <typename F> void NothingEscapes(const char* where, F&& body) noexcept
{
    try {
        CatchAll(where, std::forward<F>(body));
    } catch (...) {
    }
}

} // namespace KRV
