#include "AddOnTest.hpp"
#include "Host.hpp"

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
