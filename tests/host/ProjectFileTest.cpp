// The project file: every section read and written back.
#include "ProjectFile.hpp"
#include "Inspect.hpp"
#include "WorkFolder.hpp"

using nlohmann::json;
using testing_support::HostTest;

class ProjectFileTest : public HostTest {};

TEST_F(ProjectFileTest, AProjectReadsBackAsItWasSaved)
{
    json file = json::parse(R"({
        "name": "Haus",
        "buildingMaterials": [{"name": "Putz", "guid": "5A1C2E3F-0001-4000-8000-000000000001", "cutFill": 2,
                               "userData": "[1]", "classification": [{"system": "5A1C2E3F-0001-4000-8000-00000000000A",
                                                                      "item": "5A1C2E3F-0001-4000-8000-00000000000B"}],
                               "properties": {"5A1C2E3F-0001-4000-8000-00000000000C": "rot"}}],
        "composites": [{"name": "AW", "flags": 1, "components": [{"buildingMaterial": 1, "fillThick": 0.2}]}],
        "elements": [{"type": "roof", "structure": "composite", "composite": 1, "thickness": 0.3}],
        "propertyGroups": [{"guid": "5A1C2E3F-0001-4000-8000-00000000000D", "name": "Tab"}],
        "propertyDefinitions": [{"guid": "5A1C2E3F-0001-4000-8000-00000000000C", "group": "5A1C2E3F-0001-4000-8000-00000000000D",
                                 "name": "Farbe", "measureType": "length", "availability": ["5A1C2E3F-0001-4000-8000-00000000000B"]}],
        "classificationSystems": [{"guid": "5A1C2E3F-0001-4000-8000-00000000000A", "name": "Korvel", "editionVersion": "v 1.0",
                                   "editionDate": "2026-12-06", "items": [{"guid": "5A1C2E3F-0001-4000-8000-00000000000B", "id": "Korvel",
                                   "children": [{"id": "Kind"}]}]}],
        "addOnData": {"KV_Chair": "[]"},
        "undo": ["Create material property"]})");
    auto project = sim::LoadProject(file);
    EXPECT_EQ(sim::inspect::AttributeAt(*project, sim::AttrKind::buildingMaterial, 1).userData.bytes,
              std::string("[1]") + '\0');
    EXPECT_EQ(project->classifications.ItemCount(), 2u);
    json saved = sim::SaveProject(*project);
    EXPECT_EQ(saved["buildingMaterials"][0]["properties"], file["buildingMaterials"][0]["properties"]);
    EXPECT_EQ(saved["classificationSystems"][0]["items"][0]["children"][0]["id"], "Kind");
    EXPECT_EQ(saved["propertyDefinitions"][0]["measureType"], "length");
    EXPECT_EQ(sim::SaveProject(*sim::LoadProject(saved)), saved);
}

namespace {

// Why the host refuses a project file, or "accepted".
std::string refused(const char* text)
{
    try {
        sim::LoadProject(json::parse(text));
    } catch (const sim::ProjectFileError& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST_F(ProjectFileTest, BadFilesAreRefusedWithAReason)
{
    EXPECT_EQ(refused("[]"), "a project file holds one JSON object");
    EXPECT_NE(refused(R"({"elements": [{"type": "tower"}]})").find("unknown element type"), std::string::npos);
    EXPECT_NE(refused(R"({"buildingMaterials": [{"name": "A"}, {"name": "A"}]})").find("used twice"),
              std::string::npos);
    EXPECT_NE(refused(R"({"buildingMaterials": [{"name": "A", "cutFill": "x"}]})").find("bad project file"),
              std::string::npos);
    EXPECT_NE(refused(R"({"composites": [{"name": "A", "guid": "nope"}]})").find("is not a guid"), std::string::npos);
    EXPECT_EQ(refused("{}"), "accepted");
}

TEST_F(ProjectFileTest, GuidsAreUniqueAndNumbersMustFit)
{
    auto refused = [](const json& file) {
        try {
            sim::LoadProject(file);
        } catch (const sim::ProjectFileError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    const std::string g = "5A1C2E3F-0001-4000-8000-000000000001";
    // An item listing itself among its children.
    json cycle = {
        {"classificationSystems",
         {{{"name", "S"}, {"items", {{{"guid", g}, {"id", "A"}, {"children", {{{"guid", g}, {"id", "A"}}}}}}}}}}};
    EXPECT_EQ(refused(cycle), "the guid \"" + g + "\" is used twice among the classification items");
    EXPECT_NE(
        refused({{"buildingMaterials", {{{"name", "A"}, {"guid", g}}}}, {"composites", {{{"name", "B"}, {"guid", g}}}}})
            .find("among the attributes"),
        std::string::npos);
    EXPECT_NE(
        refused({{"elements", {{{"type", "wall"}, {"guid", g}}, {{"type", "slab"}, {"guid", g}}}}}).find("elements"),
        std::string::npos);
    EXPECT_NE(
        refused({{"propertyGroups", {{{"guid", g}, {"name", "A"}}, {{"guid", g}, {"name", "B"}}}}}).find("groups"),
        std::string::npos);
    // The built-in definitions' guids are taken too.
    EXPECT_NE(refused({{"propertyDefinitions",
                        {{{"guid", "6B3B2E0A-7B7F-4C3A-9E1D-0B6A1F0C0002"}, {"group", g}, {"name", "X"}}}}})
                  .find("property definitions"),
              std::string::npos);
    // The same guid in two kinds is allowed.
    EXPECT_EQ(refused({{"buildingMaterials", {{{"name", "A"}, {"guid", g}}}},
                       {"elements", {{{"type", "wall"}, {"guid", g}}}}}),
              "accepted");

    json deep = {{"id", "leaf"}};
    for (int i = 0; i < 100; ++i)
        deep = {{"id", "level"}, {"children", {deep}}};
    EXPECT_NE(refused({{"classificationSystems", {{{"name", "S"}, {"items", {deep}}}}}}).find("nest deeper"),
              std::string::npos);

    for (json bad : {json(1e300), json(2.5), json(4294967296LL), json(true)})
        EXPECT_NE(refused({{"buildingMaterials", {{{"name", "A"}, {"cutFill", bad}}}}}).find("bad project file"),
                  std::string::npos)
            << bad;
    EXPECT_NE(refused({{"buildingMaterials", {{{"name", "A"}, {"cutFillPen", 40000}}}}}).find("bad project file"),
              std::string::npos);
    EXPECT_EQ(refused({{"buildingMaterials", {{{"name", "A"}, {"cutFill", 3.0}}}}}), "accepted");
}

TEST_F(ProjectFileTest, StoredTextsKeepTheirZeroBytes)
{
    sim::Project project;
    sim::Attribute a(sim::AttrKind::buildingMaterial);
    a.name = "A";
    a.userData.present = true;
    a.userData.bytes = std::string("vor\0nach", 8) + '\0';
    project.attributes.Add(a);
    project.addOnData.Put("KV_Stuhl", {1, 0x6D6D, std::string("[\"a\0b\"]", 7) + '\0'});
    json saved = sim::SaveProject(project);
    EXPECT_EQ(saved["buildingMaterials"][0]["userData"], std::string("vor\0nach", 8));
    EXPECT_EQ(saved["addOnData"]["KV_Stuhl"], std::string("[\"a\0b\"]", 7));
    // Through the file's text and back.
    auto loaded = sim::LoadProject(json::parse(saved.dump()));
    EXPECT_EQ(sim::inspect::AttributeAt(*loaded, sim::AttrKind::buildingMaterial, 1).userData.bytes, a.userData.bytes);
    EXPECT_EQ(loaded->addOnData.At("KV_Stuhl").bytes, project.addOnData.At("KV_Stuhl").bytes);
}

TEST_F(ProjectFileTest, ElementsOfEveryTypeLibrariesAndDatabasesReadBack)
{
    json file = json::parse(R"({
        "elements": [
            {"type": "column"}, {"type": "beam"}, {"type": "window", "libraryPart": "{W}"}, {"type": "door", "libraryPart": "{D}"},
            {"type": "object", "libraryPart": "{S}", "observed": true,
             "ifcAttributes": [{"name": "GlobalId", "value": "0x"}, {"name": "Name", "value": "Stuhl"}]},
            {"type": "curtainWall", "ifcAttributes": [{"name": "Name", "value": "Fassade"}]}, {"type": "stair"}],
        "libraryParts": [{"name": "Stuhl", "uniqueId": "{S}", "kind": "object",
                          "parameters": [{"type": "text", "name": "KV_", "description": "d", "value": "v"}]}],
        "libraries": ["/opt/bibliothek"],
        "databases": [{"type": "floorplan", "name": "EG"}, {"type": "section", "name": "S1"}],
        "currentDatabase": "section"})");
    auto project = sim::LoadProject(file);
    EXPECT_EQ(project->elements.Count(), 7u);
    const auto elements = sim::inspect::Elements(*project);
    EXPECT_EQ(elements[4]->kind, sim::ElemKind::object);
    EXPECT_TRUE(elements[4]->observed);
    ASSERT_NE(elements[4]->IfcName(), nullptr);
    EXPECT_EQ(*elements[4]->IfcName(), "Stuhl");
    EXPECT_EQ(elements[0]->Shell(), nullptr);
    EXPECT_EQ(project->libParts.FindByUniqueId("{S}")->parameters[0].value, "v");
    EXPECT_EQ(project->libParts.libraries.size(), 2u); // the embedded library and one more
    EXPECT_EQ(project->databases.Current().name, "S1");
    json saved = sim::SaveProject(*project);
    EXPECT_EQ(saved["elements"][5]["type"], "curtainWall");
    EXPECT_EQ(saved["elements"][4]["ifcAttributes"], file["elements"][4]["ifcAttributes"]);
    EXPECT_EQ(saved["libraries"], file["libraries"]);
    EXPECT_EQ(sim::SaveProject(*sim::LoadProject(saved)), saved);

    EXPECT_NE(refused(R"({"databases": [{"type": "section"}]})").find("floor plan comes first"), std::string::npos);
    EXPECT_NE(refused(R"({"currentDatabase": "garden"})").find("unknown database type"), std::string::npos);
    EXPECT_NE(refused(R"({"libraryParts": [{"name": "A", "uniqueId": "{A}"}, {"name": "B", "uniqueId": "{A}"}]})")
                  .find("used twice"),
              std::string::npos);
    EXPECT_NE(refused(R"({"libraryParts": [{"name": "A"}]})").find("missing \"uniqueId\""), std::string::npos);
    EXPECT_NE(refused(R"({"elements": [{"type": "tower"}]})").find("curtainWall"), std::string::npos);
}
