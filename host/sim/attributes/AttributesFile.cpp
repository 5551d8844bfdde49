// The attributes' section of the project file: "buildingMaterials" and "composites".
#include "Edge.hpp"
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
    if (const BuildingMaterialValues* m = a.Material()) {
        j["connPriority"] = m->connPriority;
        j["cutFill"] = m->cutFill;
        j["cutFillPen"] = m->cutFillPen;
        j["cutFillBackgroundPen"] = m->cutFillBackgroundPen;
        j["cutMaterial"] = m->cutMaterial;
        j["cutFillOrientation"] = m->cutFillOrientation;
        j["thermalConductivity"] = m->thermalConductivity;
        j["density"] = m->density;
        j["heatCapacity"] = m->heatCapacity;
        j["showUncutLines"] = m->showUncutLines;
        j["description"] = m->description;
        j["manufacturer"] = m->manufacturer;
    }
    if (const CompositeValues* composite = a.Composite()) {
        j["flags"] = a.flags;
        j["components"] = json::array();
        for (const auto& c : composite->components)
            j["components"].push_back({{"buildingMaterial", c.buildingMaterial},
                                       {"fillThick", c.fillThick},
                                       {"flagBits", c.flagBits},
                                       {"framePen", c.framePen}});
        j["lines"] = json::array();
        for (const auto& l : composite->lines)
            j["lines"].push_back({{"ltypeInd", l.ltypeInd}, {"linePen", l.linePen}});
        if (composite->declaredComponents >= 0)
            j["componentCount"] = composite->declaredComponents;
    }
    if (const ProfileValues* profile = a.Profile()) {
        j["records"] = json::array();
        for (const auto& r : profile->records) {
            json record = {{"kind", r.type == ProfileVectorImage::Hatch ? "hatch" : "line"}};
            if (r.type == ProfileVectorImage::Hatch)
                record["buildingMaterial"] = IndexOf(r.buildingMaterial);
            j["records"].push_back(record);
        }
    }
    return j;
}

Attribute LoadAttribute(const json& j, AttrKind kind)
{
    Attribute a(kind);
    a.name = j.at("name").get<std::string>();
    a.guid = GuidOf(j, "guid");
    LoadAnnotations(j, a);
    a.flags = Integer<Int32>(j, "flags", 0);
    if (BuildingMaterialValues* m = a.Material()) {
        m->connPriority = Integer<Int32>(j, "connPriority", 0);
        m->cutFill = Integer<Int32>(j, "cutFill", 0);
        m->cutFillPen = Integer<short>(j, "cutFillPen", 0);
        m->cutFillBackgroundPen = Integer<short>(j, "cutFillBackgroundPen", 0);
        m->cutMaterial = Integer<Int32>(j, "cutMaterial", 0);
        m->cutFillOrientation = Integer<Int32>(j, "cutFillOrientation", 0);
        m->thermalConductivity = j.value("thermalConductivity", 0.0);
        m->density = j.value("density", 0.0);
        m->heatCapacity = j.value("heatCapacity", 0.0);
        m->showUncutLines = j.value("showUncutLines", true);
        m->description = j.value("description", "");
        m->manufacturer = j.value("manufacturer", "");
    }
    if (CompositeValues* c = a.Composite()) {
        if (j.contains("components"))
            for (const json& component : j.at("components"))
                c->components.push_back({Integer<Int32>(component.at("buildingMaterial")),
                                         Integer<short>(component, "framePen", 1),
                                         Integer<short>(component, "flagBits", 0), component.value("fillThick", 0.0)});
        if (j.contains("lines"))
            for (const json& l : j.at("lines"))
                c->lines.push_back({Integer<short>(l, "ltypeInd", 1), Integer<short>(l, "linePen", 1), 0});
        c->declaredComponents = Integer<short>(j, "componentCount", -1);
    }
    if (ProfileValues* profile = a.Profile(); profile != nullptr && j.contains("records"))
        for (const json& r : j.at("records")) {
            ProfileVectorImage::Record record;
            const std::string recordKind = r.at("kind").get<std::string>();
            if (recordKind == "hatch") {
                record.type = ProfileVectorImage::Hatch;
                record.buildingMaterial = HostIndex(Integer<Int32>(r, "buildingMaterial", 0));
            } else if (recordKind != "line") {
                throw ProjectFileError("unknown profile record \"" + recordKind + "\" (hatch, line)");
            }
            profile->records.push_back(record);
        }
    return a;
}

const std::pair<const char*, AttrKind> sections[] = {{"buildingMaterials", AttrKind::buildingMaterial},
                                                     {"composites", AttrKind::composite},
                                                     {"profiles", AttrKind::profile}};

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
