#include "PropertyStore.hpp"

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

void PropertyStore::AddGroup(const API_PropertyGroup& group)
{
    groupIndex[group.guid] = groups.size();
    groups.push_back(group);
}

PropertyDefinition& PropertyStore::AddDefinition(const PropertyDefinition& definition)
{
    definitions.push_back(std::make_unique<PropertyDefinition>(definition));
    byGuid[definition.definition.guid] = definitions.back().get();
    return *definitions.back();
}

} // namespace sim
