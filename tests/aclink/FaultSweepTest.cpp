// Every host call a single request makes, failing in turn at every call: the page always gets a
// status reply, answered as a failure unless the work was done, nothing escapes into the host,
// and no host memory is left behind.
#include "FaultSweep.hpp"
#include "AddOnTest.hpp"
#include "Host.hpp"
#include "LoopbackServer.hpp"

using namespace testing_support;
using nlohmann::json;

class FaultSweepTest : public AddOnTest {
protected:
    json Project()
    {
        return json::parse(R"({
            "buildingMaterials": [{"name": "Putz"}, {"name": "Ziegel", "description": "alt"}],
            "composites": [{"name": "AW", "components": [{"buildingMaterial": 1}, {"buildingMaterial": 2}]}],
            "elements": [{"type": "wall", "structure": "composite", "composite": 1}]})");
    }
    std::string Request()
    {
        json article = json::parse(R"({"id": 5, "updated_at": 6, "system_internal_id": "1", "layer_index": "1",
            "internal_layer_index": 1, "tabs": [{"name": "T", "attributes": [{"name": "a", "value": 1}]}]})");
        return json{{"data", {{"import_type", "Material"}, {"name", "Ziegel"}, {"articles", {article}}}}}.dump();
    }
    // Answers whether the page was told the import failed.
    bool Run()
    {
        host().UI().alertAnswers.push_back(1);
        Reply reply = CallWithText("import", Request());
        json status = ReplyJson(reply);
        EXPECT_TRUE(status.contains("IsError"));
        EXPECT_EQ(status["ShowError"], true);
        return AnsweredFailure(reply);
    }
};

TEST_F(FaultSweepTest, ACompositeImportSurvivesEveryFailingHostCall)
{
    const json project = json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "Alt", "flags": 7, "components": [{"buildingMaterial": 1}]},
                       {"name": "AW", "flags": 1, "components": [{"buildingMaterial": 1}]}],
        "elements": [{"type": "wall", "structure": "composite", "composite": 1},
                     {"type": "slab", "structure": "composite", "composite": 1}]})");
    const json request = json::parse(R"({"data": {"import_type": "system", "id": 1, "name": "AW", "updated_at": 2,
        "system_type": "Wall", "replace_id": "1",
        "tabs": [{"name": "T", "attributes": [{"name": "a", "value": 1}]}],
        "materials": [{"articles": [{"name": "Putz", "id": 3, "updated_at": 4}, {"name": "Lehm", "id": 5, "updated_at": 6}]}],
        "layers": [{"layer_type": "Core", "thickness": 20}, {"layer_type": "Finish", "thickness": 2}]}})");
    const int runs = FaultSweep(
        host(), work().string(), [&] { UseProject(project); },
        [&] {
            host().UI().alertAnswers = {1, 1, 1};
            Reply reply = CallWithText("replaceSystem", request.dump());
            EXPECT_TRUE(ReplyJson(reply).contains("IsError"));
            return AnsweredFailure(reply);
        });
    EXPECT_GT(runs, 60);
}

TEST_F(FaultSweepTest, ALibraryPartImportSurvivesEveryFailingHostCall)
{
    WriteFile(work() / "served" / "Stuhl.gsm", R"({"name": "Stuhl", "uniqueId": "{S}", "parameters": [
        {"type": "text", "name": "KV_", "value": "alt"}, {"type": "length", "name": "A", "value": 1}]})");
    korvel_loopback::LoopbackServer server(work() / "served");
    const json project = json::parse(R"({"elements": [{"type": "object", "libraryPart": "{S}"}, {"type": "stair"}]})");
    const json request = {{"data",
                           {{"import_type", "Product"},
                            {"id", 1},
                            {"name", "Stuhl"},
                            {"updated_at", 2},
                            {"file_url", server.Url() + "/Stuhl.gsm"},
                            {"articles", json::array()},
                            {"product_tabs", {{{"name", "T"}, {"attributes", {{{"name", "a"}, {"value", 1}}}}}}}}}};
    const int runs = FaultSweep(
        host(), work().string(),
        [&] {
            UseProject(project);
            std::filesystem::remove_all(work() / "Embedded Library");
        },
        [&] {
            host().UI().alertAnswers = {1};
            Reply reply = CallWithText("import", request.dump());
            EXPECT_TRUE(ReplyJson(reply).contains("IsError"));
            return AnsweredFailure(reply);
        });
    EXPECT_GT(runs, 20);
}

TEST_F(FaultSweepTest, EveryFailingHostCallIsSurvived)
{
    const int runs = FaultSweep(
        host(), work().string(), [&] { UseProject(Project()); }, [&] { return Run(); });
    EXPECT_GT(runs, 50);
    // The failures were reported, each with its context.
    int hostErrors = 0;
    for (const auto& m : LogMessages())
        hostErrors += m.rfind("Archicad API Error: APIERR_GENERAL - General error code. (", 0) == 0;
    EXPECT_GT(hostErrors, 10);
}
