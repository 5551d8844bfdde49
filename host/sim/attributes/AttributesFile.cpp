// The attributes' section of the project file: "buildingMaterials" and "composites".
#include "JsonRead.hpp"
#include "ProjectFileSections.hpp"

namespace sim {

namespace {

json SaveAttribute(const Attribute& a)
{
    json j = SaveAnnotations(a);
    j["index"] = a.index;
    j["name"] = a.name;
    j["guid"] = GuidText(a.guid);
    if (a.type == API_BuildingMaterialID) {
        j["connPriority"] = a.connPriority;
        j["cutFill"] = a.cutFill;
        j["cutFillPen"] = a.cutFillPen;
        j["cutFillBackgroundPen"] = a.cutFillBackgroundPen;
        j["cutMaterial"] = a.cutMaterial;
        j["cutFillOrientation"] = a.cutFillOrientation;
        j["thermalConductivity"] = a.thermalConductivity;
        j["density"] = a.density;
        j["heatCapacity"] = a.heatCapacity;
        j["showUncutLines"] = a.showUncutLines;
        j["description"] = a.description;
        j["manufacturer"] = a.manufacturer;
    }
    if (a.type == API_CompWallID) {
        j["flags"] = a.flags;
        j["components"] = json::array();
        for (const auto& c : a.components)
            j["components"].push_back({{"buildingMaterial", c.buildingMaterial},
                                       {"fillThick", c.fillThick},
                                       {"flagBits", c.flagBits},
                                       {"framePen", c.framePen}});
        j["lines"] = json::array();
        for (const auto& l : a.lines)
            j["lines"].push_back({{"ltypeInd", l.ltypeInd}, {"linePen", l.linePen}});
        if (a.declaredComponents >= 0)
            j["componentCount"] = a.declaredComponents;
    }
    if (a.type == API_ProfileID) {
        j["records"] = json::array();
        for (const auto& r : a.profileRecords) {
            json record = {{"kind", r.type == ProfileVectorImage::Hatch ? "hatch" : "line"}};
            if (r.type == ProfileVectorImage::Hatch)
                record["buildingMaterial"] = r.buildingMaterial;
            j["records"].push_back(record);
        }
    }
    return j;
}

Attribute LoadAttribute(const json& j, API_AttrTypeID type)
{
    Attribute a;
    a.type = type;
    a.name = j.at("name").get<std::string>();
    a.guid = GuidOf(j, "guid");
    LoadAnnotations(j, a);
    a.connPriority = Integer<Int32>(j, "connPriority", 0);
    a.cutFill = Integer<Int32>(j, "cutFill", 0);
    a.cutFillPen = Integer<short>(j, "cutFillPen", 0);
    a.cutFillBackgroundPen = Integer<short>(j, "cutFillBackgroundPen", 0);
    a.cutMaterial = Integer<Int32>(j, "cutMaterial", 0);
    a.cutFillOrientation = Integer<Int32>(j, "cutFillOrientation", 0);
    a.thermalConductivity = j.value("thermalConductivity", 0.0);
    a.density = j.value("density", 0.0);
    a.heatCapacity = j.value("heatCapacity", 0.0);
    a.showUncutLines = j.value("showUncutLines", true);
    a.description = j.value("description", "");
    a.manufacturer = j.value("manufacturer", "");
    a.flags = Integer<Int32>(j, "flags", 0);
    if (j.contains("components"))
        for (const json& c : j.at("components"))
            a.components.push_back({Integer<Int32>(c.at("buildingMaterial")), Integer<short>(c, "framePen", 1),
                                    Integer<short>(c, "flagBits", 0), c.value("fillThick", 0.0)});
    if (j.contains("lines"))
        for (const json& l : j.at("lines"))
            a.lines.push_back({Integer<short>(l, "ltypeInd", 1), Integer<short>(l, "linePen", 1), 0});
    a.declaredComponents = Integer<short>(j, "componentCount", -1);
    if (j.contains("records"))
        for (const json& r : j.at("records")) {
            ProfileVectorImage::Record record;
            const std::string kind = r.at("kind").get<std::string>();
            if (kind == "hatch") {
                record.type = ProfileVectorImage::Hatch;
                record.buildingMaterial = Integer<Int32>(r, "buildingMaterial", 0);
            } else if (kind != "line") {
                throw ProjectFileError("unknown profile record \"" + kind + "\" (hatch, line)");
            }
            a.profileRecords.push_back(record);
        }
    return a;
}

const std::pair<const char*, API_AttrTypeID> sections[] = {
    {"buildingMaterials", API_BuildingMaterialID}, {"composites", API_CompWallID}, {"profiles", API_ProfileID}};

} // namespace

void SaveAttributes(const Project& project, json& file)
{
    for (const auto& [key, type] : sections) {
        json list = json::array();
        project.attributes.ForEach(type, [&](const Attribute& a) { list.push_back(SaveAttribute(a)); });
        file[key] = list;
    }
}

void LoadAttributes(const json& file, Project& project, GuidRegister& guids)
{
    for (const auto& [key, type] : sections) {
        if (!file.contains(key))
            continue;
        for (const json& j : file.at(key)) {
            Attribute a = LoadAttribute(j, type);
            if (a.name.empty() || project.attributes.FindByName(type, a.name) != nullptr)
                throw ProjectFileError(std::string(key) + ": the name \"" + a.name + "\" is empty or used twice");
            guids.Claim("attributes", a.guid);
            project.attributes.Add(std::move(a));
        }
    }
}

} // namespace sim
