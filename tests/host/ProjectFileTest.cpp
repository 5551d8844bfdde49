#include "ProjectFile.hpp"
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
    EXPECT_EQ(project->attributes.byType[API_BuildingMaterialID][0].userData.bytes, std::string("[1]") + '\0');
    EXPECT_EQ(project->classifications.items.size(), 2u);
    json saved = sim::SaveProject(*project);
    EXPECT_EQ(saved["buildingMaterials"][0]["properties"], file["buildingMaterials"][0]["properties"]);
    EXPECT_EQ(saved["classificationSystems"][0]["items"][0]["children"][0]["id"], "Kind");
    EXPECT_EQ(saved["propertyDefinitions"][0]["measureType"], "length");
    EXPECT_EQ(sim::SaveProject(*sim::LoadProject(saved)), saved);
}

TEST_F(ProjectFileTest, BadFilesAreRefusedWithAReason)
{
    auto refused = [](const char* text) {
        try {
            sim::LoadProject(json::parse(text));
        } catch (const sim::ProjectFileError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refused("[]"), "a project file holds one JSON object");
    EXPECT_NE(refused(R"({"elements": [{"type": "tower"}]})").find("unknown element type"), std::string::npos);
    EXPECT_NE(refused(R"({"buildingMaterials": [{"name": "A"}, {"name": "A"}]})").find("used twice"),
              std::string::npos);
    EXPECT_NE(refused(R"({"buildingMaterials": [{"name": "A", "cutFill": "x"}]})").find("bad project file"),
              std::string::npos);
    EXPECT_NE(refused(R"({"composites": [{"name": "A", "guid": "nope"}]})").find("is not a guid"), std::string::npos);
    EXPECT_EQ(refused("{}"), "accepted");
}
