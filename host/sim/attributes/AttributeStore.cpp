// Attributes by type, indexed from 1, with unique names within a type.
#include "AttributeStore.hpp"

namespace sim {

Attribute* AttributeStore::Find(API_AttrTypeID type, API_AttributeIndex index)
{
    return const_cast<Attribute*>(static_cast<const AttributeStore*>(this)->Find(type, index));
}

const Attribute* AttributeStore::Find(API_AttrTypeID type, API_AttributeIndex index) const
{
    auto it = byType.find(type);
    if (it == byType.end() || index < 1 || index > static_cast<API_AttributeIndex>(it->second.size()))
        return nullptr;
    return &it->second[static_cast<std::size_t>(index - 1)];
}

Attribute* AttributeStore::FindByName(API_AttrTypeID type, const std::string& name)
{
    return const_cast<Attribute*>(static_cast<const AttributeStore*>(this)->FindByName(type, name));
}

const Attribute* AttributeStore::FindByName(API_AttrTypeID type, const std::string& name) const
{
    auto names = byName.find(type);
    if (names == byName.end())
        return nullptr;
    auto it = names->second.find(name);
    return it == names->second.end() ? nullptr : Find(type, it->second);
}

Attribute* AttributeStore::FindByGuid(const API_Guid& guid)
{
    auto it = byGuid.find(guid);
    return it == byGuid.end() ? nullptr : Find(it->second.first, it->second.second);
}

API_AttributeIndex AttributeStore::Count(API_AttrTypeID type) const
{
    auto it = byType.find(type);
    return it == byType.end() ? 0 : static_cast<API_AttributeIndex>(it->second.size());
}

Attribute& AttributeStore::Add(Attribute attribute)
{
    auto& list = byType[attribute.type];
    attribute.index = static_cast<API_AttributeIndex>(list.size()) + 1;
    byName[attribute.type][attribute.name] = attribute.index;
    byGuid[attribute.guid] = {attribute.type, attribute.index};
    list.push_back(std::move(attribute));
    return list.back();
}

} // namespace sim
