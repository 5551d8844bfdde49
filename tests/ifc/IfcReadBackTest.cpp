// The stand-alone host's IFC file, read back by an independent reader (IFC++): the spatial
// structure, one product per element with its GlobalId and name, materials and properties.
#include <codecvt>
#include <locale>

#include <ifcpp/IFC4/include/IfcBuildingStorey.h>
#include <ifcpp/IFC4/include/IfcElement.h>
#include <ifcpp/IFC4/include/IfcGloballyUniqueId.h>
#include <ifcpp/IFC4/include/IfcIdentifier.h>
#include <ifcpp/IFC4/include/IfcLabel.h>
#include <ifcpp/IFC4/include/IfcMaterial.h>
#include <ifcpp/IFC4/include/IfcMaterialLayer.h>
#include <ifcpp/IFC4/include/IfcMaterialLayerSet.h>
#include <ifcpp/IFC4/include/IfcProduct.h>
#include <ifcpp/IFC4/include/IfcProject.h>
#include <ifcpp/IFC4/include/IfcPropertySet.h>
#include <ifcpp/IFC4/include/IfcPropertySingleValue.h>
#include <ifcpp/IFC4/include/IfcRelAssociatesMaterial.h>
#include <ifcpp/IFC4/include/IfcRelDefinesByProperties.h>
#include <ifcpp/model/BuildingModel.h>
#include <ifcpp/reader/ReaderSTEP.h>

#include "AddOnTest.hpp"
#include "ElementActions.hpp"
#include "Host.hpp"
#include "Inspect.hpp"
#include "LoopbackServer.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::wstring_convert<std::codecvt_utf8<wchar_t>>().to_bytes(text);
}

std::string Label(const shared_ptr<IfcLabel>& label)
{
    return label != nullptr ? Narrow(label->m_value) : std::string("<none>");
}

} // namespace

class IfcReadBackTest : public AddOnTest {};

TEST_F(IfcReadBackTest, EveryElementIsAProductWithItsIdNameMaterialsAndProperties)
{
    std::ifstream file(std::filesystem::path(KORVEL_EXAMPLES_DIR) / "projects" / "every-type.json");
    UseProject(json::parse(file));
    host().FixTime("2026-01-01T00:00:00");
    std::filesystem::create_directories(work() / "served");
    korvel_loopback::LoopbackServer server(work() / "served");
    GS::Ref<DG::JSArray> args(new DG::JSArray());
    args->AddItem(JsText(server.Url() + "/ifc"));
    args->AddItem(JsText(R"({"a":"t","b":"c","c":"multipart/form-data"})"));
    ASSERT_EQ(ReplyJson(Call("export", args)), Status(false));
    std::string text = ReadFile(work() / "Application Data" / "Korvel IFC" / "Haus mit allem.ifc");
    ASSERT_FALSE(text.empty());
    // The same project gives the same file.
    ASSERT_EQ(ReplyJson(Call("export", args)), Status(false));
    EXPECT_EQ(ReadFile(work() / "Application Data" / "Korvel IFC" / "Haus mit allem.ifc"), text);

    auto model = std::make_shared<BuildingModel>();
    ReaderSTEP reader;
    reader.loadModelFromString(text, model);
    ASSERT_NE(model->getIfcProject(), nullptr);
    EXPECT_EQ(Label(model->getIfcProject()->m_Name), "Haus mit allem");

    std::map<std::string, int> classes;
    std::map<std::string, std::string> nameById;
    std::set<std::string> materials;
    std::map<std::string, std::string> properties; // "product id/set/property" -> value
    for (const auto& [id, entity] : model->getMapIfcEntities()) {
        ++classes[entity->className()];
        if (auto element = std::dynamic_pointer_cast<IfcElement>(entity); element != nullptr)
            nameById[Narrow(element->m_GlobalId->m_value)] = Label(element->m_Name);
        if (auto material = std::dynamic_pointer_cast<IfcMaterial>(entity))
            materials.insert(Label(material->m_Name));
        if (auto defines = std::dynamic_pointer_cast<IfcRelDefinesByProperties>(entity)) {
            auto set = std::dynamic_pointer_cast<IfcPropertySet>(defines->m_RelatingPropertyDefinition);
            ASSERT_NE(set, nullptr);
            for (const auto& related : defines->m_RelatedObjects)
                for (const auto& property : set->m_HasProperties) {
                    auto single = std::dynamic_pointer_cast<IfcPropertySingleValue>(property);
                    ASSERT_NE(single, nullptr);
                    auto value = std::dynamic_pointer_cast<IfcLabel>(single->m_NominalValue);
                    properties[Narrow(std::dynamic_pointer_cast<IfcRoot>(related)->m_GlobalId->m_value) + "/" +
                               Label(set->m_Name) + "/" + Narrow(single->m_Name->m_value)] = Label(value);
                }
        }
    }
    for (const char* structure : {"IfcProject", "IfcSite", "IfcBuilding", "IfcBuildingStorey"})
        EXPECT_EQ(classes[structure], 1) << structure;
    EXPECT_EQ(classes["IfcWall"], 4);
    EXPECT_EQ(classes["IfcSlab"], 3);
    EXPECT_EQ(classes["IfcRoof"], 2);
    EXPECT_EQ(classes["IfcColumn"], 2);
    EXPECT_EQ(classes["IfcBeam"], 1);
    EXPECT_EQ(classes["IfcWindow"], 2);
    EXPECT_EQ(classes["IfcDoor"], 1);
    EXPECT_EQ(classes["IfcFurnishingElement"], 4);
    EXPECT_EQ(classes["IfcCurtainWall"], 3);
    EXPECT_EQ(classes["IfcStair"], 2);
    EXPECT_EQ(nameById.size(), 24u); // one product per element, each with its own GlobalId
    EXPECT_EQ(nameById["3W0000001008000000000M"], "Pfosten-Riegel"); // E0000000-0000-4000-8000-000000000016
    EXPECT_EQ(materials, (std::set<std::string>{"Ziegel", "Putz", "Stahl S235", "beton"})) << materials.size();
    EXPECT_EQ(classes["IfcMaterialLayerSet"], 1);
    EXPECT_EQ(classes["IfcMaterialLayer"], 3);
    EXPECT_EQ(classes["IfcRelAssociatesMaterial"], 4); // the layer set, Ziegel, beton, Stahl
    EXPECT_TRUE(properties.empty()) << "no element of the example carries catalogue properties yet";
}

TEST_F(IfcReadBackTest, CatalogueDataOnAnElementBecomesItsPropertySet)
{
    UseProject(json::parse(R"({"name": "Büro", "buildingMaterials": [{"name": "Ziegel"}],
        "elements": [{"type": "wall", "guid": "00000000-0000-0000-0000-000000000001", "structure": "basic",
                      "buildingMaterial": 1, "ifcAttributes": [{"name": "Name", "value": "Wand Süd/1"}]},
                     {"type": "object", "guid": "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF"}]})"));
    ASSERT_EQ(Import(json::parse(R"({"data": {"import_type": "Material", "name": "Ziegel",
        "articles": [{"id": 7, "updated_at": 1, "tabs": [{"name": "Technik", "attributes": [{"name": "λ", "value": "0,08"}]}]}]}})")),
              Status(false));
    // The user changes the wall: it takes its material's catalogue data.
    sim::Element& wall = sim::inspect::ElementAt(project(), 0);
    wall.observed = true;
    sim::user::NotifyElement(wall.guid, APINotifyElement_Change);
    ASSERT_FALSE(wall.properties.empty());
    host().FixTime("2026-01-01T00:00:00");
    std::filesystem::create_directories(work() / "served");
    korvel_loopback::LoopbackServer server(work() / "served");
    GS::Ref<DG::JSArray> args(new DG::JSArray());
    args->AddItem(JsText(server.Url() + "/ifc"));
    args->AddItem(JsText(R"({"a":"t","b":"c","c":"m"})"));
    ASSERT_EQ(ReplyJson(Call("export", args)), Status(false));
    std::string text = ReadFile(work() / "Application Data" / "Korvel IFC" / "Büro.ifc");
    auto model = std::make_shared<BuildingModel>();
    ReaderSTEP reader;
    reader.loadModelFromString(text, model);
    std::map<std::string, std::string> values;
    std::map<std::string, std::string> names;
    for (const auto& [id, entity] : model->getMapIfcEntities()) {
        if (auto single = std::dynamic_pointer_cast<IfcPropertySingleValue>(entity))
            values[Narrow(single->m_Name->m_value)] =
                Label(std::dynamic_pointer_cast<IfcLabel>(single->m_NominalValue));
        if (auto element = std::dynamic_pointer_cast<IfcElement>(entity))
            names[Narrow(element->m_GlobalId->m_value)] = Label(element->m_Name);
    }
    // GlobalIds in IFC's own 22-character form of the guid.
    EXPECT_EQ(names, (std::map<std::string, std::string>{{"0000000000000000000001", "Wand Süd/1"},
                                                         {"3$$$$$$$$$$$$$$$$$$$$$", "<none>"}}));
    EXPECT_EQ(values["λ"], "0,08");
    EXPECT_EQ(values["id"], "7");
}
