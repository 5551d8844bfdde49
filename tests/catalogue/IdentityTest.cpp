// The catalogue identity kept in the project: stored texts, the refresh, records.
#include <functional>

#include "ACAPinc.h"
#include "AddOnTest.hpp"
#include "CallIds.hpp"
#include "Host.hpp"
#include "Inspect.hpp"
#include "ShellList.hpp"
#include "TakeOffRequest.hpp"
#include "UserData.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

std::string Stored(std::vector<std::pair<std::string, std::string>> groupNameValue)
{
    json list = json::array();
    for (auto& [groupName, value] : groupNameValue) {
        auto slash = groupName.find('/');
        list.push_back({{"group", groupName.substr(0, slash)},
                        {"name", groupName.substr(slash + 1)},
                        {"type", ""},
                        {"unit", ""},
                        {"value", value}});
    }
    return list.dump();
}

} // namespace

class IdentityTest : public AddOnTest {
protected:
    // The material "Ziegel" (catalogue id 101) with a density of 650 on the tab `tab`.
    json ImportBrick(const std::string& tab)
    {
        json article = {{"id", 101},
                        {"updated_at", 5},
                        {"tabs", {{{"name", tab}, {"attributes", {{{"name", "Dichte"}, {"value", "650"}}}}}}}};
        return Import(
            {{"data", {{"import_type", "Material"}, {"name", "Ziegel"}, {"articles", json::array({article})}}}});
    }
    // Materials 1..4, composites 1..2; walls, slabs and roofs built of some of them.
    void SetUpProject()
    {
        json file = {{"buildingMaterials",
                      {{{"name", "Ziegel"}, {"userData", Stored({{"Korvel/name", "Ziegel"}, {"Korvel/id", "101"}})}},
                       {{"name", "Beton"},
                        {"userData", Stored({{"Korvel/id", "102"}, {"Korvel/id", "103"}, {"Tab/id", "104"}})}},
                       {{"name", "Ohne Daten"}},
                       {{"name", "Kaputt"}, {"userData", "{not json"}},
                       {{"name", "Unbenutzt"}, {"userData", Stored({{"Korvel/id", "105"}})}}}},
                     {"composites",
                      {{{"name", "AW"},
                        {"components", {{{"buildingMaterial", 2}}, {{"buildingMaterial", 4}}}},
                        {"userData", Stored({{"Korvel/id", "201"}})}},
                       {{"name", "DE"}, {"components", {{{"buildingMaterial", 3}}}}}}},
                     {"elements",
                      {{{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", 1}},
                       {{"type", "slab"}, {"structure", "composite"}, {"composite", 1}},
                       {{"type", "roof"}, {"structure", "composite"}, {"composite", 2}}}}};
        UseProject(file);
    }
};

TEST_F(IdentityTest, TheWallsSlabsAndRoofsAreListedForTheRefresh)
{
    SetUpProject();
    KRV::InitCompMatElemList();
    EXPECT_EQ(KRV::g_elemList.GetSize(), 3u);
    KRV::ClearCompMatElemList();
    EXPECT_EQ(KRV::g_elemList.GetSize(), 0u);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(IdentityTest, TheRefreshTakesChangedHostValuesIntoTheStoredText)
{
    ASSERT_EQ(ImportBrick("Technik")["IsError"], false);
    sim::Attribute* brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    json file = sim::SaveProject(project());
    file["elements"] = {{{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", 1}}};
    UseProject(file);
    brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    const std::string before = brick->userData.bytes;

    // Nothing changed: nothing is written.
    int writes = host().GetCallCount("Attribute.SetUserData");
    KRV::UpdateAttributesUserData();
    EXPECT_EQ(host().GetCallCount("Attribute.SetUserData"), writes);
    EXPECT_EQ(KRV::g_elemList.GetSize(), 0u);

    // The user changes the density in the host.
    for (auto& [guid, value] : brick->properties)
        if (project().properties.Find(guid)->definition.name == "Dichte")
            value.text = "700";
    KRV::UpdateAttributesUserData();
    brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    std::string expected = before;
    expected.replace(expected.find(R"("Dichte","type":"","unit":"","value":"650")"),
                     std::string(R"("Dichte","type":"","unit":"","value":"650")").size(),
                     R"("Dichte","type":"","unit":"","value":"700")");
    EXPECT_EQ(brick->userData.bytes, expected);

    // A list the add-on did not write itself (blanks, escapes, a number) is read as its own.
    auto setDensity = [&](const char* value) {
        for (auto& [guid, held] : brick->properties)
            if (project().properties.Find(guid)->definition.name == "Dichte")
                held.text = value;
    };
    json list = json::parse(expected.substr(0, expected.find('\0')));
    for (json& entry : list)
        if (entry["name"] == "updated_at")
            entry["value"] = 5;
    std::string foreign = list.dump(2);
    foreign.replace(foreign.find("Ziegel"), 6, "Zi\\u0065gel");
    brick->userData.bytes = foreign + '\0';
    setDensity("750");
    KRV::UpdateAttributesUserData();
    brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    std::string refreshed = expected;
    refreshed.replace(refreshed.find(R"("value":"700")"), 13, R"("value":"750")");
    EXPECT_EQ(brick->userData.bytes, refreshed);
    // Only an "id" of the "Korvel" group says which catalogue item a material in use is, in
    // either form of list.
    for (const bool plain : {true, false}) {
        json withoutGroup = json::parse(refreshed.substr(0, refreshed.find('\0')));
        for (json& entry : withoutGroup)
            if (entry["name"] == "id")
                entry.erase("group");
        std::string text = withoutGroup.dump();
        if (!plain)
            text.replace(text.find("Ziegel"), 6, "Zi\\u0065gel");
        brick->userData.bytes = text + '\0';
        setDensity(plain ? "800" : "850");
        writes = host().GetCallCount("Attribute.SetUserData");
        KRV::UpdateAttributesUserData();
        EXPECT_EQ(host().GetCallCount("Attribute.SetUserData"), writes) << text;
        brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    }

    // Stored texts that do not parse or hold bad members are skipped, not fatal.
    brick->userData.bytes = std::string(R"([{"group":"Korvel","name":"id","value":"101"},{"name":true}])") + '\0';
    const int valueReads = host().GetCallCount("Attribute.GetPropertyValues");
    EXPECT_NO_THROW(KRV::UpdateAttributesUserData());
    // Skipped, with a word, before the project's values are read for it.
    EXPECT_EQ(host().GetCallCount("Attribute.GetPropertyValues"), valueReads);
    EXPECT_NE(LogMessages().back().find("the attribute Ziegel does not read as a property list"), std::string::npos);
    brick->userData.bytes = std::string("{broken") + '\0';
    testing::internal::CaptureStdout();
    EXPECT_NO_THROW(KRV::UpdateAttributesUserData());
    testing::internal::GetCapturedStdout();
}

// "getCalculationData" refreshes the stored lists, then takes off: each list is read from the
// host once, and the take-off reports what the host holds after the refresh's writes.
TEST_F(IdentityTest, TheTakeOffReportsTheRefreshedListsReadingEachOnce)
{
    ASSERT_EQ(ImportBrick("VORO Attributes")["IsError"], false);
    json file = sim::SaveProject(project());
    file["elements"] = {{{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", 1}, {"thickness", 0.2}},
                        {{"type", "slab"}, {"structure", "basic"}, {"buildingMaterial", 1}, {"thickness", 0.2}}};
    UseProject(file);
    auto setDensity = [&](const char* value) {
        sim::Attribute* brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
        for (auto& [guid, held] : brick->properties)
            if (project().properties.Find(guid)->definition.name == "Dichte")
                held.text = value;
    };
    // The densities the reply gives for the brick, wherever it lists it.
    auto densities = [&] {
        const json reply = json::parse(ReplyText(CallWithText("getCalculationData", "{}")), nullptr, false);
        std::vector<std::string> found;
        std::function<void(const json&)> walk = [&](const json& value) {
            if (value.is_object() && value.value("name", json()) == "Dichte")
                found.push_back(value.value("value", std::string()));
            if (value.is_structured())
                for (const json& inner : value)
                    walk(inner);
        };
        walk(reply);
        return found;
    };
    int attributes = 0; // the materials and composites
    for (sim::AttrKind kind : {sim::AttrKind::buildingMaterial, sim::AttrKind::composite})
        for (sim::AttrIndex index = 1; project().attributes.Find(kind, index) != nullptr; ++index)
            ++attributes;
    setDensity("700");
    const int reads = host().GetCallCount("Attribute.GetUserData");
    const int writes = host().GetCallCount("Attribute.SetUserData");
    const std::vector<std::string> refreshed = densities();
    ASSERT_FALSE(refreshed.empty());
    for (const std::string& value : refreshed)
        EXPECT_EQ(value, "700");
    EXPECT_EQ(host().GetCallCount("Attribute.SetUserData"), writes + 1);
    EXPECT_LE(host().GetCallCount("Attribute.GetUserData") - reads, attributes); // each at most once

    // A write the host refuses leaves the list as the host holds it, and the take-off says so.
    setDensity("800");
    host().InjectFault("Attribute.SetUserData", APIERR_GENERAL);
    for (const std::string& value : densities())
        EXPECT_EQ(value, "700");
    EXPECT_NE(LogMessages().back().find(sim::FunctionOf("Attribute.SetUserData")), std::string::npos);
    // The next request writes it.
    for (const std::string& value : densities())
        EXPECT_EQ(value, "800");
}

TEST_F(IdentityTest, UserDataAndAddOnDataRecords)
{
    SetUpProject();
    const KRV::port::AttributeHead none = KRV::GetAttribute("Ohne Daten", KRV::port::AttrType::buildingMaterial).head;
    ASSERT_EQ(none.ref.Index(), 3);
    GS::UniString text("kept");
    EXPECT_EQ(KRV::GetUserData(none, text), static_cast<int>(0x810600DC));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(KRV::AddUserData(none, "[1]"), NoError);
    EXPECT_EQ(KRV::GetUserData(none, text), NoError);
    EXPECT_EQ(text, "[1]");
    EXPECT_EQ(host().LiveHandles(), 0);

    EXPECT_EQ(KRV::CreateModulData("Chair 01", "[]"), NoError);
    ASSERT_TRUE(project().addOnData.Has("KV_Chair 01"));
    EXPECT_EQ(project().addOnData.At("KV_Chair 01").version, 1);
    EXPECT_EQ(project().addOnData.At("KV_Chair 01").platformSign, 0x6D6D);
    EXPECT_EQ(project().addOnData.At("KV_Chair 01").bytes, std::string("[]") + '\0');

    API_Guid wall = sim::inspect::ElementAt(project(), 0).guid;
    EXPECT_EQ(KRV::SetUserDataToElem(wall, "[2]"), NoError);
    const auto& stored = sim::inspect::ElementAt(project(), 0).userData;
    EXPECT_EQ(stored.version, 1);
    EXPECT_NE(stored.flags & APIUserDataFlag_SkipRecalcAndDraw, 0); // no redrawing for the data
    EXPECT_EQ(stored.bytes, std::string("[2]") + '\0');
    EXPECT_EQ(project().undo.Names().back(), "Set user data to an elem");

    host().InjectFault("Attribute.GetUserData", APIERR_GENERAL);
    EXPECT_EQ(KRV::GetUserData(none, text), APIERR_GENERAL);
    EXPECT_EQ(LogMessages().back(), "Archicad API Error: APIERR_GENERAL - General error code. (KRV::GetUserData " +
                                        sim::FunctionOf("Attribute.GetUserData") + ")");
    KRV::port::Attribute missing = KRV::GetAttribute("Gibt es nicht", KRV::port::AttrType::buildingMaterial);
    EXPECT_EQ(missing.head.ref.Index(), 0);
    EXPECT_EQ(missing.head.name, "Gibt es nicht");
    EXPECT_NE(LogMessages().back().find("(GetAttribute(GS::UniString name, API_AttrTypeID typeID))"),
              std::string::npos);

    // Out of memory for the handle.
    host().InjectFault("BMAllocateHandle", APIERR_MEMFULL, 1, 3);
    EXPECT_EQ(KRV::AddUserData(none, "[3]"), APIERR_GENERAL);
    EXPECT_EQ(LogMessages().back(), "KRV::AddUserData - couldn't allocate handle");
    EXPECT_EQ(KRV::CreateModulData("Tisch", "[]"), APIERR_MEMFULL);
    EXPECT_EQ(KRV::SetUserDataToElem(wall, "[3]"), APIERR_MEMFULL);
    EXPECT_FALSE(project().addOnData.Has("KV_Tisch"));
    EXPECT_EQ(sim::inspect::ElementAt(project(), 0).userData.bytes, std::string("[2]") + '\0');

    host().InjectFault("Element.GetElemList", APIERR_GENERAL, 2);
    EXPECT_EQ(KRV::InitCompMatElemList(), APIERR_GENERAL);
    EXPECT_EQ(KRV::g_elemList.GetSize(), 1u); // the walls listed before stay
}
