#include "AddOnTest.hpp"
#include "Host.hpp"
#include "LoopbackServer.hpp"

using namespace testing_support;
using nlohmann::json;

// Every host call a material import makes, failing in turn at every call: the page always
// gets a status reply, nothing escapes into the host, and no host memory is left behind.
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
    void Run()
    {
        host().UI().alertAnswers.push_back(1);
        Reply reply = CallWithText("import", Request());
        json status = ReplyJson(reply);
        EXPECT_TRUE(status.contains("IsError"));
        EXPECT_EQ(status["ShowError"], true);
    }
};

// Runs `run` once to learn which host calls it makes, then again with each call failing in
// turn; answers how many runs there were.
template <typename Reset, typename Run> int Sweep(sim::Host& host, Reset reset, Run run)
{
    reset();
    host.ResetCallCounts();
    run();
    std::map<std::string, int> calls = host.GetCallCounts();
    // A host refusing to release memory keeps it; there is nothing for the add-on to do.
    for (const char* release : {"ACAPI_DisposeAttrDefsHdlsExt", "ACAPI_DisposeAddParHdl", "ACAPI_DisposeElemMemoHdls"})
        calls.erase(release);
    int runs = 0;
    for (const auto& [function, count] : calls) {
        for (int n = 1; n <= count; ++n) {
            reset();
            host.ClearFaults();
            host.ResetCallCounts();
            host.InjectFault(function, APIERR_GENERAL, n);
            long handles = host.LiveHandles();
            run();
            EXPECT_TRUE(host.GetEscapedExceptions().empty()) << function << " #" << n;
            EXPECT_EQ(host.LiveHandles(), handles) << function << " #" << n;
            ++runs;
        }
    }
    return runs;
}

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
    const int runs = Sweep(
        host(), [&] { UseProject(project); },
        [&] {
            host().UI().alertAnswers = {1, 1, 1};
            json status = ReplyJson(CallWithText("replaceSystem", request.dump()));
            EXPECT_TRUE(status.contains("IsError"));
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
    const int runs = Sweep(
        host(),
        [&] {
            UseProject(project);
            std::filesystem::remove_all(work() / "Embedded Library");
        },
        [&] {
            host().UI().alertAnswers = {1};
            json status = ReplyJson(CallWithText("import", request.dump()));
            EXPECT_TRUE(status.contains("IsError"));
        });
    EXPECT_GT(runs, 20);
}

TEST_F(FaultSweepTest, EveryFailingHostCallIsSurvived)
{
    UseProject(Project());
    host().ResetCallCounts();
    Run();
    std::map<std::string, int> calls = host().GetCallCounts();
    ASSERT_GT(calls.size(), 10u);
    int runs = 0;
    // A host refusing to release memory keeps it; there is nothing for the add-on to do.
    calls.erase("ACAPI_DisposeAttrDefsHdlsExt");
    for (const auto& [function, count] : calls) {
        for (int n = 1; n <= count; ++n) {
            UseProject(Project());
            host().ClearFaults();
            host().ResetCallCounts();
            host().InjectFault(function, APIERR_GENERAL, n);
            long handles = host().LiveHandles();
            Run();
            EXPECT_TRUE(host().GetEscapedExceptions().empty()) << function << " #" << n;
            EXPECT_EQ(host().LiveHandles(), handles) << function << " #" << n;
            ++runs;
        }
    }
    EXPECT_GT(runs, 50);
    // The failures were reported, each with its context.
    int hostErrors = 0;
    for (const auto& m : LogMessages())
        hostErrors += m.rfind("Archicad API Error: APIERR_GENERAL - General error code. (", 0) == 0;
    EXPECT_GT(hostErrors, 10);
}
