#pragma once
// The undo steps of the project: the names of the undoable commands run, oldest first.
#include <string>
#include <vector>

namespace sim {

class UndoHistory {
public:
    void Record(std::string name) { steps.push_back(std::move(name)); }
    const std::vector<std::string>& Names() const { return steps; }
    void Replace(std::vector<std::string> names) { steps = std::move(names); }
    void Clear() { steps.clear(); }

private:
    std::vector<std::string> steps;
};

} // namespace sim
