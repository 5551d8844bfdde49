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

ElementPayload PayloadFor(ElemKind kind)
{
    switch (kind) {
    case ElemKind::wall:
    case ElemKind::slab:
    case ElemKind::roof:
        return ShellPayload{};
    case ElemKind::column:
    case ElemKind::beam:
        return MemberPayload{};
    case ElemKind::window:
    case ElemKind::door:
    case ElemKind::object:
    case ElemKind::lamp:
        return PlacedPayload{};
    default:
        return NoPayload{};
    }
}

bool IsPlacedFromLibraryPart(ElemKind kind)
{
    return kind == ElemKind::object || kind == ElemKind::window || kind == ElemKind::door || kind == ElemKind::lamp;
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
    byKind[order.back()->kind].push_back(order.back().get());
    return *order.back();
}

bool ElementStore::Remove(const API_Guid& guid)
{
    auto it = byGuid.find(guid);
    if (it == byGuid.end())
        return false;
    const Element* target = it->second;
    byGuid.erase(it);
    auto& sameType = byKind[target->kind];
    sameType.erase(std::find(sameType.begin(), sameType.end(), target));
    order.erase(std::find_if(order.begin(), order.end(), [&](const auto& e) { return e.get() == target; }));
    return true;
}

} // namespace sim
