#pragma once
// The logical id of a host call ("Element.Get", "Environment.GetLibraries"), whatever a host
// generation names its function.
#include <string>

#include <cstddef>

namespace sim {

struct CallName {
    const char* function;
    const char* id;
};
// The build's generation's names (gen<N>/CallNames.cpp).
extern const CallName generationCalls[];
extern const std::size_t generationCallCount;

// The id the host function (a request function as "function/CODE") maps to; null for a
// function the table does not know (the memory service, resources), which is counted by its
// own name.
const char* CallId(const std::string& function);
// The name of the function this generation makes the call by (the id itself when the table
// has none): what a log line naming the call says.
std::string FunctionOf(const std::string& id);

} // namespace sim
