// The project's databases: the floor plan, sections and layouts, and which is current.
#include "DatabaseStore.hpp"

namespace sim {

DatabaseStore::DatabaseStore()
{
    databases.push_back(
        {APIGuidFromString("0F1A2B3C-0000-4000-8000-000000000001"), DatabaseKind::floorPlan, "1. Erdgeschoss"});
    databases.push_back(
        {APIGuidFromString("0F1A2B3C-0000-4000-8000-000000000002"), DatabaseKind::section, "S-01 Schnitt"});
    databases.push_back(
        {APIGuidFromString("0F1A2B3C-0000-4000-8000-000000000003"), DatabaseKind::layout, "A.01 Layout"});
}

const Database* DatabaseStore::Find(const API_Guid& id) const
{
    for (const Database& d : databases)
        if (d.id == id)
            return &d;
    return nullptr;
}

bool DatabaseStore::SwitchTo(DatabaseKind type)
{
    for (std::size_t i = 0; i < databases.size(); ++i)
        if (databases[i].type == type) {
            current = i;
            switches.push_back(databases[i].name);
            return true;
        }
    return false;
}

bool DatabaseStore::SwitchTo(const API_Guid& id)
{
    for (std::size_t i = 0; i < databases.size(); ++i)
        if (databases[i].id == id) {
            current = i;
            switches.push_back(databases[i].name);
            return true;
        }
    return false;
}

} // namespace sim
