// Library parts loaded in the project, indexed from 1, found by unique id and by name.
#include "LibPartStore.hpp"

namespace sim {

LibPartStore::LibPartStore() : libraries{{"Embedded Library", "Embedded Library", false}} {}

LibPart* LibPartStore::Find(Int32 index)
{
    if (index < 1 || index > Count())
        return nullptr;
    return &parts[static_cast<std::size_t>(index - 1)];
}

LibPart* LibPartStore::FindByUniqueId(const std::string& uniqueId)
{
    auto it = byUniqueId.find(uniqueId);
    return it == byUniqueId.end() ? nullptr : Find(it->second);
}

LibPart* LibPartStore::FindByName(const std::string& name)
{
    auto it = byName.find(name);
    return it == byName.end() ? nullptr : Find(it->second);
}

LibPart& LibPartStore::Put(LibPart part)
{
    if (LibPart* existing = FindByUniqueId(part.uniqueId)) {
        part.index = existing->index;
        if (existing->name != part.name)
            byName.erase(existing->name);
        byName[part.name] = part.index;
        *existing = std::move(part);
        return *existing;
    }
    part.index = Count() + 1;
    byUniqueId[part.uniqueId] = part.index;
    byName[part.name] = part.index;
    parts.push_back(std::move(part));
    return parts.back();
}

} // namespace sim
