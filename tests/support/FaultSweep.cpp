// The fault sweep of the single-request tests.
#include "FaultSweep.hpp"

#include <gtest/gtest.h>

#include "ProjectSnapshot.hpp"

namespace testing_support {

int FaultSweep(sim::Host& host, const std::string& workFolder, const std::function<void()>& reset,
               const std::function<bool()>& run, FaultSweepOptions options)
{
    reset();
    host.ClearFaults();
    host.ResetCallCounts();
    run();
    const nlohmann::json clean = options.successMeansDone ? ProjectSnapshot(workFolder, true) : nlohmann::json();
    std::map<std::string, int> calls = host.GetCallCounts();
    // A host refusing to release memory keeps it; there is nothing for the add-on to do.
    for (const char* release :
         {"DisposeAttrDefsHdls", "DisposeAttrDefsHdlsExt", "DisposeAddParHdl", "DisposeElemMemoHdls"})
        calls.erase(release);
    int runs = 0;
    for (const auto& [function, count] : calls)
        for (int n = 1; n <= count && n <= options.callsPerFunction; ++n) {
            reset();
            host.ClearFaults();
            host.ResetCallCounts();
            host.InjectFault(function, APIERR_GENERAL, n);
            const long handles = host.LiveHandles();
            const std::size_t escaped = host.GetEscapedExceptions().size();
            const bool answeredFailure = run();
            host.ClearFaults();
            const std::string where = function + " #" + std::to_string(n);
            EXPECT_EQ(host.GetEscapedExceptions().size(), escaped) << where;
            EXPECT_EQ(host.LiveHandles(), handles) << where;
            if (options.successMeansDone && !answeredFailure) {
                const nlohmann::json left = ProjectSnapshot(workFolder, true);
                EXPECT_TRUE(left == clean) << where << " failing was answered as success, but the project differs: "
                                           << nlohmann::json::diff(clean, left).dump().substr(0, 600);
            }
            ++runs;
        }
    return runs;
}

} // namespace testing_support
