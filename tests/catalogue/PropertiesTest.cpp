// Catalogue properties and classification in the project: groups, definitions, values.
#include "Properties.hpp"
#include "AddOnTest.hpp"
#include "Classification.hpp"
#include "Host.hpp"
#include "Inspect.hpp"
#include "KorvelComplexMaterial.hpp"
#include "KorvelMaterial.hpp"

using namespace testing_support;
using nlohmann::json;

class PropertiesTest : public AddOnTest {
protected:
    void SetUp() override
    {
        AddOnTest::SetUp();
        UseProject(json::parse(R"({"buildingMaterials": [{"name": "A"}, {"name": "B"}],
                                   "elements": [{"type": "wall", "guid": "11111111-2222-3333-4444-555555555555"}]})"));
    }
    static KRV::port::AttrRef Ref(int index)
    {
        return KRV::port::AttrRef(KRV::port::AttrType::buildingMaterial, index);
    }
    static KRV::KorvelProperty Property(const char* group, const char* name, const char* type, const char* value)
    {
        KRV::KorvelProperty p;
        p.SetGroup(group);
        p.SetName(name);
        p.SetType(type);
        p.SetValue(value);
        return p;
    }
    std::vector<const sim::PropertyDefinition*> Custom()
    {
        std::vector<const sim::PropertyDefinition*> out;
        for (const auto* d : sim::inspect::Definitions(project()))
            out.push_back(d);
        return out;
    }
    const API_Guid wall = APIGuidFromString("11111111-2222-3333-4444-555555555555");
};

TEST_F(PropertiesTest, GroupsAreMadeOnceAndDefinitionsAreSharedAcrossTargets)
{
    KRV::AddArchicadClassificationToAttribute(Ref(1));
    API_Guid korvelItem = (*sim::inspect::Items(project())[0]).item.guid;
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "Length", "2.5"), Ref(1), APINULLGuid),
              NoError);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Fläche", "Area", "3"), Ref(1), APINULLGuid),
              NoError);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Raum", "Volume", "4"), Ref(1), APINULLGuid),
              NoError);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Winkel", "Angle", "5"), Ref(1), APINULLGuid),
              NoError);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "klein", "length", "6"), Ref(1), APINULLGuid),
              NoError);
    int voro = 0;
    for (const auto& g : sim::inspect::Groups(project()))
        voro += g.name == "VORO Attributes";
    EXPECT_EQ(voro, 1);
    auto defs = Custom();
    ASSERT_EQ(defs.size(), 5u);
    EXPECT_EQ(defs[0]->definition.measureType, API_PropertyLengthMeasureType);
    EXPECT_EQ(defs[1]->definition.measureType, API_PropertyAreaMeasureType);
    EXPECT_EQ(defs[2]->definition.measureType, API_PropertyVolumeMeasureType);
    EXPECT_EQ(defs[3]->definition.measureType, API_PropertyAngleMeasureType);
    EXPECT_EQ(defs[4]->definition.measureType, API_PropertyDefaultMeasureType);

    // The element gets its own classification in another system; the existing definition
    // is extended, not duplicated, and keeps its items first. Elements change only inside a
    // command: here the host's own, as during an element event.
    sim::Commands::HostCommand command;
    sim::ClassificationSystem other;
    other.guid = APIGuidFromString("0A000000-0000-4000-8000-000000000001");
    other.name = "Other";
    project().classifications.AddSystem(other);
    sim::ClassificationItemNode item{
        {APIGuidFromString("0A000000-0000-4000-8000-000000000002"), "X", "", ""}, other.guid, {}};
    project().classifications.AddItem(item);
    sim::inspect::ElementAt(project(), 0).classification.push_back({other.guid, item.item.guid});
    KRV::AddArchicadClassificationToElement(wall);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "Length", "9"), Ref(1), wall), NoError);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "Length", "9"), Ref(1), wall), NoError);
    defs = Custom();
    ASSERT_EQ(defs.size(), 5u);
    EXPECT_EQ(defs[0]->definition.availability, (GS::Array<API_Guid>{korvelItem, item.item.guid}));
    EXPECT_EQ(sim::inspect::ElementAt(project(), 0).properties.at(defs[0]->definition.guid).text, "9");
    EXPECT_EQ(sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 1)
                  .properties.at(defs[0]->definition.guid)
                  .text,
              "2.5");

    // A target without classification items gets an empty availability; the host then
    // refuses the value and says so.
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("Neu", "Frei", "", "1"), Ref(2), APINULLGuid), APIERR_BADPROPERTY);
    EXPECT_TRUE(Custom().back()->definition.availability.IsEmpty());
    EXPECT_NE(LogMessages().back().find("(DefineNewProperty::ACAPI_Attribute_SetProperty)"), std::string::npos);

    host().InjectFault("Property.GetPropertyDefinitions", APIERR_GENERAL);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "", "1"), Ref(1), APINULLGuid),
              APIERR_GENERAL);
    EXPECT_NE(LogMessages().back().find("(DefineNewProperty::ACAPI_Property_GetPropertyDefinitions)"),
              std::string::npos);
    // A definition already available for the target is not changed; one that is not is made so.
    host().InjectFault("Property.ChangePropertyDefinition", APIERR_GENERAL);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "", "1"), Ref(1), APINULLGuid),
              NoError);
    for (const sim::PropertyDefinition* d : Custom())
        if (d->definition.name == "Länge")
            const_cast<sim::PropertyDefinition*>(d)->definition.availability.Clear();
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "", "1"), Ref(1), APINULLGuid),
              APIERR_GENERAL);
    EXPECT_NE(LogMessages().back().find("(DefineNewProperty::ACAPI_Property_ChangePropertyDefinition)"),
              std::string::npos);
    host().InjectFault("Element.SetProperty", APIERR_GENERAL);
    EXPECT_EQ(KRV::DefineNewKorvelProperty(Property("VORO Attributes", "Länge", "", "1"), Ref(1), wall),
              APIERR_GENERAL);
    EXPECT_NE(LogMessages().back().find("(DefineNewProperty::ACAPI_Element_SetProperty)"), std::string::npos);
}

TEST_F(PropertiesTest, ResettingAnElementTouchesOnlyTheKorvelGroup)
{
    sim::Commands::HostCommand command; // as during an element event
    KRV::AddArchicadClassificationToElement(wall);
    KRV::DefineNewKorvelProperty(Property("Korvel", "id", "", "42"), Ref(1), wall);
    KRV::DefineNewKorvelProperty(Property("Tab", "Farbe", "", "rot"), Ref(1), wall);
    EXPECT_EQ(sim::inspect::ElementAt(project(), 0).properties.size(), 2u);
    KRV::SetDefaultValuesForKorvelProperties(wall);
    const auto& values = sim::inspect::ElementAt(project(), 0).properties;
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values.begin()->second.text, "rot");

    host().InjectFault("Element.SetProperties", APIERR_GENERAL);
    KRV::SetDefaultValuesForKorvelProperties(wall);
    EXPECT_NE(LogMessages().back().find("(SetDefaultValuesForKorvelProperties::ACAPI_Element_SetProperties)"),
              std::string::npos);
}

TEST_F(PropertiesTest, ReadingPropertiesBackAndTheMaterialsOwnTexts)
{
    KRV::AddArchicadClassificationToAttribute(Ref(1));
    KRV::DefineNewKorvelProperty(Property("Korvel", "id", "", "42"), Ref(1), APINULLGuid);
    KRV::DefineNewKorvelProperty(Property("Tab", "Farbe", "", "rot"), Ref(1), APINULLGuid);
    json read = KRV::ReadProperties(Ref(1)).GetProperties();
    EXPECT_EQ(read, json::parse(R"([{"group":"Korvel","name":"id","type":"","unit":"","value":"42"},
                                    {"group":"Tab","name":"Farbe","type":"","unit":"","value":"rot"}])"));

    sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 1).Material()->description = "Beschreibung";
    sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 1).Material()->manufacturer = "Hersteller";
    GS::UniString description = "mine", manufacturer = "mine";
    EXPECT_EQ(KRV::GetPropertyDefinitionValues(Ref(1), description, manufacturer), NoError);
    EXPECT_EQ(description, "Beschreibung");
    EXPECT_EQ(manufacturer, "Hersteller");

    // A catalogue property of the same name is not the material's own text.
    KRV::DefineNewKorvelProperty(Property("Tab", "Building Material Description", "", "Katalog"), Ref(1), APINULLGuid);
    EXPECT_EQ(KRV::GetPropertyDefinitionValues(Ref(1), description, manufacturer), NoError);
    EXPECT_EQ(description, "Beschreibung");

    // A value the host cannot give leaves the caller's text as it was.
    host().InjectFault("Attribute.GetPropertyValue", APIERR_GENERAL, 1, -1);
    description = "mine";
    EXPECT_EQ(KRV::GetPropertyDefinitionValues(Ref(1), description, manufacturer), APIERR_GENERAL);
    EXPECT_EQ(description, "mine");
}

TEST_F(PropertiesTest, AMaterialWithoutPropertiesIsOnlyClassified)
{
    KRV::KorvelMaterial empty;
    empty.SetName("A");
    empty.WriteProperties();
    const auto& a = sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 1);
    EXPECT_EQ(a.classification.size(), 1u);
    EXPECT_FALSE(a.userData.present);
    EXPECT_TRUE(project().undo.Names().empty());

    // Reading back takes the stored list.
    KRV::KorvelMaterial written = json::parse(R"({"name": "A", "id": 1, "updated_at": 2})").get<KRV::KorvelMaterial>();
    written.WriteProperties();
    KRV::KorvelMaterial reader;
    reader.SetName("A");
    reader.ReadProperties();
    EXPECT_EQ(reader.GetProperties(), written.GetProperties());
    KRV::KorvelMaterial stranger;
    stranger.SetName("B");
    stranger.ReadProperties();
    EXPECT_TRUE(stranger.GetProperties().empty());
}

TEST_F(PropertiesTest, ClassificationFollowsTheUsersChangesToTheItemTree)
{
    API_Guid first = KRV::GetArchicadClassificationItemGuid(KRV::gGenericMaterialClassificationId);
    ASSERT_NE(first, APINULLGuid);
    EXPECT_EQ(KRV::GetArchicadClassificationItemGuid("Korvel"), first);
    EXPECT_EQ(project().classifications.ItemCount(), 1u);

    // The user renames the root item's id: a new root item "Korvel" is made.
    (*sim::inspect::Items(project())[0]).item.id = "Umbenannt";
    API_Guid second = KRV::GetArchicadClassificationItemGuid("Korvel");
    EXPECT_NE(second, first);
    EXPECT_EQ(project().classifications.ItemCount(), 2u);

    // A child with the id "Korvel" under any root item wins.
    const sim::ClassificationItemNode childNode{
        {APIGuidFromString("0A000000-0000-4000-8000-000000000003"), "Korvel", "", ""},
        sim::inspect::Systems(project())[0].guid,
        first};
    project().classifications.AddItem(childNode);
    const sim::ClassificationItem& child = childNode.item;
    EXPECT_EQ(KRV::GetArchicadClassificationItemGuid("Korvel"), child.guid);
    KRV::AddArchicadClassificationToAttribute(Ref(2));
    EXPECT_EQ(sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 2).classification[0].second,
              child.guid);

    // Failing host calls never throw, leave the target unclassified, make no second root
    // item, and say which call failed.
    const std::size_t items = project().classifications.ItemCount();
    host().InjectFault("Classification.GetClassificationSystemRootItems", APIERR_GENERAL, 1, -1);
    EXPECT_EQ(KRV::AddArchicadClassificationToElement(wall), APIERR_GENERAL);
    EXPECT_TRUE(sim::inspect::ElementAt(project(), 0).classification.empty());
    EXPECT_EQ(project().classifications.ItemCount(), items);
    EXPECT_EQ(LogMessages().back(), "Archicad API Error: APIERR_GENERAL - General error code. "
                                    "(AddClassificationItem::ACAPI_Classification_GetClassificationSystemRootItems)");
    host().ClearFaults();
    host().InjectFault("Classification.GetClassificationSystem", APIERR_GENERAL);
    EXPECT_EQ(KRV::GetArchicadClassificationItemGuid("Korvel"), APINULLGuid);
    EXPECT_EQ(project().classifications.SystemCount(), 1u);
}

TEST_F(PropertiesTest, ACompositesPropertiesLiveOnTheElementsBuiltOfIt)
{
    UseProject(json::parse(R"({
        "buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "Andere", "components": [{"buildingMaterial": 1}]},
                       {"name": "AW 01", "components": [{"buildingMaterial": 1}]}],
        "elements": [{"type": "wall", "structure": "composite", "composite": 2},
                     {"type": "wall", "structure": "basic", "composite": 0, "buildingMaterial": 1},
                     {"type": "slab", "structure": "composite", "composite": 1},
                     {"type": "roof", "structure": "composite", "composite": 2}]})"));
    KRV::KorvelComplexMaterial composite(json::parse(R"({"name": "AW 01", "id": 77, "updated_at": 1,
        "tabs": [{"name": "IFC", "attributes": [{"name": "IsExternal", "value": "true"}]}]})"));
    composite.WriteProperties();

    const auto elements = sim::inspect::Elements(project());
    const std::string text = R"([{"group":"Korvel","name":"name","type":"","unit":"","value":"AW 01"},)"
                             R"({"group":"Korvel","name":"id","type":"","unit":"","value":"77"},)"
                             R"({"group":"Korvel","name":"updated_at","type":"","unit":"","value":"1"},)"
                             R"({"group":"IFC - Korvel","name":"IsExternal","type":"","unit":"","value":"true"}])";
    EXPECT_EQ(sim::inspect::AttributeAt(project(), sim::AttrKind::composite, 2).userData.bytes, text + '\0');
    for (std::size_t i : {0u, 3u}) {
        EXPECT_EQ(elements[i]->userData.bytes, text + '\0') << i;
        EXPECT_EQ(elements[i]->classification.size(), 1u) << i;
        EXPECT_EQ(elements[i]->properties.size(), 4u) << i;
    }
    for (std::size_t i : {1u, 2u}) {
        EXPECT_FALSE(elements[i]->userData.present) << i;
        EXPECT_TRUE(elements[i]->properties.empty()) << i;
    }
    EXPECT_TRUE(sim::inspect::AttributeAt(project(), sim::AttrKind::composite, 2).properties.empty());
    std::vector<std::string> expectedSteps;
    for (int element = 0; element < 2; ++element) {
        for (int p = 0; p < 4; ++p)
            expectedSteps.push_back("Create property definition");
        expectedSteps.push_back("Set user data to an elem"); // the stored list after the properties
    }
    EXPECT_EQ(project().undo.Names(), expectedSteps);

    KRV::KorvelComplexMaterial reader;
    reader.SetName("AW 01");
    reader.ReadProperties();
    EXPECT_EQ(reader.GetProperties(), composite.GetProperties());

    // A composite that is not in the project writes nothing anywhere.
    project().undo.Clear();
    KRV::KorvelComplexMaterial(json::parse(R"({"name": "Fehlt", "id": 1, "updated_at": 1})")).WriteProperties();
    EXPECT_TRUE(project().undo.Names().empty());
    EXPECT_FALSE(elements[1]->userData.present);
}

TEST_F(PropertiesTest, AClassificationTreeThatLoopsDoesNotSendTheWalkRound)
{
    // A host that reports the root item among the descendants of its own child.
    API_Guid system = KRV::GetClassificationSystem();
    API_Guid root = KRV::AddClassificationItem(system);
    const sim::ClassificationItemNode childNode{
        {APIGuidFromString("0A000000-0000-4000-8000-000000000004"), "Kind", "", ""}, system, root};
    project().classifications.AddItem(childNode);
    const sim::ClassificationItem& child = childNode.item;
    sim::ClassificationItemNode loop = *project().classifications.FindItem(root);
    loop.parent = child.guid;
    project().classifications.AddItem(loop);

    EXPECT_EQ(KRV::GetArchicadClassificationItemGuid("Kind"), child.guid);
    EXPECT_EQ(KRV::GetArchicadClassificationItemGuid("Korvel"), root);
    KRV::AddArchicadClassificationToAttribute(Ref(1));
    EXPECT_EQ(sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 1).classification[0].second, root);
    // The project still saves, each item once.
    json saved = sim::SaveProject(project());
    EXPECT_EQ(saved["classificationSystems"][0]["items"][0]["children"][0]["id"], "Kind");
    EXPECT_FALSE(saved["classificationSystems"][0]["items"][0]["children"][0].contains("children"));
}
