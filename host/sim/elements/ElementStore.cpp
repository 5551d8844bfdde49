// Elements in creation order: a common head and a payload per type.
#include "ElementStore.hpp"

#include <algorithm>

namespace sim {

const std::string* Element::IfcName() const
{
    for (const auto& [name, value] : ifcAttributes)
        if (name == "Name")
            return &value;
    return nullptr;
}

ElementPayload PayloadFor(API_ElemTypeID type)
{
    switch (type) {
    case API_WallID:
    case API_SlabID:
    case API_RoofID:
        return ShellPayload{};
    case API_ColumnID:
    case API_BeamID:
        return MemberPayload{};
    case API_WindowID:
    case API_DoorID:
    case API_ObjectID:
    case API_LampID:
        return PlacedPayload{};
    default:
        return NoPayload{};
    }
}

bool IsPlacedFromLibraryPart(API_ElemTypeID type)
{
    return type == API_ObjectID || type == API_WindowID || type == API_DoorID || type == API_LampID;
}

Element* ElementStore::Find(const API_Guid& guid)
{
    auto it = byGuid.find(guid);
    return it == byGuid.end() ? nullptr : it->second;
}

const Element* ElementStore::Find(const API_Guid& guid) const
{
    auto it = byGuid.find(guid);
    return it == byGuid.end() ? nullptr : it->second;
}

Element& ElementStore::Add(Element element)
{
    order.push_back(std::make_unique<Element>(std::move(element)));
    byGuid[order.back()->guid] = order.back().get();
    byType[order.back()->type].push_back(order.back().get());
    return *order.back();
}

bool ElementStore::Remove(const API_Guid& guid)
{
    auto it = byGuid.find(guid);
    if (it == byGuid.end())
        return false;
    const Element* target = it->second;
    byGuid.erase(it);
    auto& sameType = byType[target->type];
    sameType.erase(std::find(sameType.begin(), sameType.end(), target));
    order.erase(std::find_if(order.begin(), order.end(), [&](const auto& e) { return e.get() == target; }));
    return true;
}

} // namespace sim
