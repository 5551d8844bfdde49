// The take-off the page asks for: every group, its quantities and properties, and failures.
#include <clocale>

#include "AddOnTest.hpp"
#include "FaultSweep.hpp"
#include "Host.hpp"
#include "Inspect.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

std::string Stored(const std::vector<std::array<std::string, 3>>& properties)
{
    json list = json::array();
    for (const auto& [group, name, value] : properties)
        list.push_back({{"group", group}, {"name", name}, {"type", ""}, {"unit", ""}, {"value", value}});
    return list.dump();
}

json Wall(const std::string& structure, int attribute, double thickness, double volume, const char* type = "wall")
{
    json e = {{"type", type}, {"structure", structure}, {"thickness", thickness}, {"quantities", {{"volume", volume}}}};
    e[structure == "composite" ? "composite" : "buildingMaterial"] = attribute;
    if (std::string(type) == "wall")
        e["thicknessEnd"] = thickness;
    return e;
}

} // namespace

// The take-off as the page receives it: one text, byte for byte.
class TakeOffTest : public AddOnTest {
protected:
    json TakeOff()
    {
        const std::string text = ReplyText(CallWithText("getCalculationData", "{}"));
        json reply = json::parse(text, nullptr, false);
        EXPECT_FALSE(reply.is_discarded()) << text;
        EXPECT_EQ(reply.dump(1, ' ', false), text); // indent 1, members in key order
        return reply;
    }
    json Names(const json& entries, const char* key = "name")
    {
        json names = json::array();
        for (const json& e : entries)
            names.push_back(e.at(key));
        return names;
    }
};

TEST_F(TakeOffTest, WallsSlabsAndRoofsAreGroupedByWhatTheyAreBuiltOf)
{
    json file = json::parse(R"({
        "buildingMaterials": [{"name": "Beton"}, {"name": "beton"}, {"name": "Kalk"}],
        "composites": [{"name": "beton", "flags": 7,
                        "components": [{"buildingMaterial": 3, "fillThick": 0.07, "flagBits": 0}]}]})");
    file["buildingMaterials"][2]["userData"] = Stored({{"Korvel", "id", "7"}, {"VORO Attributes", "GWP", "3"}});
    file["composites"][0]["userData"] = Stored({{"Korvel", "id", "c1"}});
    file["elements"] = {Wall("composite", 1, 0.2, 2.0),      Wall("composite", 1, 0.3, 3.0),
                        Wall("basic", 1, 0.2, 1.0),          Wall("basic", 1, 0.200000000001, 1.0),
                        Wall("basic", 1, 0.25, 2.5),         Wall("basic", 2, 0.2, 0.4),
                        Wall("basic", 3, 0.0, 5.0),          Wall("composite", 1, 0.2, 4.0, "slab"),
                        Wall("profile", 1, 0.2, 4.0, "roof")};
    UseProject(file);
    const json systems = TakeOff()["SystemInfo"];
    // Walls by name ignoring case, "Basic" before "Composite" on equal names; ties keep their order.
    EXPECT_EQ(Names(systems), json({"Beton", "Beton", "beton", "beton", "Kalk", "beton"}));
    EXPECT_NEAR(systems[0]["area"].get<double>(), 10.0, 1e-9); // 0.2 m and a hair more: one group
    EXPECT_EQ(systems[0]["layers"][0]["thickness"], 20.0);
    EXPECT_EQ(systems[1]["area"], 10.0);
    EXPECT_EQ(systems[1]["layers"][0]["thickness"], 25.0);
    EXPECT_EQ(systems[2]["subtype"], "Basic");
    EXPECT_EQ(systems[3]["subtype"], "Composite");
    EXPECT_EQ(systems[3]["area"], 20.0); // one composite at two thicknesses
    EXPECT_EQ(systems[3]["bim_uuid"], "c1");
    EXPECT_EQ(systems[3]["layers"][0]["thickness"], 7.000000000000001);
    EXPECT_EQ(systems[3]["layers"][0]["type"], "Other");
    EXPECT_EQ(systems[3]["layers"][0]["bim_uuid"], "7");
    EXPECT_EQ(systems[3]["layers"][0]["attributes"][0]["name"], "GWP");
    EXPECT_EQ(systems[4]["area"], 0.0);                 // zero thickness: no area, but a group
    EXPECT_EQ(systems[4]["layers"][0]["bim_uuid"], ""); // a "Basic" layer never carries one
    EXPECT_EQ(systems[5]["system_type"], "Slab");
    EXPECT_EQ(systems[5]["type_id"], 3);
    EXPECT_EQ(systems.size(), 6u); // the profiled roof is left out
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(TakeOffTest, ProductsAreCountedByLibraryPartAndColumnsAndBeamsByName)
{
    const std::string b = "{B0000000-0000-4000-8000-000000000000}-{0}";
    const std::string a = "{A0000000-0000-4000-8000-000000000000}-{0}";
    json file = {
        {"buildingMaterials",
         {{{"name", "Stahl"},
           {"userData", Stored({{"T", "Density", "nan"}, {"T", "Reference Unit", "KG"}, {"Korvel", "id", "s"}})}},
          {{"name", "Holz"}, {"userData", Stored({{"T", "Density", "  +500.5 kg"}})}}}},
        {"libraryParts", {{{"name", "Stuhl"}, {"uniqueId", b}}, {{"name", "Stuhl"}, {"uniqueId", a}}}},
        {"addOnData", {{"KV_Stuhl", Stored({{"P", "Density", "inf"}, {"Korvel", "id", "77"}})}}},
        {"elements",
         {{{"type", "object"},
           {"libraryPart", b},
           {"ifcAttributes", {{{"name", "Name"}, {"value", "x"}}}},
           {"box", {{"min", {0, 0, 0}}, {"max", {1, 2, 3}}}}},
          {{"type", "object"}, {"libraryPart", a}, {"ifcAttributes", {{{"name", "Name"}, {"value", " y "}}}}},
          {{"type", "column"},
           {"ifcAttributes", {{{"name", "Name"}, {"value", "B2"}}}},
           {"segments", {{{"structure", "basic"}, {"buildingMaterial", 2}}}},
           {"quantities", {{"volume", 2.0}, {"height", 3.0}}}},
          {{"type", "column"},
           {"ifcAttributes", {{{"name", "Name"}, {"value", "A1"}}}},
           {"segments", {{{"structure", "basic"}, {"buildingMaterial", 1}}}},
           {"quantities", {{"volume", 1.0}}}},
          {{"type", "beam"}, {"ifcAttributes", {{{"name", "Name"}, {"value", "A1"}}}}},
          {{"type", "column"}}}}};
    UseProject(file);
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    const json products = TakeOff()["ProductInfo"];
    std::setlocale(LC_NUMERIC, "C");
    // Two parts of one name stay apart, ordered by their unique ids; columns by their names.
    // A column without a name still makes the name "Column ".
    EXPECT_EQ(Names(products), json({"Stuhl", "Stuhl", "Column ", "Column A1", "Column B2", "Beam A1"}));
    EXPECT_EQ(products[0]["id"], APIGuidToString(sim::inspect::ElementAt(project(), 1).guid).ToUtf8());
    EXPECT_EQ(products[0]["area"], 0.0); // no 3D box
    EXPECT_EQ(products[1]["area"], 2.0);
    EXPECT_EQ(products[1]["volume"], 6.0);
    EXPECT_EQ(products[1]["weight"], 0.0); // "inf" is no density
    EXPECT_EQ(products[1]["default_value"], "pcs");
    EXPECT_EQ(products[1]["bim_uuid"], "77");
    EXPECT_EQ(products[2]["default_value"], "m3");
    EXPECT_EQ(products[3]["weight"], 0.0); // "nan" neither
    EXPECT_EQ(products[3]["default_value"], "kg");
    EXPECT_EQ(products[3]["bim_uuid"], "s");
    EXPECT_EQ(products[4]["weight"], 1001.0) << "read in the C locale" << (german ? " (German locale set)" : "");
    EXPECT_EQ(products[4]["default_value"], "m3");
    EXPECT_EQ(products[5]["default_value"], "m3");
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(TakeOffTest, TheFloorPlanIsCurrentWhileReadingAndTheUsersDatabaseAfterwards)
{
    UseProject(json::parse(R"({"elements": [{"type": "wall", "structure": "basic", "buildingMaterial": 1}],
                               "buildingMaterials": [{"name": "A"}]})"));
    ASSERT_TRUE(project().databases.SwitchTo(sim::DatabaseKind::layout));
    project().databases.ForgetSwitches();
    TakeOff();
    EXPECT_EQ(project().databases.Current().name, "A.01 Layout");
    EXPECT_EQ(project().databases.Switches(), (std::vector<std::string>{"1. Erdgeschoss", "A.01 Layout"}));

    // A host that runs out of memory halfway: the request fails, and the layout is back.
    project().databases.ForgetSwitches();
    host().InjectException("Element.GetQuantities");
    EXPECT_EQ(ReplyJson(CallWithText("getCalculationData", "{}")), Status(true));
    EXPECT_EQ(project().databases.Current().name, "A.01 Layout");
    EXPECT_EQ(project().databases.Switches().size(), 2u);
    EXPECT_TRUE(host().GetEscapedExceptions().empty());
}

TEST_F(TakeOffTest, DamagedStoredTextsAndFailingReadsGiveAReplyAllTheSame)
{
    json file = json::parse(R"({
        "buildingMaterials": [{"name": "A", "userData": "not json"}, {"name": "B", "userData": "[1, 2]"},
                              {"name": "C", "userData": "[{\"name\": \"id\", \"value\": true}]"}],
        "composites": [{"name": "K", "componentCount": 5, "components": [{"buildingMaterial": 1, "fillThick": 0.1}]}],
        "addOnData": {"KV_Stuhl": "{}"},
        "libraryParts": [{"name": "Stuhl", "uniqueId": "{S}"}]})");
    file["buildingMaterials"].push_back(
        {{"name", std::string("D\xff\xfe")},
         {"userData",
          std::string(R"([{"group":"Korvel","name":"id","type":"","unit":"","value":"x)") + "\xc3" + R"("}])"}});
    file["elements"] = {
        Wall("basic", 1, 0.2, 1),
        Wall("basic", 2, 0.2, 1),
        Wall("basic", 3, 0.2, 1),
        Wall("basic", 4, 0.2, 1),
        Wall("composite", 1, 0.2, 1),
        Wall("basic", 99, 0.2, 1),
        {{"type", "object"}, {"libraryPart", "{S}"}, {"ifcAttributes", {{{"name", "Name"}, {"value", "s"}}}}},
        {{"type", "curtainWall"}}};
    UseProject(file);
    const json reply = TakeOff();
    const json systems = reply["SystemInfo"];
    ASSERT_EQ(systems.size(), 5u);                              // the wall of a missing material makes no group
    EXPECT_EQ(systems[4]["layers"].size(), 1u);                 // bounded by what the definition holds
    EXPECT_EQ(systems[3]["name"], "D\xef\xbf\xbd\xef\xbf\xbd"); // not UTF-8: replacement characters
    EXPECT_EQ(reply["ProductInfo"][0]["attributes"], json::array());
    int warnings = 0;
    for (const auto& m : LogMessages())
        warnings += m.find("does not read as a property list") != std::string::npos;
    EXPECT_EQ(warnings, 5) << LogLines().size(); // A, B, C, D and the record "KV_Stuhl"

    // Every host call failing in turn: a reply or the error status, never a crash or a leak,
    // and the user's database current again.
    FaultSweepOptions options;
    options.callsPerFunction = 3;
    options.successMeansDone = false; // the take-off answers no status
    FaultSweep(
        host(), work().string(), [&] { UseProject(file); },
        [&] {
            const std::string text = ReplyText(CallWithText("getCalculationData", "{}"));
            EXPECT_FALSE(json::parse(text, nullptr, false).is_discarded());
            EXPECT_EQ(project().databases.Current().name, "1. Erdgeschoss");
            return false;
        },
        options);
    EXPECT_TRUE(host().GetEscapedExceptions().empty());
}

// The refresh reads every material's stored list for the take-off after it: a read that fails
// there costs the reply only when the take-off uses that material.
TEST_F(TakeOffTest, AReadFailingInTheRefreshCostsTheReplyOnlyWhereTheTakeOffUsesIt)
{
    json file = json::parse(R"({"buildingMaterials": [{"name": "Beton"}, {"name": "Unbenutzt"}]})");
    file["buildingMaterials"][0]["userData"] = Stored({{"Korvel", "id", "1"}});
    file["buildingMaterials"][1]["userData"] = Stored({{"Korvel", "id", "2"}});
    file["elements"] = json::array({Wall("basic", 1, 0.2, 1)});
    // The second read is the unused material's: the take-off does not need it.
    UseProject(file);
    host().InjectFault("Attribute.GetUserData", APIERR_GENERAL, 2);
    const json reply = TakeOff();
    EXPECT_EQ(Names(reply["SystemInfo"]), json({"Beton"}));
    EXPECT_NE(LogMessages().back().find(sim::FunctionOf("Attribute.GetUserData")), std::string::npos);
    // The first is the used one's: the take-off cannot be whole, and says so.
    UseProject(file);
    host().InjectFault("Attribute.GetUserData", APIERR_GENERAL, 1);
    const int reads = host().GetCallCount("Attribute.GetUserData");
    const json failed = json::parse(ReplyText(CallWithText("getCalculationData", "{}")));
    EXPECT_EQ(failed.value("IsError", false), true);
    EXPECT_EQ(host().GetCallCount("Attribute.GetUserData") - reads, 2); // none read again
}

TEST_F(TakeOffTest, ANumberBeyondRangeInOneStoredListCostsOnlyThatItem)
{
    json file = json::parse(R"({
        "buildingMaterials": [
            {"name": "Kaputt", "userData": "[{\"group\":\"Korvel\",\"name\":\"id\",\"type\":\"\",\"unit\":\"\",\"value\":1e999},{\"group\":\"Korvel\",\"name\":\"updated_at\",\"type\":\"\",\"unit\":\"\",\"value\":\"1\"}]"},
            {"name": "Heil"}]})");
    file["buildingMaterials"][1]["userData"] =
        Stored({{"Korvel", "id", "7"}, {"Korvel", "updated_at", "1"}, {"VORO Attributes", "GWP", "3"}});
    file["elements"] = {Wall("basic", 1, 0.2, 1.0), Wall("basic", 2, 0.2, 1.0)};
    UseProject(file);
    const json systems = TakeOff()["SystemInfo"];
    ASSERT_EQ(systems.size(), 2u);
    EXPECT_EQ(systems[0]["name"], "Heil");
    EXPECT_EQ(systems[0]["layers"][0]["attributes"].size(), 1u);
    EXPECT_EQ(systems[1]["name"], "Kaputt");
    EXPECT_EQ(systems[1]["layers"][0]["attributes"], json::array());
    const json outdated = ReplyJson(CallWithText(
        "updateStatus", R"({"materials_and_products":[{"id":"7","update_at":5},{"id":"1e999","update_at":5}]})"));
    EXPECT_EQ(outdated, json({"7"}));
    for (const auto& message : LogMessages())
        EXPECT_EQ(message, "The catalogue data stored for the attribute Kaputt does not read as a property list; it "
                           "is left out.");
    EXPECT_FALSE(LogMessages().empty());
}

TEST_F(TakeOffTest, AReadTheHostFailsFailsTheTakeOffAndTheLogNamesIt)
{
    json file = json::parse(R"({
        "buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "AW", "components": [{"buildingMaterial": 1, "fillThick": 0.2}]}],
        "addOnData": {"KV_Stuhl": "[{\"group\":\"Korvel\",\"name\":\"id\",\"type\":\"\",\"unit\":\"\",\"value\":\"s\"}]"},
        "libraryParts": [{"name": "Stuhl", "uniqueId": "{S}"}]})");
    const json chair = {{"type", "object"},
                        {"libraryPart", "{S}"},
                        {"ifcAttributes", {{{"name", "Name"}, {"value", "Stuhl"}}}},
                        {"quantities", {{"volume", 0.2}}}};
    file["elements"] = {Wall("composite", 1, 0.2, 2.0), chair, chair, {{"type", "curtainWall"}}};
    UseProject(file);
    const json clean = TakeOff();
    ASSERT_EQ(clean["ProductInfo"][0]["pieces"], 2);
    ASSERT_EQ(clean["SystemInfo"][0]["layers"].size(), 1u);
    for (const char* call : {"LibPart.Get", "Attribute.Get", "Element.Get", "Element.GetQuantities", "Attribute.GetDef",
                             "ModulData.Get", "Element.GetIFCAttributes", "Attribute.GetUserData"}) {
        for (int nth = 1; nth <= 2; ++nth) {
            host().InjectFault(call, APIERR_GENERAL, nth);
            const std::string reply = ReplyText(CallWithText("getCalculationData", "{}"));
            host().ClearFaults();
            EXPECT_TRUE(reply == Status(true).dump() || json::parse(reply) == clean) << call << " #" << nth;
            if (json::parse(reply) != clean) {
                bool named = false;
                for (const auto& m : LogMessages())
                    named = named || m.find(sim::FunctionOf(call)) != std::string::npos;
                EXPECT_TRUE(named) << call;
            }
        }
    }
    EXPECT_EQ(TakeOff(), clean);
}
