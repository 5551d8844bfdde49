#pragma once
// A host write that failed once is asked once more before the add-on gives up on it.
#include <exception>
#include <string>

#include "Logger.hpp"

namespace KRV {

// Runs `write`; when it fails (its error logged by itself) or throws (logged here, naming
// `where`), runs it once more and answers that. What the second attempt throws is the
// caller's, as any host failure would be.
template <typename Write> auto WriteTwice(const char* where, Write&& write) -> decltype(write())
{
    try {
        if (auto err = write(); err == 0)
            return err;
    } catch (const std::exception& e) {
        LogError(std::string(where) + " failed: " + e.what());
    }
    return write();
}

} // namespace KRV
