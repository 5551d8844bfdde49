// Attributes by kind, indexed from 1, with unique names within a kind.
#include "AttributeStore.hpp"

namespace sim {

AttributeValues ValuesFor(AttrKind kind)
{
    switch (kind) {
    case AttrKind::buildingMaterial:
        return BuildingMaterialValues{};
    case AttrKind::composite:
        return CompositeValues{};
    case AttrKind::profile:
        return ProfileValues{};
    default:
        return NoValues{};
    }
}

Attribute* AttributeStore::Find(AttrKind kind, AttrIndex index)
{
    return const_cast<Attribute*>(static_cast<const AttributeStore*>(this)->Find(kind, index));
}

const Attribute* AttributeStore::Find(AttrKind kind, AttrIndex index) const
{
    auto it = byKind.find(kind);
    if (it == byKind.end() || index < 1 || index > static_cast<AttrIndex>(it->second.size()))
        return nullptr;
    return &it->second[static_cast<std::size_t>(index - 1)];
}

Attribute* AttributeStore::FindByName(AttrKind kind, const std::string& name)
{
    return const_cast<Attribute*>(static_cast<const AttributeStore*>(this)->FindByName(kind, name));
}

const Attribute* AttributeStore::FindByName(AttrKind kind, const std::string& name) const
{
    auto names = byName.find(kind);
    if (names == byName.end())
        return nullptr;
    auto it = names->second.find(name);
    return it == names->second.end() ? nullptr : Find(kind, it->second);
}

Attribute* AttributeStore::FindByGuid(const API_Guid& guid)
{
    auto it = byGuid.find(guid);
    return it == byGuid.end() ? nullptr : Find(it->second.first, it->second.second);
}

AttrIndex AttributeStore::Count(AttrKind kind) const
{
    auto it = byKind.find(kind);
    return it == byKind.end() ? 0 : static_cast<AttrIndex>(it->second.size());
}

Attribute& AttributeStore::Add(Attribute attribute)
{
    if (std::holds_alternative<NoValues>(attribute.values))
        attribute.values = ValuesFor(attribute.kind);
    auto& list = byKind[attribute.kind];
    attribute.index = static_cast<AttrIndex>(list.size()) + 1;
    byName[attribute.kind][attribute.name] = attribute.index;
    byGuid[attribute.guid] = {attribute.kind, attribute.index};
    list.push_back(std::move(attribute));
    return list.back();
}

} // namespace sim
