// Generated projects for the benchmarks: elements of every type, built straight into the store.
#include "Generated.hpp"

#include <cstring>
#include <filesystem>
#include <random>

#include "AddOnMain.hpp"
#include "Edge.hpp"
#include "Host.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"

using nlohmann::json;

namespace bench {

namespace {

constexpr int storedProperties = 30;
constexpr int propertyValues = 12;

// A stored list as the add-on writes it: the Korvel group's name, id and update time, then
// the data-sheet tabs' properties.
std::string Stored(const std::string& name, const std::string& id)
{
    json list =
        json::array({{{"group", "Korvel"}, {"name", "name"}, {"type", ""}, {"unit", ""}, {"value", name}},
                     {{"group", "Korvel"}, {"name", "id"}, {"type", ""}, {"unit", ""}, {"value", id}},
                     {{"group", "Korvel"}, {"name", "updated_at"}, {"type", ""}, {"unit", ""}, {"value", "1"}}});
    for (int p = 3; p < storedProperties; ++p)
        list.push_back({{"group", p % 2 == 0 ? "Technische Daten" : "Nachhaltigkeit"},
                        {"name", "Eigenschaft " + std::to_string(p)},
                        {"type", ""},
                        {"unit", p % 3 == 0 ? "kg/m3" : ""},
                        {"value", std::to_string(100 + p)}});
    return list.dump() + std::string(1, '\0');
}

API_Guid Guid(std::uint64_t n, std::uint64_t kind)
{
    API_Guid guid{};
    std::memcpy(&guid, &n, sizeof n);
    std::memcpy(reinterpret_cast<char*>(&guid) + 8, &kind, sizeof kind);
    return guid;
}

// The Korvel classification and a dozen property definitions, as an import leaves them.
struct CatalogueData {
    std::pair<API_Guid, API_Guid> classification;
    std::vector<API_Guid> definitions;
};

CatalogueData AddCatalogueData(sim::Project& project)
{
    CatalogueData data;
    sim::ClassificationSystem system;
    system.guid = Guid(1, 10);
    system.name = "Korvel";
    system.editionVersion = "1.0";
    project.classifications.AddSystem(system);
    sim::ClassificationItemNode item;
    item.system = system.guid;
    item.item.guid = Guid(1, 11);
    item.item.id = "Korvel";
    item.item.name = "Korvel";
    project.classifications.AddItem(item);
    data.classification = {system.guid, item.item.guid};
    const char* groups[] = {"Korvel", "Technische Daten", "Nachhaltigkeit"};
    for (int g = 0; g < 3; ++g) {
        API_PropertyGroup group;
        group.guid = Guid(1 + g, 12);
        group.groupType = API_PropertyCustomGroupType;
        group.name = groups[g];
        project.properties.AddGroup(group);
    }
    for (int p = 0; p < propertyValues; ++p) {
        sim::PropertyDefinition d;
        d.definition.guid = Guid(1 + p, 13);
        d.definition.groupGuid = Guid(1 + (p < 3 ? 0 : 1 + p % 2), 12);
        d.definition.name = p < 3 ? (p == 0   ? "name"
                                     : p == 1 ? "id"
                                              : "updated_at")
                                  : GS::UniString(("Eigenschaft " + std::to_string(p)).c_str());
        d.definition.collectionType = API_PropertySingleCollectionType;
        d.definition.valueType = API_PropertyStringValueType;
        d.definition.measureType = API_PropertyDefaultMeasureType;
        d.definition.definitionType = API_PropertyCustomDefinitionType;
        d.definition.availability.Push(item.item.guid);
        project.properties.AddDefinition(d);
        data.definitions.push_back(d.definition.guid);
    }
    return data;
}

void Annotate(sim::Annotations& target, const CatalogueData& data, const std::string& name, const std::string& id)
{
    target.classification.push_back({data.classification.first, data.classification.second});
    for (std::size_t p = 0; p < data.definitions.size(); ++p)
        target.properties[data.definitions[p]] = {p == 0   ? name
                                                  : p == 1 ? id
                                                  : p == 2 ? std::string("1") // as the stored list says
                                                           : std::to_string(100 + p),
                                                  false};
}

} // namespace

void FillProject(sim::Project& project, int elements, Spread spread)
{
    const int materials = spread == Spread::Few ? 50 + elements / 200 : std::max(1, elements / 4);
    const int composites = spread == Spread::Few ? 20 + elements / 1000 : std::max(1, elements / 12);
    const int parts = 100;
    const CatalogueData data = AddCatalogueData(project);
    for (int i = 1; i <= materials; ++i) {
        sim::Attribute a(sim::AttrKind::buildingMaterial);
        a.name = "Material " + std::to_string(i);
        a.guid = Guid(i, 1);
        a.userData = {true, 0, 0x6D6D, 0, Stored(a.name, std::to_string(1000 + i))};
        Annotate(a, data, a.name, std::to_string(1000 + i));
        project.attributes.Add(a);
    }
    for (int c = 1; c <= composites; ++c) {
        sim::Attribute a(sim::AttrKind::composite);
        a.name = "Composite " + std::to_string(c);
        a.guid = Guid(c, 2);
        a.flags = 7;
        for (int k = 0; k < 3; ++k)
            a.Composite()->components.push_back(
                {1 + (c * 3 + k) % materials, 1, static_cast<short>(k == 1 ? 2 : 32), 0.1});
        a.userData = {true, 0, 0x6D6D, 0, Stored(a.name, "c" + std::to_string(c))};
        project.attributes.Add(a);
    }
    sim::Attribute profile(sim::AttrKind::profile);
    profile.name = "HEA 200";
    profile.guid = Guid(1, 3);
    profile.Profile()->records = {{ProfileVectorImage::Hatch, sim::HostIndex(1)},
                                  {ProfileVectorImage::Line, sim::HostIndex(0)}};
    project.attributes.Add(profile);
    for (int p = 1; p <= parts; ++p) {
        sim::LibPart part;
        part.name = "Part " + std::to_string(p);
        part.uniqueId = "{" + std::to_string(p) + "}";
        part.kind = p % 3 == 0 ? sim::PartKind::window : p % 3 == 1 ? sim::PartKind::door : sim::PartKind::object;
        project.libParts.Put(part);
        project.addOnData.Put("KV_" + part.name, {1, 0x6D6D, Stored(part.name, "p" + std::to_string(p))});
    }
    for (int n = 0; n < 20; ++n)
        project.addOnData.Put("KV_Assembly " + std::to_string(n), {1, 0x6D6D, Stored("Assembly", std::to_string(n))});

    using sim::ElemKind;
    const ElemKind kinds[] = {ElemKind::wall,   ElemKind::slab,        ElemKind::roof,   ElemKind::wall,
                              ElemKind::column, ElemKind::beam,        ElemKind::window, ElemKind::door,
                              ElemKind::object, ElemKind::curtainWall, ElemKind::stair,  ElemKind::slab};
    // Random ids, as the host gives them: no pass over the elements walks memory in order.
    std::mt19937_64 random(20261207);
    for (int e = 0; e < elements; ++e) {
        sim::Element element;
        element.kind = kinds[e % (sizeof kinds / sizeof kinds[0])];
        element.guid = Guid(random(), random());
        element.payload = sim::PayloadFor(element.kind);
        element.ifcAttributes = {{"Name", "Name " + std::to_string(e % 37)}};
        element.quantities.volume = 1.0 + e % 7;
        element.quantities.surface = 2.0;
        element.quantities.area = 3.0;
        element.quantities.length = 4.0;
        element.quantities.height = 2.5;
        element.quantities.width = 1.0;
        element.quantities.surfaces = {1, 1, 1, 1, 1};
        std::string catalogueName = "Material " + std::to_string(1 + e % materials);
        if (sim::ShellPayload* shell = element.Shell()) {
            const bool composite = e % 2 == 0;
            shell->structure.kind = composite ? sim::StructureKind::composite : sim::StructureKind::basic;
            shell->structure.composite = composite ? 1 + e % composites : 0;
            shell->structure.buildingMaterial = composite ? 0 : 1 + e % materials;
            shell->structure.thickness = 0.1 + (e % 5) * 0.05;
            shell->thicknessEnd = shell->structure.thickness;
            if (composite)
                catalogueName = "Composite " + std::to_string(1 + e % composites);
        } else if (sim::MemberPayload* member = element.Member()) {
            sim::Segment segment;
            segment.kind = e % 3 == 0 ? sim::StructureKind::profile : sim::StructureKind::basic;
            segment.buildingMaterial = 1 + e % materials;
            segment.profile = 1;
            member->segments = {segment};
        } else if (sim::PlacedPayload* placed = element.Placed()) {
            const int part = 1 + e % parts;
            element.libraryPart = "{" + std::to_string(part) + "}";
            placed->hasBox = true;
            placed->box = {0, 0, 0, 0.5, 0.5, 0.9};
            catalogueName = "Part " + std::to_string(part);
        }
        if (element.kind == ElemKind::curtainWall || element.kind == ElemKind::stair) {
            element.ifcAttributes = {{"Name", "Assembly " + std::to_string(e % 20)}};
            catalogueName = "Assembly";
        }
        // What the add-on leaves on an element it gave catalogue data.
        Annotate(element, data, catalogueName, std::to_string(e % 1000));
        element.userData = {true, 0, 0x6D6D, 0, Stored(catalogueName, std::to_string(e % 1000))};
        project.elements.Add(std::move(element));
    }
}

json ProjectFile(int elements, Spread spread)
{
    sim::Project project;
    FillProject(project, elements, spread);
    return sim::SaveProject(project);
}

std::vector<std::string> CatalogueIds(const sim::Project& project)
{
    std::vector<std::string> ids;
    project.attributes.ForEach(sim::AttrKind::buildingMaterial,
                               [&](const sim::Attribute& a) { ids.push_back(std::to_string(1000 + a.index)); });
    return ids;
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
