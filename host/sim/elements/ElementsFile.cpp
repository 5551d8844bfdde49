// The elements' section of the project file: "elements", in creation order.
#include "ElementsFile.hpp"

#include "JsonRead.hpp"
#include "ProjectFileSections.hpp"

namespace sim {

namespace {

const char* StructureName(API_ModelElemStructureType type)
{
    return type == API_CompositeStructure ? "composite" : type == API_ProfileStructure ? "profile" : "basic";
}

API_ModelElemStructureType StructureOf(const std::string& name)
{
    if (name == "basic")
        return API_BasicStructure;
    if (name == "composite")
        return API_CompositeStructure;
    if (name == "profile")
        return API_ProfileStructure;
    throw ProjectFileError("unknown structure \"" + name + "\" (basic, composite, profile)");
}

const std::pair<const char*, API_ElemTypeID> types[] = {{"wall", API_WallID},  {"slab", API_SlabID},
                                                        {"roof", API_RoofID},  {"column", API_ColumnID},
                                                        {"beam", API_BeamID},  {"window", API_WindowID},
                                                        {"door", API_DoorID},  {"object", API_ObjectID},
                                                        {"lamp", API_LampID},  {"curtainWall", API_CurtainWallID},
                                                        {"stair", API_StairID}};

} // namespace

std::string ElementTypeName(API_ElemTypeID type)
{
    for (const auto& [name, id] : types)
        if (id == type)
            return name;
    return "element";
}

API_ElemTypeID ElementTypeOf(const std::string& name)
{
    for (const auto& [key, id] : types)
        if (name == key)
            return id;
    std::string known;
    for (const auto& [key, id] : types)
        known += (known.empty() ? "" : ", ") + std::string(key);
    throw ProjectFileError("unknown element type \"" + name + "\" (" + known + ")");
}

json SaveElement(const Element& e)
{
    json j = SaveAnnotations(e);
    j["type"] = ElementTypeName(e.type);
    j["guid"] = GuidText(e.guid);
    if (const ShellPayload* shell = e.Shell()) {
        j["structure"] = StructureName(shell->structure.modelElemStructureType);
        j["composite"] = shell->structure.composite;
        j["buildingMaterial"] = shell->structure.buildingMaterial;
        j["thickness"] = shell->structure.thickness;
    }
    if (!e.ifcAttributes.empty()) {
        j["ifcAttributes"] = json::array();
        for (const auto& [name, value] : e.ifcAttributes)
            j["ifcAttributes"].push_back({{"name", name}, {"value", value}});
    }
    if (IsPlacedFromLibraryPart(e.type))
        j["libraryPart"] = e.libraryPart;
    if (e.observed)
        j["observed"] = true;
    return j;
}

void LoadElementMembers(const json& j, Element& e)
{
    LoadAnnotations(j, e);
    if (ShellPayload* shell = e.Shell()) {
        if (j.contains("structure"))
            shell->structure.modelElemStructureType = StructureOf(j.at("structure").get<std::string>());
        shell->structure.composite = Integer<Int32>(j, "composite", shell->structure.composite);
        shell->structure.buildingMaterial = Integer<Int32>(j, "buildingMaterial", shell->structure.buildingMaterial);
        shell->structure.thickness = j.value("thickness", shell->structure.thickness);
    }
    if (j.contains("ifcAttributes")) {
        e.ifcAttributes.clear();
        for (const json& attribute : j.at("ifcAttributes"))
            e.ifcAttributes.emplace_back(attribute.at("name").get<std::string>(),
                                         attribute.at("value").get<std::string>());
    }
    if (j.contains("libraryPart"))
        e.libraryPart = j.at("libraryPart").get<std::string>();
    e.observed = j.value("observed", e.observed);
}

Element LoadElement(const json& j)
{
    Element e;
    e.type = ElementTypeOf(j.at("type").get<std::string>());
    e.payload = PayloadFor(e.type);
    e.guid = GuidOf(j, "guid");
    LoadElementMembers(j, e);
    return e;
}

void SaveElements(const Project& project, json& file)
{
    file["elements"] = json::array();
    project.elements.ForEach([&](const Element& e) { file["elements"].push_back(SaveElement(e)); });
}

void LoadElements(const json& file, Project& project, GuidRegister& guids)
{
    if (!file.contains("elements"))
        return;
    for (const json& j : file.at("elements")) {
        Element e = LoadElement(j);
        guids.Claim("elements", e.guid);
        project.elements.Add(std::move(e));
    }
}

} // namespace sim
