// The properties' section of the project file: custom "propertyGroups" and
// "propertyDefinitions" (the built-in ones are part of every project and not written).
#include "ProjectFileSections.hpp"

namespace sim {

namespace {

const char* MeasureName(API_PropertyMeasureType type)
{
    switch (type) {
    case API_PropertyLengthMeasureType:
        return "length";
    case API_PropertyAreaMeasureType:
        return "area";
    case API_PropertyVolumeMeasureType:
        return "volume";
    case API_PropertyAngleMeasureType:
        return "angle";
    case API_PropertyDefaultMeasureType:
        return "default";
    default:
        return "undefined";
    }
}

API_PropertyMeasureType MeasureOf(const std::string& name)
{
    for (auto type : {API_PropertyUndefinedMeasureType, API_PropertyDefaultMeasureType, API_PropertyLengthMeasureType,
                      API_PropertyAreaMeasureType, API_PropertyVolumeMeasureType, API_PropertyAngleMeasureType})
        if (name == MeasureName(type))
            return type;
    throw ProjectFileError("unknown measure type \"" + name + "\"");
}

} // namespace

void SaveProperties(const Project& project, json& file)
{
    file["propertyGroups"] = json::array();
    project.properties.ForEachGroup([&](const API_PropertyGroup& g) {
        if (g.groupType == API_PropertyCustomGroupType)
            file["propertyGroups"].push_back(
                {{"guid", GuidText(g.guid)}, {"name", g.name.ToUtf8()}, {"description", g.description.ToUtf8()}});
    });
    file["propertyDefinitions"] = json::array();
    project.properties.ForEachDefinition([&](const PropertyDefinition& d) {
        if (d.field != BuiltInField::None)
            return;
        json availability = json::array();
        for (const API_Guid& item : d.definition.availability)
            availability.push_back(GuidText(item));
        file["propertyDefinitions"].push_back({{"guid", GuidText(d.definition.guid)},
                                               {"group", GuidText(d.definition.groupGuid)},
                                               {"name", d.definition.name.ToUtf8()},
                                               {"description", d.definition.description.ToUtf8()},
                                               {"measureType", MeasureName(d.definition.measureType)},
                                               {"editable", d.definition.canValueBeEditable},
                                               {"availability", availability}});
    });
}

void LoadProperties(const json& file, Project& project, GuidRegister& guids)
{
    project.properties.ForEachGroup([&](const API_PropertyGroup& g) { guids.Claim("property groups", g.guid); });
    project.properties.ForEachDefinition(
        [&](const PropertyDefinition& d) { guids.Claim("property definitions", d.definition.guid); });
    if (file.contains("propertyGroups"))
        for (const json& j : file.at("propertyGroups")) {
            API_PropertyGroup g;
            g.guid = GuidOf(j, "guid");
            guids.Claim("property groups", g.guid);
            g.name = GS::UniString(j.at("name").get<std::string>());
            g.description = GS::UniString(j.value("description", ""));
            project.properties.AddGroup(g);
        }
    if (file.contains("propertyDefinitions"))
        for (const json& j : file.at("propertyDefinitions")) {
            PropertyDefinition d;
            d.definition.guid = GuidOf(j, "guid");
            guids.Claim("property definitions", d.definition.guid);
            d.definition.groupGuid = RequiredGuid(j, "group");
            d.definition.name = GS::UniString(j.at("name").get<std::string>());
            d.definition.description = GS::UniString(j.value("description", ""));
            d.definition.collectionType = API_PropertySingleCollectionType;
            d.definition.valueType = API_PropertyStringValueType;
            d.definition.measureType = MeasureOf(j.value("measureType", "default"));
            d.definition.canValueBeEditable = j.value("editable", false);
            d.definition.defaultValue.basicValue.variantStatus = API_VariantStatusNormal;
            d.definition.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
            if (j.contains("availability"))
                for (const json& item : j.at("availability"))
                    d.definition.availability.Push(GuidOf(json{{"g", item}}, "g"));
            project.properties.AddDefinition(d);
        }
}

} // namespace sim
