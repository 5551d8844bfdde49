#pragma once
// korvel-host check: runs a catalogue payload as the page's "import" (or "bulkImport" for an
// array) against a copy of a project and reports what it would create or change, the
// questions asked, the undo steps, the log, and why it fails when it does. No file changes.
#include <filesystem>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace korvel_host {

struct CheckOptions {
    std::filesystem::path payload;
    std::optional<std::filesystem::path> project; // none: an empty project
    bool json = false;                            // the report as JSON instead of text
    bool strict = false;                          // a warning fails the check (exit code 1)
    std::optional<std::filesystem::path> serve;   // serve this folder at {{server}}
};

// Exit codes: 0 the import succeeds, 1 it fails (or warns, with `strict`), 2 the payload,
// project or folder to serve cannot be read.
int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);

// What changed between two saved projects, entry by entry, with properties and
// classifications given by name.
nlohmann::json ProjectChanges(const nlohmann::json& before, const nlohmann::json& after);

// The report for a person.
std::string FormatCheckReport(const nlohmann::json& report);

} // namespace korvel_host
