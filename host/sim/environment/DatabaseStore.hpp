#pragma once
// The project's databases: the floor plan (always there), sections and layouts, and
// which of them is current.
#include <string>
#include <vector>

#include "API_Guid.h"

namespace sim {

enum class DatabaseKind { floorPlan, section, layout };

struct Database {
    API_Guid id{};
    DatabaseKind type = DatabaseKind::floorPlan;
    std::string name;
};

class DatabaseStore {
public:
    DatabaseStore(); // the floor plan, one section and one layout
    struct Empty {};
    explicit DatabaseStore(Empty) {}
    std::size_t Count() const { return databases.size(); }

    const Database* Find(const API_Guid& id) const;
    const Database& Current() const { return databases[current]; }
    const Database& FloorPlan() const { return databases[0]; }
    // Makes the first database of that type current; false when there is none.
    bool SwitchTo(DatabaseKind type);
    bool SwitchTo(const API_Guid& id);
    // Every database made current so far, in order (for inspection).
    const std::vector<std::string>& Switches() const { return switches; }
    void ForgetSwitches() { switches.clear(); }
    void Add(const Database& database) { databases.push_back(database); }

    template <typename F> void ForEach(F visit) const
    {
        for (const Database& d : databases)
            visit(d);
    }

private:
    std::vector<Database> databases;
    std::size_t current = 0;
    std::vector<std::string> switches;
};

} // namespace sim
