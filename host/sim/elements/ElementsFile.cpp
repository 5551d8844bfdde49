// The elements' section of the project file: "elements", in creation order.
#include "ElementsFile.hpp"

#include "JsonRead.hpp"
#include "ProjectFileSections.hpp"

namespace sim {

namespace {

const char* StructureName(StructureKind kind)
{
    return kind == StructureKind::composite ? "composite" : kind == StructureKind::profile ? "profile" : "basic";
}

StructureKind StructureOf(const std::string& name)
{
    if (name == "basic")
        return StructureKind::basic;
    if (name == "composite")
        return StructureKind::composite;
    if (name == "profile")
        return StructureKind::profile;
    throw ProjectFileError("unknown structure \"" + name + "\" (basic, composite, profile)");
}

const std::pair<const char*, ElemKind> types[] = {{"wall", ElemKind::wall},  {"slab", ElemKind::slab},
                                                  {"roof", ElemKind::roof},  {"column", ElemKind::column},
                                                  {"beam", ElemKind::beam},  {"window", ElemKind::window},
                                                  {"door", ElemKind::door},  {"object", ElemKind::object},
                                                  {"lamp", ElemKind::lamp},  {"curtainWall", ElemKind::curtainWall},
                                                  {"stair", ElemKind::stair}};

} // namespace

std::string ElementKindName(ElemKind kind)
{
    for (const auto& [name, id] : types)
        if (id == kind)
            return name;
    return "element";
}

ElemKind ElementKindOf(const std::string& name)
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
    j["type"] = ElementKindName(e.kind);
    j["guid"] = GuidText(e.guid);
    if (const ShellPayload* shell = e.Shell()) {
        j["structure"] = StructureName(shell->structure.kind);
        j["composite"] = shell->structure.composite;
        j["buildingMaterial"] = shell->structure.buildingMaterial;
        j["thickness"] = shell->structure.thickness;
        if (e.kind == ElemKind::wall && (shell->kind != 0 || shell->thicknessEnd != 0)) {
            j["kind"] = shell->kind;
            j["thicknessEnd"] = shell->thicknessEnd;
        }
    }
    if (const MemberPayload* member = e.Member(); member != nullptr && !member->segments.empty()) {
        j["segments"] = json::array();
        for (const auto& s : member->segments)
            j["segments"].push_back(s.kind == StructureKind::profile
                                        ? json{{"structure", "profile"}, {"profile", s.profile}}
                                        : json{{"structure", "basic"}, {"buildingMaterial", s.buildingMaterial}});
    }
    if (const PlacedPayload* placed = e.Placed()) {
        if (placed->hasBox)
            j["box"] = {{"min", {placed->box.xMin, placed->box.yMin, placed->box.zMin}},
                        {"max", {placed->box.xMax, placed->box.yMax, placed->box.zMax}}};
        if (placed->relatedType != 0)
            j["relatedType"] = placed->relatedType;
    }
    const ElementQuantities& q = e.quantities;
    json quantities = json::object();
    for (const auto& [key, value] : {std::pair<const char*, double>{"volume", q.volume},
                                     {"surface", q.surface},
                                     {"area", q.area},
                                     {"length", q.length},
                                     {"height", q.height},
                                     {"width", q.width}})
        if (value != 0)
            quantities[key] = value;
    if (!q.surfaces.empty())
        quantities["surfaces"] = q.surfaces;
    if (!quantities.empty())
        j["quantities"] = quantities;
    if (!e.ifcAttributes.empty()) {
        j["ifcAttributes"] = json::array();
        for (const auto& [name, value] : e.ifcAttributes)
            j["ifcAttributes"].push_back({{"name", name}, {"value", value}});
    }
    if (IsPlacedFromLibraryPart(e.kind))
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
            shell->structure.kind = StructureOf(j.at("structure").get<std::string>());
        shell->structure.composite = Integer<Int32>(j, "composite", shell->structure.composite);
        shell->structure.buildingMaterial = Integer<Int32>(j, "buildingMaterial", shell->structure.buildingMaterial);
        shell->structure.thickness = j.value("thickness", shell->structure.thickness);
    }
    if (ShellPayload* shell = e.Shell()) {
        shell->kind = Integer<short>(j, "kind", shell->kind);
        shell->thicknessEnd = j.value("thicknessEnd", shell->thicknessEnd);
    }
    if (MemberPayload* member = e.Member(); member != nullptr && j.contains("segments")) {
        member->segments.clear();
        for (const json& s : j.at("segments")) {
            Segment segment;
            segment.kind = StructureOf(s.value("structure", "basic"));
            segment.buildingMaterial = Integer<Int32>(s, "buildingMaterial", 0);
            segment.profile = Integer<Int32>(s, "profile", 0);
            member->segments.push_back(segment);
        }
    }
    if (PlacedPayload* placed = e.Placed()) {
        if (j.contains("box")) {
            const auto min = j.at("box").at("min").get<std::vector<double>>();
            const auto max = j.at("box").at("max").get<std::vector<double>>();
            if (min.size() != 3 || max.size() != 3)
                throw ProjectFileError("a box is {\"min\": [x, y, z], \"max\": [x, y, z]}");
            placed->hasBox = true;
            placed->box = {min[0], min[1], min[2], max[0], max[1], max[2]};
        }
        placed->relatedType = Integer<Int32>(j, "relatedType", placed->relatedType);
    }
    if (j.contains("quantities")) {
        const json& q = j.at("quantities");
        ElementQuantities& out = e.quantities;
        out.volume = q.value("volume", out.volume);
        out.surface = q.value("surface", out.surface);
        out.area = q.value("area", out.area);
        out.length = q.value("length", out.length);
        out.height = q.value("height", out.height);
        out.width = q.value("width", out.width);
        if (q.contains("surfaces"))
            out.surfaces = q.at("surfaces").get<std::vector<double>>();
        if (out.surfaces.size() > 5)
            throw ProjectFileError("an element has at most five surfaces");
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
    e.kind = ElementKindOf(j.at("type").get<std::string>());
    e.payload = PayloadFor(e.kind);
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
