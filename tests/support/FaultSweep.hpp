#pragma once
// Every host call a piece of work makes, failing in turn: the sweep the single-request tests
// share (the whole session has its own, in tests/scenario).
#include <climits>
#include <functional>
#include <string>

#include "Host.hpp"

namespace testing_support {

struct FaultSweepOptions {
    // How many calls of each function are made to fail, from the first.
    int callsPerFunction = INT_MAX;
    // Whether a run the page was told succeeded must leave the project as the clean run did
    // (work answered as done must be done). Off for work that answers no status.
    bool successMeansDone = true;
};

// Runs `reset` and `run` once to learn which host calls the run makes and what it leaves,
// then again with each call failing in turn. `run` answers true when the page was told the
// work failed. After every faulted run: nothing escaped into the host, no host memory was
// left behind, and (see the options) a run answered as success left the project as the
// clean run did. Failures name the call; answers the number of faulted runs.
int FaultSweep(sim::Host& host, const std::string& workFolder, const std::function<void()>& reset,
               const std::function<bool()>& run, FaultSweepOptions options = {});

} // namespace testing_support
