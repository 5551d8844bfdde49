#pragma once
// What korvel-host can say about a catalogue payload beyond the add-on's own log line: why
// the add-on could not start on it (where the text is not JSON, which member is missing or
// unknown), which member a logged error means, and payloads that import but bring nothing.
// `check` and the step lines of `run` and `serve` say the same.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace korvel_host {

// Why the add-on cannot import `text` at all, as {"detail": words, "member": JSON pointer}
// (the member when one is at fault), or null when nothing is wrong with its shape. `bulk`:
// the text is a list for "bulkImport".
nlohmann::json PayloadProblem(const std::string& text, bool bulk);

// The same for item `index` of a bulk import ({"detail", "member"} or null).
nlohmann::json BulkItemProblem(const nlohmann::json& item, std::size_t index);

// Payloads that import but bring nothing: a composite with no layers, a material with no
// articles, a library part with no file. One sentence each, naming the member.
std::vector<std::string> PayloadWarnings(const nlohmann::json& payload, bool bulk);

// The first error among the log lines from `from` on: {"message", "member"} (the member when
// the message names one), or null.
nlohmann::json FirstError(const nlohmann::json& log, std::size_t from = 0);

// The member an error names is relative to the part the add-on read (an article, a bulk
// item); this finds it in the whole payload.
std::string LocateMember(const nlohmann::json& payload, std::string member, const std::string& message, bool bulk);

// Whether the page would hear success: an import's status, or no failed entry of a bulk import.
bool Succeeded(const std::string& function, const nlohmann::json& reply);

// For a failed import call: why, from the payload's shape and the log lines it wrote
// ({"message", "detail", "member"}, each when known; for a bulk import "items", the problem of
// each item that has one, with its "index").
nlohmann::json WhyItFailed(const std::string& text, bool bulk, const nlohmann::json& log, std::size_t from);

} // namespace korvel_host
