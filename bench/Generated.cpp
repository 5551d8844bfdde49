#include "Generated.hpp"

#include <filesystem>

#include "AddOnMain.hpp"
#include "Host.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"

using nlohmann::json;

namespace bench {

namespace {

std::string Stored(const std::string& name, const std::string& id, bool withDensity)
{
    json list =
        json::array({{{"group", "Korvel"}, {"name", "name"}, {"type", ""}, {"unit", ""}, {"value", name}},
                     {{"group", "Korvel"}, {"name", "id"}, {"type", ""}, {"unit", ""}, {"value", id}},
                     {{"group", "Korvel"}, {"name", "updated_at"}, {"type", ""}, {"unit", ""}, {"value", "1"}},
                     {{"group", "VORO Attributes"}, {"name", "GWP"}, {"type", ""}, {"unit", ""}, {"value", "2"}}});
    if (withDensity)
        list.push_back({{"group", "T"}, {"name", "Density"}, {"type", ""}, {"unit", ""}, {"value", "650 kg/m3"}});
    return list.dump() + std::string(1, '\0');
}

API_Guid Guid(std::uint64_t n, std::uint64_t kind)
{
    API_Guid guid{};
    std::memcpy(&guid, &n, sizeof n);
    std::memcpy(reinterpret_cast<char*>(&guid) + 8, &kind, sizeof kind);
    return guid;
}

} // namespace

void FillProject(sim::Project& project, int elements)
{
    // A realistic spread: a few hundred materials and composites, a hundred library parts,
    // names repeating so that elements fall into groups.
    const int materials = 50 + elements / 200;
    const int composites = 20 + elements / 1000;
    const int parts = 100;
    for (int i = 1; i <= materials; ++i) {
        sim::Attribute a;
        a.type = API_BuildingMaterialID;
        a.name = "Material " + std::to_string(i);
        a.guid = Guid(i, 1);
        a.userData = {true, 0, 0x6D6D, 0, Stored(a.name, std::to_string(1000 + i), true)};
        project.attributes.Add(a);
    }
    for (int c = 1; c <= composites; ++c) {
        sim::Attribute a;
        a.type = API_CompWallID;
        a.name = "Composite " + std::to_string(c);
        a.guid = Guid(c, 2);
        a.flags = 7;
        for (int k = 0; k < 3; ++k)
            a.components.push_back({1 + (c * 3 + k) % materials, 1, static_cast<short>(k == 1 ? 2 : 32), 0.1});
        a.userData = {true, 0, 0x6D6D, 0, Stored(a.name, "c" + std::to_string(c), false)};
        project.attributes.Add(a);
    }
    sim::Attribute profile;
    profile.type = API_ProfileID;
    profile.name = "HEA 200";
    profile.guid = Guid(1, 3);
    profile.profileRecords = {{ProfileVectorImage::Hatch, 1}, {ProfileVectorImage::Line, 0}};
    project.attributes.Add(profile);
    for (int p = 1; p <= parts; ++p) {
        sim::LibPart part;
        part.name = "Part " + std::to_string(p);
        part.uniqueId = "{" + std::to_string(p) + "}";
        part.kind = p % 3 == 0 ? APILib_WindowID : p % 3 == 1 ? APILib_DoorID : APILib_ObjectID;
        project.libParts.Put(part);
        project.addOnData["KV_" + part.name] = {1, 0x6D6D, Stored(part.name, "p" + std::to_string(p), true)};
    }
    for (int n = 0; n < 20; ++n)
        project.addOnData["KV_Assembly " + std::to_string(n)] = {1, 0x6D6D,
                                                                 Stored("Assembly", std::to_string(n), false)};

    const API_ElemTypeID types[] = {API_WallID,   API_SlabID,        API_RoofID,   API_WallID,
                                    API_ColumnID, API_BeamID,        API_WindowID, API_DoorID,
                                    API_ObjectID, API_CurtainWallID, API_StairID,  API_SlabID};
    for (int e = 0; e < elements; ++e) {
        sim::Element element;
        element.type = types[e % (sizeof types / sizeof types[0])];
        element.guid = Guid(e + 1, 4);
        element.payload = sim::PayloadFor(element.type);
        element.ifcAttributes = {{"Name", "Name " + std::to_string(e % 37)}};
        element.quantities.volume = 1.0 + e % 7;
        element.quantities.surface = 2.0;
        element.quantities.area = 3.0;
        element.quantities.length = 4.0;
        element.quantities.height = 2.5;
        element.quantities.width = 1.0;
        element.quantities.surfaces = {1, 1, 1, 1, 1};
        if (sim::ShellPayload* shell = element.Shell()) {
            const bool composite = e % 2 == 0;
            shell->structure.modelElemStructureType = composite ? API_CompositeStructure : API_BasicStructure;
            shell->structure.composite = composite ? 1 + e % composites : 0;
            shell->structure.buildingMaterial = composite ? 0 : 1 + e % materials;
            shell->structure.thickness = 0.1 + (e % 5) * 0.05;
            shell->thicknessEnd = shell->structure.thickness;
        } else if (sim::MemberPayload* member = element.Member()) {
            API_AssemblySegmentData segment{};
            segment.modelElemStructureType = e % 3 == 0 ? API_ProfileStructure : API_BasicStructure;
            segment.buildingMaterial = 1 + e % materials;
            segment.profileAttr = 1;
            member->segments = {segment};
        } else if (sim::PlacedPayload* placed = element.Placed()) {
            const int part = 1 + e % parts;
            element.libraryPart = "{" + std::to_string(part) + "}";
            placed->hasBox = true;
            placed->box = {0, 0, 0, 0.5, 0.5, 0.9};
        }
        if (element.type == API_CurtainWallID || element.type == API_StairID)
            element.ifcAttributes = {{"Name", "Assembly " + std::to_string(e % 20)}};
        project.elements.Add(std::move(element));
    }
}

json ProjectFile(int elements)
{
    sim::Project project;
    FillProject(project, elements);
    return sim::SaveProject(project);
}

void LoadAddOnOnce()
{
    static bool loaded = false;
    if (loaded)
        return;
    sim::Host::Get().SetWorkFolder(std::filesystem::temp_directory_path() / "korvel-bench");
    sim::Host::Get().KeepDebugOutput(false); // as in a release build of the application
    sim::user::LoadAddOn(KRV::AddOnImage());
    loaded = true;
}

} // namespace bench
