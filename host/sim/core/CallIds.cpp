// The logical calls of the stand-alone host: each host function a generation names (a
// request function by its request code) maps to one id, by which calls are counted and faults
// injected. A test, a fault sweep or a benchmark names the id, and runs unchanged on a
// generation whose names for the same call differ: each generation lists its names in
// gen<N>/CallNames.cpp.
#include "CallIds.hpp"

#include <string>
#include <unordered_map>

namespace sim {

const char* CallId(const std::string& function)
{
    static const std::unordered_map<std::string, const char*> ids = [] {
        std::unordered_map<std::string, const char*> table;
        for (std::size_t i = 0; i < generationCallCount; ++i)
            table.emplace(generationCalls[i].function, generationCalls[i].id);
        return table;
    }();
    auto it = ids.find(function);
    return it == ids.end() ? nullptr : it->second;
}

std::string FunctionOf(const std::string& id)
{
    for (std::size_t i = 0; i < generationCallCount; ++i)
        if (id == generationCalls[i].id)
            return generationCalls[i].function;
    return id;
}

} // namespace sim
