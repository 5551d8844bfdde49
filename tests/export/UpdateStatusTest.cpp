// The update status: which of the page's items the project holds in an older version.
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

    // An item that cannot be compared is left out with a line naming it; the others are
    // reported.
    EXPECT_EQ(Status(Request({{"a", "101"}, {"a", 1e300}, {"t", 101}})), json({"t"}));
    EXPECT_EQ(
        Status(R"({"materials_and_products": [{"id": "a"}, 7, {"update_at": 5}, {"id": "s", "update_at": 101}]})"),
        json({"s"}));
    const std::vector<std::string> expected = {
        "The update status request's item 0 (id \"a\") has no \"update_at\" that is a 64-bit number; it is left out.",
        "The update status request's item 1 (id \"a\") has no \"update_at\" that is a 64-bit number; it is left out.",
        "The update status request's item 0 (id \"a\") has no \"update_at\" that is a 64-bit number; it is left out.",
        "The update status request's item 1 has no \"id\"; it is left out.",
        "The update status request's item 2 has no \"id\"; it is left out."};
    EXPECT_EQ(LogMessages(), expected);
    // A request that is no object with a list fails as a whole, with a line saying so.
    EXPECT_EQ(Status("not json"), failed);
    EXPECT_NE(LogMessages().back().find("the update status request is not a JSON object"), std::string::npos);
    EXPECT_EQ(Status(R"({"materials_and_products": {"id": "a", "update_at": 101}})"), failed);
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
    // Damaged records of their own: a time beyond 64 bits, an "updated_at" without a value.
    file["buildingMaterials"].push_back({{"name", "D"}, {"userData", Stored("d", 18446744073709551615ULL).dump()}});
    file["addOnData"]["KV_W"] = Stored("w", 18446744073709551615ULL).dump();
    json noValue = Stored("v", "1");
    noValue[1].erase("value");
    file["addOnData"]["KV_V"] = noValue.dump();
    UseProject(file);
    EXPECT_EQ(Status(Request({{"a", 9}, {"b", 9}, {"c", 9}, {"z", 9}, {"d", 9}, {"w", 9}, {"v", 9}})),
              json({"c", "z"}));
    int warnings = 0;
    for (const auto& m : LogMessages())
        warnings += m.rfind("The catalogue data stored for ", 0) == 0;
    EXPECT_EQ(warnings, 7) << LogLines().size(); // A, B, D, X, Y, W and V
    EXPECT_TRUE(LogHas("The catalogue data stored for KV_V has no usable \"updated_at\"."));
    EXPECT_TRUE(LogHas("The catalogue data stored for the attribute D has no usable \"updated_at\"."));

    // A read the host fails is no item left out: the page is told the report failed, and the
    // log names the call.
    for (const char* call :
         {"Attribute.GetNum", "ModulData.GetList", "Attribute.Get", "Attribute.GetUserData", "ModulData.Get"}) {
        host().InjectFault(call, APIERR_GENERAL, 3);
        host().InjectFault(call, APIERR_GENERAL, 1);
        EXPECT_EQ(Status(Request({{"c", 9}, {"z", 9}})), failed) << call;
        bool named = false;
        for (const auto& m : LogMessages())
            named = named || m.find(std::string("UpdateStatus::") + sim::FunctionOf(call) + ")") != std::string::npos ||
                    m.find(std::string("KRV::GetUserData ") + sim::FunctionOf(call) + ")") != std::string::npos;
        EXPECT_TRUE(named) << call;
        host().ClearFaults();
    }
    EXPECT_EQ(Status(Request({{"c", 9}, {"z", 9}})), json({"c", "z"}));
    EXPECT_EQ(host().LiveHandles(), 0);
}
