// Property groups and definitions, the host's built-in ones included.
#include "PropertyStore.hpp"

#include <algorithm>

namespace sim {

PropertyStore::PropertyStore()
{
    API_PropertyGroup group;
    group.guid = APIGuidFromString("6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0001");
    group.groupType = API_PropertyStaticBuiltInGroupType;
    group.name = "Building Material";
    AddGroup(group);
    auto builtIn = [&](const char* guid, const char* name, BuiltInField field) {
        PropertyDefinition d;
        d.definition.guid = APIGuidFromString(guid);
        d.definition.groupGuid = group.guid;
        d.definition.name = name;
        d.definition.collectionType = API_PropertySingleCollectionType;
        d.definition.valueType = API_PropertyStringValueType;
        d.definition.measureType = API_PropertyDefaultMeasureType;
        d.definition.definitionType = API_PropertyStaticBuiltInDefinitionType;
        d.definition.canValueBeEditable = true;
        d.field = field;
        AddDefinition(d);
    };
    builtIn("6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0002", "Building Material Description", BuiltInField::Description);
    builtIn("6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0003", "Building Material Manufacturer", BuiltInField::Manufacturer);
}

const API_PropertyGroup* PropertyStore::FindGroup(const API_Guid& guid) const
{
    auto it = groupIndex.find(guid);
    return it == groupIndex.end() ? nullptr : &groups[it->second];
}

PropertyDefinition* PropertyStore::Find(const API_Guid& guid)
{
    auto it = byGuid.find(guid);
    return it == byGuid.end() ? nullptr : it->second;
}

const PropertyDefinition* PropertyStore::Find(const API_Guid& guid) const
{
    auto it = byGuid.find(guid);
    return it == byGuid.end() ? nullptr : it->second;
}

std::string PropertyStore::NameKey(const API_Guid& group, const GS::UniString& name)
{
    std::string key(reinterpret_cast<const char*>(&group), sizeof group);
    return key + name.ToUtf8();
}

const API_PropertyGroup* PropertyStore::FindGroupByName(const GS::UniString& name) const
{
    auto it = groupByName.find(name.ToUtf8());
    return it == groupByName.end() ? nullptr : &groups[it->second];
}

const PropertyDefinition* PropertyStore::FindByName(const API_Guid& group, const GS::UniString& name) const
{
    auto it = byName.find(NameKey(group, name));
    return it == byName.end() ? nullptr : it->second;
}

std::vector<const PropertyDefinition*> PropertyStore::AvailableFor(const std::vector<API_Guid>& items) const
{
    std::vector<const PropertyDefinition*> found;
    for (const API_Guid& item : items)
        if (auto it = byItem.find(item); it != byItem.end())
            found.insert(found.end(), it->second.begin(), it->second.end());
    std::sort(found.begin(), found.end(),
              [](const PropertyDefinition* a, const PropertyDefinition* b) { return a->order < b->order; });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void PropertyStore::AddGroup(const API_PropertyGroup& group)
{
    groupIndex[group.guid] = groups.size();
    groupByName.emplace(group.name.ToUtf8(), groups.size()); // the first of a name, as a scan finds it
    groups.push_back(group);
}

PropertyDefinition& PropertyStore::AddDefinition(const PropertyDefinition& definition)
{
    definitions.push_back(std::make_unique<PropertyDefinition>(definition));
    PropertyDefinition& added = *definitions.back();
    added.order = definitions.size();
    byGuid[added.definition.guid] = &added;
    Index(added);
    return added;
}

void PropertyStore::ChangeDefinition(PropertyDefinition& stored, const API_PropertyDefinition& definition)
{
    Unindex(stored);
    stored.definition = definition;
    Index(stored);
}

void PropertyStore::Index(PropertyDefinition& d)
{
    byName.emplace(NameKey(d.definition.groupGuid, d.definition.name), &d);
    if (d.field != BuiltInField::None)
        return;
    // Not listed anywhere yet (new, or unindexed before a change): only an item named twice
    // in its availability would list it twice, and that one is at the back.
    for (const API_Guid& item : d.definition.availability) {
        auto& list = byItem[item];
        if (list.empty() || list.back() != &d)
            list.push_back(&d);
    }
}

void PropertyStore::Unindex(PropertyDefinition& d)
{
    if (auto it = byName.find(NameKey(d.definition.groupGuid, d.definition.name));
        it != byName.end() && it->second == &d)
        byName.erase(it);
    for (const API_Guid& item : d.definition.availability)
        if (auto it = byItem.find(item); it != byItem.end())
            it->second.erase(std::remove(it->second.begin(), it->second.end(), &d), it->second.end());
}

} // namespace sim
