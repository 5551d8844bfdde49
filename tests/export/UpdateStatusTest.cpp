#include "AddOnTest.hpp"
#include "Host.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

json Stored(const json& id, const json& updated, const char* group = "Korvel")
{
    return json::array({{{"group", group}, {"name", "id"}, {"type", ""}, {"unit", ""}, {"value", id}},
                        {{"group", group}, {"name", "updated_at"}, {"type", ""}, {"unit", ""}, {"value", updated}}});
}

std::string Request(const std::vector<std::pair<json, json>>& items)
{
    json list = json::array();
    for (const auto& [id, updateAt] : items)
        list.push_back({{"id", id}, {"update_at", updateAt}});
    return json{{"materials_and_products", list}}.dump();
}

} // namespace

// Which imported items the service has changed since: building materials, then
// composites, then add-on data records.
class UpdateStatusTest : public AddOnTest {
protected:
    json Status(const std::string& request) { return ReplyJson(CallWithText("updateStatus", request)); }
};

TEST_F(UpdateStatusTest, ItemsNewerOnTheServiceAreReportedFromEveryStore)
{
    json file = {{"buildingMaterials",
                  {{{"name", "A"}, {"userData", Stored("a", "100").dump()}},
                   {{"name", "B"}, {"userData", Stored("b", "no digits").dump()}},
                   {{"name", "C"}, {"userData", Stored("12", 100).dump()}},
                   {{"name", "D"}}}},
                 {"composites", {{{"name", "K"}, {"userData", Stored("a", "50").dump()}}}},
                 {"addOnData",
                  {{"KV_Stuhl", Stored("s", 100).dump()},
                   {"KV_Treppe", Stored("t", "100").dump()},
                   {"KV_Fremd", Stored("f", "1", "Other").dump()}}}};
    UseProject(file);
    EXPECT_EQ(Status(Request({})), json::array());
    // Equal and older times are not reported; newer ones are, once per request item.
    EXPECT_EQ(Status(Request({{"a", 100}, {"s", 99}, {"t", 100}})), json({"a"}));       // the composite's 50
    EXPECT_EQ(Status(Request({{"a", 101}, {"a", 101.9}})), json({"a", "a", "a", "a"})); // material, composite
    EXPECT_EQ(Status(Request({{"b", 1}})), json({"b"}));                                // no digits count as 0
    EXPECT_EQ(Status(Request({{12, 1000}, {"12", 1000}})), json({"12"}));               // a number is no text id
    EXPECT_EQ(Status(Request({{"s", 101}, {"t", 101}, {"f", 5}})), json({"s", "t"}));
    // The reply is the text the page receives.
    EXPECT_EQ(ReplyText(CallWithText("updateStatus", Request({{"b", 1}, {"t", 101}}))), "[\n \"b\",\n \"t\"\n]");
    EXPECT_TRUE(LogLines().empty());

    // A request that is no list of items with numbers fails as a whole.
    EXPECT_EQ(Status(Request({{"a", "101"}})), failed);
    EXPECT_EQ(Status(Request({{"a", 1e300}})), failed);
    EXPECT_EQ(Status("not json"), failed);
    EXPECT_EQ(Status(R"({"other": 1})"), json::array());
}

TEST_F(UpdateStatusTest, DamagedStoredDataAndFailingReadsLeaveTheRestOfTheReport)
{
    json file = {
        {"buildingMaterials",
         {{{"name", "A"}, {"userData", "[1, 2]"}},
          {{"name", "B"}, {"userData", Stored("b", true).dump()}},
          {{"name", "C"}, {"userData", Stored("c", "5").dump()}}}},
        {"addOnData", {{"KV_X", "not json"}, {"KV_Y", Stored(7, "1").dump()}, {"KV_Z", Stored("z", "1").dump()}}}};
    UseProject(file);
    EXPECT_EQ(Status(Request({{"a", 9}, {"b", 9}, {"c", 9}, {"z", 9}})), json({"c", "z"}));
    int warnings = 0;
    for (const auto& m : LogMessages())
        warnings += m.rfind("The catalogue data stored for ", 0) == 0;
    EXPECT_EQ(warnings, 4) << LogLines().size(); // A, B, X and Y

    host().InjectFault("ACAPI_Attribute_GetNum", APIERR_GENERAL);
    EXPECT_EQ(Status(Request({{"c", 9}, {"z", 9}})), json({"z"}));
    host().InjectFault("ACAPI_ModulData_GetList", APIERR_GENERAL);
    EXPECT_EQ(Status(Request({{"c", 9}, {"z", 9}})), json({"c"}));
    host().InjectFault("ACAPI_Attribute_Get", APIERR_GENERAL, 3);
    EXPECT_EQ(Status(Request({{"c", 9}})), json::array());
    EXPECT_EQ(host().LiveHandles(), 0);
}
