// Classification systems and their item trees.
#include "ClassificationStore.hpp"

#include <algorithm>

namespace sim {

const ClassificationSystem* ClassificationStore::FindSystem(const API_Guid& guid) const
{
    for (const auto& s : systems)
        if (s.guid == guid)
            return &s;
    return nullptr;
}

const ClassificationSystem* ClassificationStore::FindSystem(const GS::UniString& name,
                                                            const GS::UniString& editionVersion) const
{
    for (const auto& s : systems)
        if (s.name == name && s.editionVersion == editionVersion)
            return &s;
    return nullptr;
}

const ClassificationItemNode* ClassificationStore::FindItem(const API_Guid& guid) const
{
    auto it = itemIndex.find(guid);
    return it == itemIndex.end() ? nullptr : &items[it->second];
}

void ClassificationStore::AddSystem(const ClassificationSystem& system)
{
    systems.push_back(system);
}

void ClassificationStore::AddItem(const ClassificationItemNode& node, const API_Guid& nextSibling)
{
    const std::size_t position = items.size();
    items.push_back(node);
    itemIndex.emplace(node.item.guid, position);
    // Root items are kept under the system's guid.
    auto& siblings = childrenIndex[node.parent == APINULLGuid ? node.system : node.parent];
    auto at = std::find_if(siblings.begin(), siblings.end(), [&](std::size_t i) {
        return nextSibling != APINULLGuid && items[i].item.guid == nextSibling;
    });
    siblings.insert(at, position);
}

std::vector<const ClassificationItemNode*> ClassificationStore::Children(const API_Guid& system,
                                                                         const API_Guid& parent) const
{
    std::vector<const ClassificationItemNode*> out;
    auto it = childrenIndex.find(parent == APINULLGuid ? system : parent);
    if (it != childrenIndex.end())
        for (std::size_t i : it->second)
            if (items[i].system == system)
                out.push_back(&items[i]);
    return out;
}

} // namespace sim
