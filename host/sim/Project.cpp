#include "Project.hpp"

namespace sim {

Attribute* AttributeStore::Find(API_AttrTypeID type, API_AttributeIndex index)
{
    auto it = byType.find(type);
    if (it == byType.end() || index < 1 || index > static_cast<API_AttributeIndex>(it->second.size()))
        return nullptr;
    return &it->second[static_cast<std::size_t>(index - 1)];
}

Attribute* AttributeStore::FindByName(API_AttrTypeID type, const std::string& name)
{
    auto it = byType.find(type);
    if (it == byType.end())
        return nullptr;
    for (Attribute& a : it->second)
        if (a.name == name)
            return &a;
    return nullptr;
}

Attribute* AttributeStore::FindByGuid(const API_Guid& guid)
{
    for (auto& [type, list] : byType)
        for (Attribute& a : list)
            if (a.guid == guid)
                return &a;
    return nullptr;
}

Element* ElementStore::Find(const API_Guid& guid)
{
    for (Element& e : elements)
        if (e.guid == guid)
            return &e;
    return nullptr;
}

PropertyDefinition* PropertyStore::Find(const API_Guid& guid)
{
    for (PropertyDefinition& d : definitions)
        if (d.definition.guid == guid)
            return &d;
    return nullptr;
}

ClassificationItemNode* ClassificationStore::FindItem(const API_Guid& guid)
{
    for (ClassificationItemNode& node : items)
        if (node.item.guid == guid)
            return &node;
    return nullptr;
}

Project::Project()
{
    API_PropertyGroup group;
    group.guid = APIGuidFromString("6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0001");
    group.groupType = API_PropertyStaticBuiltInGroupType;
    group.name = "Building Material";
    properties.groups.push_back(group);
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
        properties.definitions.push_back(d);
    };
    builtIn("6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0002", "Building Material Description", BuiltInField::Description);
    builtIn("6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0003", "Building Material Manufacturer", BuiltInField::Manufacturer);
}

} // namespace sim
