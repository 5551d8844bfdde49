// Building material imports: attributes, properties, classification, overwrites, failures.
#include "CallIds.hpp"
#include "Inspect.hpp"
#include <ctime>

#include "AddOnTest.hpp"
#include "Host.hpp"
#include "ImportManager.hpp"
#include "Importers.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

json Article(int id = 4120001)
{
    return json::parse(R"({"id": )" + std::to_string(id) + R"(, "updated_at": 1733400000000, "tabs": [
        {"name": "Technische Daten", "attributes": [{"name": "Rohdichte", "value": 650}, {"name": "Lambda", "value": 0.08}]},
        {"name": "Nachhaltigkeit", "attributes": [{"name": "GWP", "value": "112 kg"}]}]})");
}

json Envelope(const std::string& name, json article = Article())
{
    return {{"data", {{"import_type", "Material"}, {"name", name}, {"articles", json::array({article})}}}};
}

const std::string question = "'Ziegel' is already in this project.\nIf you continue, you will replace the existing "
                             "material.\nOr to keep the existing material you can rename it within the Workbay.";

} // namespace

class MaterialImportTest : public AddOnTest {
protected:
    const sim::Attribute* Material(const std::string& name)
    {
        return project().attributes.FindByName(sim::AttrKind::buildingMaterial, name);
    }
    std::string GroupName(const API_Guid& guid)
    {
        for (const auto& g : sim::inspect::Groups(project()))
            if (g.guid == guid)
                return g.name.ToUtf8();
        return "?";
    }
    std::map<std::string, std::string> Values(const sim::Annotations& target)
    {
        std::map<std::string, std::string> values;
        for (const auto& [guid, value] : target.properties) {
            const auto* d = project().properties.Find(guid);
            values[GroupName(d->definition.groupGuid) + "/" + d->definition.name.ToUtf8()] = value.text;
        }
        return values;
    }
    int Count(const std::vector<std::string>& list, const std::string& what)
    {
        return static_cast<int>(std::count(list.begin(), list.end(), what));
    }
};

TEST_F(MaterialImportTest, ANewMaterialIsCreatedClassifiedAndDescribed)
{
    EXPECT_EQ(Import(Envelope("Ziegel")), Status(false));
    EXPECT_TRUE(host().UI().alerts.empty());
    EXPECT_TRUE(LogLines().empty()) << LogLines().front();

    const sim::Attribute* brick = Material("Ziegel");
    ASSERT_NE(brick, nullptr);
    EXPECT_EQ(brick->Material()->connPriority, 17); // the host's element priority for priority 8
    EXPECT_EQ(brick->Material()->description, "Undefined");
    EXPECT_TRUE(brick->Material()->showUncutLines);

    // The Korvel system and its root item, created once and assigned.
    ASSERT_EQ(project().classifications.SystemCount(), 1u);
    const sim::ClassificationSystem system = sim::inspect::Systems(project())[0];
    EXPECT_EQ(system.name, "Korvel");
    EXPECT_EQ(system.source, "Korvel");
    EXPECT_EQ(system.editionVersion, "v 1.0");
    std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    EXPECT_EQ(system.editionDate.year, today.tm_year + 1900);
    EXPECT_EQ(system.editionDate.month, today.tm_mon + 1);
    EXPECT_EQ(system.editionDate.day, today.tm_mday);
    ASSERT_EQ(project().classifications.ItemCount(), 1u);
    const auto& root = (*sim::inspect::Items(project())[0]);
    EXPECT_EQ(root.item.id, "Korvel");
    EXPECT_EQ(root.parent, APINULLGuid);
    ASSERT_EQ(brick->classification.size(), 1u);
    EXPECT_EQ(brick->classification[0].second, root.item.guid);

    // A group per tab (and "Korvel"), a definition per property, the values written.
    std::vector<std::string> groups;
    for (const auto& g : sim::inspect::Groups(project()))
        if (g.groupType == API_PropertyCustomGroupType)
            groups.push_back(g.name.ToUtf8());
    EXPECT_EQ(groups, (std::vector<std::string>{"Korvel", "Technische Daten", "Nachhaltigkeit"}));
    int custom = 0;
    for (const auto* d : sim::inspect::Definitions(project())) {
        ++custom;
        EXPECT_EQ(d->definition.measureType, API_PropertyDefaultMeasureType);
        EXPECT_EQ(d->definition.description, "Property description.");
        EXPECT_FALSE(d->definition.canValueBeEditable);
        EXPECT_EQ(d->definition.availability, GS::Array<API_Guid>{root.item.guid});
    }
    EXPECT_EQ(custom, 6);
    EXPECT_EQ(Values(*brick), (std::map<std::string, std::string>{{"Korvel/name", "Ziegel"},
                                                                  {"Korvel/id", "4120001"},
                                                                  {"Korvel/updated_at", "1733400000000"},
                                                                  {"Technische Daten/Rohdichte", "650"},
                                                                  {"Technische Daten/Lambda", "0.08"},
                                                                  {"Nachhaltigkeit/GWP", "112 kg"}}));

    // The property list as user data, byte for byte.
    ASSERT_TRUE(brick->userData.present);
    EXPECT_EQ(brick->userData.version, 0);
    EXPECT_EQ(brick->userData.platformSign, 0x6D6D);
    EXPECT_EQ(brick->userData.bytes,
              std::string(R"([{"group":"Korvel","name":"name","type":"","unit":"","value":"Ziegel"},)"
                          R"({"group":"Korvel","name":"id","type":"","unit":"","value":"4120001"},)"
                          R"({"group":"Korvel","name":"updated_at","type":"","unit":"","value":"1733400000000"},)"
                          R"({"group":"Technische Daten","name":"Rohdichte","type":"","unit":"","value":"650"},)"
                          R"({"group":"Technische Daten","name":"Lambda","type":"","unit":"","value":"0.08"},)"
                          R"({"group":"Nachhaltigkeit","name":"GWP","type":"","unit":"","value":"112 kg"}])") +
                  std::string(1, '\0'));
    EXPECT_EQ(project().undo.Names(), std::vector<std::string>(6, "Create material property"));
    EXPECT_EQ(host().LiveHandles(), 0);

    // A second material creates neither a second system nor a second root item.
    EXPECT_EQ(Import(Envelope("Kalkstein", Article(7))), Status(false));
    EXPECT_EQ(project().classifications.SystemCount(), 1u);
    EXPECT_EQ(project().classifications.ItemCount(), 1u);
    EXPECT_EQ(Material("Kalkstein")->classification[0].second, root.item.guid);
    // Same names in the same groups reuse the definitions.
    EXPECT_EQ(sim::inspect::Definitions(project()).size(), 6u);
}

TEST_F(MaterialImportTest, ImportingAgainAsksAndRejectLeavesTheProjectAlone)
{
    ASSERT_EQ(Import(Envelope("Ziegel"))["IsError"], false);
    sim::Attribute* brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    brick->Material()->cutFill = 12;
    brick->Material()->cutFillPen = 5;
    brick->Material()->cutFillBackgroundPen = 6;
    brick->Material()->cutMaterial = 9;
    brick->Material()->cutFillOrientation = 1;
    brick->Material()->connPriority = 3;
    brick->Material()->description = "Hochlochziegel";
    brick->Material()->manufacturer = "Wienerberger";
    json before = sim::SaveProject(project());

    host().UI().alertAnswers.push_back(2);
    EXPECT_EQ(Import(Envelope("Ziegel", Article(99))), Status(true));
    ASSERT_EQ(host().UI().alerts.size(), 1u);
    const auto& alert = host().UI().alerts[0];
    EXPECT_EQ(alert.kind, "warning");
    EXPECT_EQ(alert.largeText, "");
    EXPECT_EQ(alert.smallText, question);
    EXPECT_EQ(alert.buttons, (std::vector<std::string>{"Continue", "Reject"}));
    EXPECT_EQ(sim::SaveProject(project()), before);

    host().UI().alertAnswers.push_back(1);
    EXPECT_EQ(Import(Envelope("Ziegel", Article(99))), Status(false));
    brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    EXPECT_EQ(static_cast<std::size_t>(project().attributes.Count(sim::AttrKind::buildingMaterial)), 1u);
    EXPECT_EQ(brick->Material()->cutFill, 12);
    EXPECT_EQ(brick->Material()->cutFillPen, 5);
    EXPECT_EQ(brick->Material()->cutFillBackgroundPen, 6);
    EXPECT_EQ(brick->Material()->cutMaterial, 9);
    EXPECT_EQ(brick->Material()->cutFillOrientation, 1);
    EXPECT_EQ(brick->Material()->connPriority, 3);
    EXPECT_EQ(brick->Material()->description, "Hochlochziegel");
    EXPECT_EQ(brick->Material()->manufacturer, "Wienerberger");
    EXPECT_NE(brick->userData.bytes.find(R"("name":"id","type":"","unit":"","value":"99")"), std::string::npos);
}

TEST_F(MaterialImportTest, ImporterStatusAndSilentOverrides)
{
    auto importers = KRV::ImportManager().GetImporters(GS::UniString(Envelope("Ziegel").dump()));
    ASSERT_EQ(importers.size(), 1u);
    EXPECT_TRUE(importers[0]->Import());
    EXPECT_EQ(importers[0]->GetStatus(), "imported");
    EXPECT_FALSE(importers[0]->Import()); // the item was consumed

    // Declined: the status stays undefined.
    host().UI().alertAnswers.push_back(2);
    auto declined = KRV::ImportManager().GetImporters(GS::UniString(Envelope("Ziegel").dump()));
    EXPECT_FALSE(declined[0]->Import());
    EXPECT_EQ(declined[0]->GetStatus(), "undefined");

    // In bulk (as for a layer) the material is overwritten without a question.
    auto bulk = KRV::ImportManager().GetImporters(GS::UniString(Envelope("Ziegel").dump()));
    bulk[0]->SetBulk(true);
    EXPECT_TRUE(bulk[0]->Import());
    EXPECT_EQ(bulk[0]->GetStatus(), "overwritten");
    EXPECT_EQ(host().UI().alerts.size(), 1u);

    // Import(data) imports the held item and ignores the data.
    json heldArticle = Article();
    heldArticle["name"] = "Held";
    KRV::MaterialImporter held(heldArticle);
    host().UI().alertAnswers.push_back(1);
    EXPECT_TRUE(held.Import(json{{"name", "Other"}, {"id", 1}, {"updated_at", 1}}));
    EXPECT_NE(project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Held"), nullptr);
    EXPECT_EQ(project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Other"), nullptr);
}

TEST_F(MaterialImportTest, ThreeArticlesAreThreeImportsAndAllMustSucceed)
{
    json envelope = {
        {"data", {{"import_type", "Material"}, {"name", "Beton"}, {"articles", {Article(1), Article(2), Article(3)}}}}};
    // Every article carries the request's name: the first creates, the others ask.
    host().UI().alertAnswers = {1, 2};
    EXPECT_EQ(Import(envelope), Status(true));
    EXPECT_EQ(host().UI().alerts.size(), 2u);
    const sim::Attribute* concrete = Material("Beton");
    ASSERT_NE(concrete, nullptr);
    EXPECT_NE(concrete->userData.bytes.find(R"("value":"2")"), std::string::npos);
}

TEST_F(MaterialImportTest, LongNonAsciiNamesAreCutAtACharacterBoundary)
{
    std::string name;
    for (int i = 0; i < 130; ++i)
        name += "ä"; // 260 bytes
    EXPECT_EQ(Import(Envelope(name))["IsError"], false);
    ASSERT_EQ(project().attributes.Count(sim::AttrKind::buildingMaterial), 1);
    const auto& material = sim::inspect::AttributeAt(project(), sim::AttrKind::buildingMaterial, 1);
    EXPECT_EQ(material.name.size(), 254u);
    EXPECT_EQ(material.name, name.substr(0, 254));
    // The project's JSON can be built from the cut name.
    EXPECT_NO_THROW(sim::SaveProject(project()).dump());
}

TEST_F(MaterialImportTest, ALayerReplacementPutsTheMaterialIntoTheComposite)
{
    UseProject(json::parse(R"({
        "buildingMaterials": [{"name": "Putz"}, {"name": "Dämmung"}],
        "composites": [{"name": "AW", "flags": 1, "components": [
            {"buildingMaterial": 1, "fillThick": 0.02}, {"buildingMaterial": 2, "fillThick": 0.2}, {"buildingMaterial": 1, "fillThick": 0.01}]}]})"));
    json article = Article();
    article["system_internal_id"] = "1";
    article["layer_index"] = "2";
    article["internal_layer_index"] = 1;
    EXPECT_EQ(Import(Envelope("Holzfaser", article))["IsError"], false);
    const auto& composite = sim::inspect::AttributeAt(project(), sim::AttrKind::composite, 1);
    EXPECT_EQ(composite.Composite()->components[1].buildingMaterial, 3);
    EXPECT_EQ(composite.Composite()->components[0].buildingMaterial, 1);
    EXPECT_EQ(composite.Composite()->components[2].buildingMaterial, 1);
    EXPECT_EQ(composite.Composite()->components[1].fillThick, 0.2);
    // The properties are written a second time after the replacement.
    EXPECT_EQ(Count(project().undo.Names(), "Create material property"), 12);
    EXPECT_EQ(host().LiveHandles(), 0);

    // A layer the composite does not have: the material is imported, the page told that the
    // replacement it asked for was not made.
    article["internal_layer_index"] = 7;
    json before = sim::SaveProject(project())["composites"];
    EXPECT_EQ(Import(Envelope("Kork", article))["IsError"], true);
    EXPECT_EQ(sim::SaveProject(project())["composites"], before);
    EXPECT_EQ(LogMessages().back(), "Material::ReplaceMaterial: the composite has no layer 7; it is left as it was.");
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(MaterialImportTest, HostFailuresAreLoggedWithTheirContexts)
{
    host().InjectFault("Attribute.Create", APIERR_MEMFULL);
    EXPECT_EQ(Import(Envelope("Ziegel"))["IsError"], true);
    EXPECT_EQ(LogMessages().back(),
              "Archicad API Error: APIERR_MEMFULL - Insufficient memory. (ACLink::CreateMaterial)");
    EXPECT_EQ(Material("Ziegel"), nullptr);

    ASSERT_EQ(Import(Envelope("Ziegel"))["IsError"], false);
    host().InjectFault("Attribute.Modify", APIERR_READONLY);
    host().UI().alertAnswers.push_back(1);
    EXPECT_EQ(Import(Envelope("Ziegel"))["IsError"], true);
    EXPECT_NE(LogMessages().back().find("(ACLink::ModifyMaterial)"), std::string::npos);

    // Failures while writing properties are logged and fail the import: the page is told.
    struct Case {
        const char* function;
        const char* context;
    };
    for (Case c : {Case{"Attribute.SetUserData", "KRV::AddUserData(API_Attribute attr, std::string data) - "},
                   Case{"Property.GetPropertyGroups", "GetKorvelPropertyGroup::"},
                   Case{"Property.CreatePropertyGroup", "GetKorvelPropertyGroup::"},
                   Case{"Property.CreatePropertyDefinition", "DefineNewProperty::"},
                   Case{"Attribute.SetProperty", "DefineNewProperty::"}}) {
        host().Reset();
        std::filesystem::remove(work() / "log.txt");
        ASSERT_TRUE(Load().loaded);
        OpenBrowserPalette();
        host().InjectFault(c.function, APIERR_GENERAL);
        EXPECT_EQ(Import(Envelope("Neu"))["IsError"], true) << c.function;
        bool found = false;
        for (const auto& m : LogMessages())
            found = found || m == std::string("Archicad API Error: APIERR_GENERAL - General error code. (") +
                                      c.context + sim::FunctionOf(c.function) + ")";
        EXPECT_TRUE(found) << c.function;
        EXPECT_EQ(host().LiveHandles(), 0);
    }
    EXPECT_TRUE(host().GetEscapedExceptions().empty());
}

TEST_F(MaterialImportTest, AnOverwriteKeepsTheUsersTextsAndPhysicalValues)
{
    ASSERT_EQ(Import(Envelope("Ziegel"))["IsError"], false);
    sim::Attribute* brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
    brick->Material()->description = "Hochlochziegel";
    brick->Material()->manufacturer = "Wienerberger";
    brick->Material()->thermalConductivity = 0.08;
    brick->Material()->density = 650;
    brick->Material()->heatCapacity = 1000;
    brick->Material()->showUncutLines = false;

    // The data sheet defines properties named like the material's own texts.
    json article = Article(5);
    article["tabs"][0]["attributes"].push_back({{"name", "Building Material Description"}, {"value", "Katalog"}});
    article["tabs"][0]["attributes"].push_back({{"name", "Building Material Manufacturer"}, {"value", "Katalog"}});
    for (int round = 0; round < 3; ++round) {
        host().UI().alertAnswers.push_back(1);
        ASSERT_EQ(Import(Envelope("Ziegel", article))["IsError"], false) << round;
        brick = project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Ziegel");
        EXPECT_EQ(brick->Material()->description, "Hochlochziegel") << round;
        EXPECT_EQ(brick->Material()->manufacturer, "Wienerberger") << round;
        EXPECT_EQ(brick->Material()->thermalConductivity, 0.08) << round;
        EXPECT_EQ(brick->Material()->density, 650) << round;
        EXPECT_EQ(brick->Material()->heatCapacity, 1000) << round;
        EXPECT_FALSE(brick->Material()->showUncutLines) << round;
    }
    EXPECT_EQ(Values(*brick)["Technische Daten/Building Material Description"], "Katalog");

    // A new material still takes the catalogue item's values.
    ASSERT_EQ(Import(Envelope("Kalk", Article(6)))["IsError"], false);
    const sim::Attribute* lime = Material("Kalk");
    EXPECT_EQ(lime->Material()->thermalConductivity, 0);
    EXPECT_TRUE(lime->Material()->showUncutLines);
    EXPECT_EQ(lime->Material()->description, "Undefined");
}

TEST_F(MaterialImportTest, NumbersThatDoNotFitAnIntegerFailTheRequest)
{
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "AW", "flags": 1, "components": [{"buildingMaterial": 1, "fillThick": 0.02}]}]})"));
    json before = sim::SaveProject(project());
    json stamp = Article();
    stamp["updated_at"] = 1e300;
    EXPECT_EQ(Import(Envelope("Ziegel", stamp)), Status(true));
    ASSERT_FALSE(LogMessages().empty());
    EXPECT_NE(LogMessages().back().find("out of range"), std::string::npos) << LogMessages().back();

    json layer = Article();
    layer["system_internal_id"] = "1";
    layer["layer_index"] = "0";
    for (json index : {json(-1e300), json(4294967296.0), json(9223372036854775807), json("0"), json(true)}) {
        layer["internal_layer_index"] = index;
        EXPECT_EQ(Import(Envelope("Ziegel", layer))["IsError"], true) << index;
    }
    EXPECT_EQ(sim::SaveProject(project()), before);

    // Numbers that fit keep working, a whole float included.
    stamp["updated_at"] = 1733400000000.0;
    EXPECT_EQ(Import(Envelope("Ziegel", stamp))["IsError"], false);
    layer["internal_layer_index"] = 0.0;
    EXPECT_EQ(Import(Envelope("Kork", layer))["IsError"], false);
    EXPECT_EQ(
        sim::inspect::AttributeAt(project(), sim::AttrKind::composite, 1).Composite()->components[0].buildingMaterial,
        3);
}

TEST_F(MaterialImportTest, APropertyTheProjectRefusesCostsOnlyItselfNotTheStoredList)
{
    json article = Article();
    article["tabs"].push_back({{"name", ""}, {"attributes", {{{"name", "Ohne Tab"}, {"value", "1"}}}}});
    article["tabs"][0]["attributes"].push_back({{"name", ""}, {"value", "ohne Namen"}});
    EXPECT_EQ(Import(Envelope("Ziegel", article)), failed); // told: part of the data is not in the project
    const sim::Attribute* material = Material("Ziegel");
    ASSERT_NE(material, nullptr);
    // The others are written, and the stored list whole, so it stays a catalogue item.
    const auto values = Values(*material);
    EXPECT_EQ(values.at("Technische Daten/Rohdichte"), "650");
    EXPECT_EQ(values.at("Nachhaltigkeit/GWP"), "112 kg");
    const json stored = json::parse(material->userData.bytes.c_str());
    EXPECT_EQ(stored.size(), values.size() + 2) << stored.dump();
    EXPECT_TRUE(LogHas("KorvelMaterial::WriteProperties: the project refuses the property \"/Ohne Tab\" of the "
                       "material Ziegel; its other properties are written."));
    EXPECT_TRUE(LogHas("KorvelMaterial::WriteProperties: the project refuses the property \"Technische Daten/\" of "
                       "the material Ziegel; its other properties are written."));
    const json outdated = ReplyJson(
        CallWithText("updateStatus", R"({"materials_and_products":[{"id":"4120001","update_at":1800000000000}]})"));
    EXPECT_EQ(outdated, json({"4120001"}));
}
