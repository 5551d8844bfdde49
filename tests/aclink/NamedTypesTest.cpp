// Curtain wall and stair types: their records and the elements of their names.
#include "AddOnTest.hpp"
#include "Host.hpp"
#include "Inspect.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

json Type(const std::string& kind, const json& name)
{
    return {{"data",
             {{"import_type", kind},
              {"name", name},
              {"id", 31},
              {"updated_at", 2},
              {"tabs", {{{"name", "Geometrie"}, {"attributes", {{{"name", "Steigung"}, {"value", "17/29"}}}}}}}}}};
}

} // namespace

// Curtain wall and stair types: stored under their name, written on the elements of that IFC name.
class NamedTypesTest : public AddOnTest {
protected:
    void SetUp() override
    {
        AddOnTest::SetUp();
        UseProject(json::parse(R"({"elements": [
            {"type": "stair", "ifcAttributes": [{"name": "GlobalId", "value": "x"}, {"name": "Name", "value": "Treppe A"}]},
            {"type": "stair"},
            {"type": "curtainWall", "ifcAttributes": [{"name": "Name", "value": "Treppe A"}]}]})"));
    }
};

TEST_F(NamedTypesTest, ATypeIsStoredAndWrittenOnTheElementsOfItsName)
{
    EXPECT_EQ(Import(Type("stair", "Treppe A")), ok);
    ASSERT_TRUE(project().addOnData.Has("KV_Treppe A"));
    EXPECT_EQ(project().addOnData.At("KV_Treppe A").version, 1);
    const auto elements = sim::inspect::Elements(project());
    EXPECT_EQ(elements[0]->properties.size(), 4u);
    EXPECT_EQ(elements[0]->classification.size(), 1u);
    EXPECT_TRUE(elements[1]->properties.empty()); // no name: not "the previous element's" either
    EXPECT_TRUE(elements[2]->properties.empty()); // a curtain wall is no stair
    EXPECT_EQ(project().undo.Names(), std::vector<std::string>(4, "Create group properties"));
    ASSERT_EQ(host().UI().alerts.size(), 1u);
    EXPECT_EQ(host().UI().alerts[0].kind, "information");
    EXPECT_EQ(host().UI().alerts[0].smallText,
              "You have imported \"Treppe A\".\nAll corresponding objects that have Name (Attribute)\nwith the same "
              "name will receive the attributes from Korvel.");
    EXPECT_EQ(host().UI().alerts[0].buttons, std::vector<std::string>{"OK"});

    // Again: the record exists, so the user is asked; "Reject" keeps everything as it was.
    const json before = sim::SaveProject(project());
    host().UI().alertAnswers.push_back(2);
    EXPECT_EQ(Import(Type("stair", "Treppe A")), failed);
    EXPECT_EQ(host().UI().alerts.back().kind, "warning");
    EXPECT_NE(host().UI().alerts.back().smallText.find("replace the existing stair"), std::string::npos);
    EXPECT_EQ(sim::SaveProject(project()), before);
}

TEST_F(NamedTypesTest, ANameNoElementCarriesYetIsStoredAndSaidSo)
{
    EXPECT_EQ(Import(Type("curtain wall", "Fassade Süd")), ok);
    EXPECT_TRUE(project().addOnData.Has("KV_Fassade Süd"));
    EXPECT_TRUE(project().undo.Names().empty());
    ASSERT_EQ(host().UI().alerts.size(), 1u);
    EXPECT_EQ(host().UI().alerts[0].smallText,
              "You have imported \"Fassade Süd\". Currently there are no objects in your project with the same "
              "name.\nWhen you change an object's Name (Attribute) to \"Fassade Süd\", it will receive the "
              "attributes from Korvel.");
}

TEST_F(NamedTypesTest, WithoutANameOrARecordNothingIsStored)
{
    const json before = sim::SaveProject(project());
    for (const json& name : {json(""), json("  ")}) {
        EXPECT_EQ(Import(Type("stair", name)), failed);
        EXPECT_EQ(LogMessages().back(), "SetAttributes: the stair has no name; nothing was stored.");
    }
    EXPECT_EQ(Import(Type("stair", 5)), failed); // a name must be a text
    EXPECT_EQ(sim::SaveProject(project()), before);
    EXPECT_TRUE(host().UI().alerts.empty());

    host().InjectFault("ModulData.Store", APIERR_MEMFULL);
    EXPECT_EQ(Import(Type("stair", "Treppe A")), failed);
    EXPECT_TRUE(sim::inspect::ElementAt(project(), 0).properties.empty());
}
