#pragma once
// Runs a session script: one JSON action per line, one JSON result line per step.
#include <filesystem>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "StdoutCapture.hpp"

namespace korvel_host {

struct SessionOutcome {
    int steps = 0;
    int failedSteps = 0;
    bool crashed = false; // an exception escaped the add-on
};

class Session {
public:
    // Relative paths in the script are taken from `baseFolder`.
    Session(std::ostream& out, std::filesystem::path baseFolder);

    // What the add-on writes to standard output is taken from `capture` after each step
    // into the step's line ("stdout") and kept for {"do":"dump","what":"stdout"}.
    void CaptureStdout(StdoutCapture* capture) { stdoutCapture = capture; }

    // Loads the add-on into the host as the application would; false when it refused.
    bool LoadAddOn();
    SessionOutcome Run(std::istream& script);
    // One action; the result line it prints.
    nlohmann::json Step(const nlohmann::json& action);

private:
    nlohmann::json Do(const nlohmann::json& action);
    nlohmann::json Dump(const std::string& what) const;
    void TakeStdout(nlohmann::json& line);
    std::filesystem::path Resolve(const std::string& path) const;

    std::ostream& out;
    std::filesystem::path baseFolder;
    std::size_t escapesSeen = 0;
    int stepNumber = 0;
    StdoutCapture* stdoutCapture = nullptr;
    std::vector<std::string> stdoutLines;
};

} // namespace korvel_host
