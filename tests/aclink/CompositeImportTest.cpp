// Composite imports: layers, their materials, replacement on the elements, failures.
#include <cmath>

#include "ACLink.hpp"
#include "AddOnTest.hpp"
#include "Host.hpp"
#include "ImportManager.hpp"
#include "Inspect.hpp"
#include "KorvelComplexMaterial.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

json Article(const std::string& name, int id, bool withTab = true)
{
    json article = {{"name", name}, {"id", id}, {"updated_at", 1733400000000}};
    if (withTab)
        article["tabs"] = {{{"name", "Technische Daten"}, {"attributes", {{{"name", "Rohdichte"}, {"value", id}}}}}};
    return article;
}

// A composite whose layers are the given materials, each 10 cm, the first and last a finish.
json Composite(const std::string& name, const std::vector<json>& articles, const std::string& type = "Wall")
{
    json layers = json::array();
    for (std::size_t i = 0; i < articles.size(); ++i)
        layers.push_back({{"layer_type", i == 1 ? "Core" : "Finish"}, {"thickness", 10}});
    return {{"data",
             {{"import_type", "system"},
              {"id", 9100},
              {"name", name},
              {"system_type", type},
              {"updated_at", 1},
              {"tabs", {{{"name", "Bauphysik"}, {"attributes", {{{"name", "U-Wert"}, {"value", "0.18"}}}}}}},
              {"materials", {{{"articles", articles}}}},
              {"layers", layers}}}};
}

} // namespace

class CompositeImportTest : public AddOnTest {
protected:
    sim::Attribute* Composite(const std::string& name)
    {
        return project().attributes.FindByName(sim::AttrKind::composite, name);
    }
    sim::Attribute* Material(const std::string& name)
    {
        return project().attributes.FindByName(sim::AttrKind::buildingMaterial, name);
    }
    int Count(const std::string& step)
    {
        int n = 0;
        for (const auto& s : project().undo.Names())
            n += s == step;
        return n;
    }
};

TEST_F(CompositeImportTest, LayersBecomeMaterialsAndComponentsWithOneQuestionPerExistingMaterial)
{
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz", "cutFill": 4, "description": "Kalkputz"}]})"));
    json request = ::Composite(
        "AW 36", {Article("Putz", 1), Article("Holzfaser", 2), Article("Ziegel", 3, false), Article("Putz", 1, false)});
    auto importers = KRV::ImportManager().GetImporters(GS::UniString(request.dump()));
    ASSERT_EQ(importers.size(), 1u);
    host().UI().alertAnswers.push_back(1);
    EXPECT_TRUE(importers[0]->Import());
    EXPECT_EQ(importers[0]->GetStatus(), "imported");

    // One question, for the material of the project, asked once for its two layers.
    ASSERT_EQ(host().UI().alerts.size(), 1u);
    EXPECT_EQ(host().UI().alerts[0].smallText.substr(0, 30), "'Putz' is already in this proj");
    const sim::Attribute* composite = Composite("AW 36");
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->flags, APICWall_ForWall);
    ASSERT_EQ(composite->Composite()->components.size(), 4u);
    EXPECT_EQ(composite->Composite()->lines.size(), 5u);
    const std::vector<int> expected = {1, Material("Holzfaser")->index, Material("Ziegel")->index, 1};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(composite->Composite()->components[i].buildingMaterial, expected[i]) << i;
        EXPECT_DOUBLE_EQ(composite->Composite()->components[i].fillThick, 0.1) << i;
        EXPECT_EQ(composite->Composite()->components[i].flagBits, i == 1 ? 2 : 32) << i;
    }
    for (const auto& line : composite->Composite()->lines) {
        EXPECT_EQ(line.ltypeInd, 1);
        EXPECT_EQ(line.linePen, 1);
    }
    // The existing material kept its graphic settings and texts; the catalogue data is its.
    EXPECT_EQ(Material("Putz")->Material()->cutFill, 4);
    EXPECT_EQ(Material("Putz")->Material()->description, "Kalkputz");
    EXPECT_NE(Material("Putz")->userData.bytes.find(R"("value":"1")"), std::string::npos);
    EXPECT_NE(composite->userData.bytes.find(R"("name":"U-Wert")"), std::string::npos);
    EXPECT_EQ(composite->classification.size(), 0u); // composites carry their data as user data
    // One undo step per property written: 4 + 4 + 3 + 3 for the four layer materials.
    EXPECT_EQ(Count("Create material property"), 14);
    EXPECT_EQ(project().undo.Names().size(), 14u);
    EXPECT_EQ(host().LiveHandles(), 0);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CompositeImportTest, RejectingWritesNothingAndAnOverwriteKeepsTheProjectsLinesAndPens)
{
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "AW", "flags": 1,
            "components": [{"buildingMaterial": 1, "fillThick": 0.3, "framePen": 7, "flagBits": 1},
                           {"buildingMaterial": 1, "fillThick": 0.2, "framePen": 8, "flagBits": 0}],
            "lines": [{"ltypeInd": 3, "linePen": 4}, {"ltypeInd": 5, "linePen": 6}, {"ltypeInd": 7, "linePen": 8}]}]})"));
    const json request = ::Composite("AW", {Article("Neu", 1), Article("Neu2", 2), Article("Neu3", 3)});
    const json before = sim::SaveProject(project());
    host().UI().alertAnswers.push_back(2);
    EXPECT_EQ(Import(request), failed);
    EXPECT_EQ(host().UI().alerts.size(), 1u);
    EXPECT_EQ(sim::SaveProject(project()), before); // not even the layer materials

    host().UI().alertAnswers.push_back(1);
    EXPECT_EQ(Import(request), ok);
    const sim::Attribute* composite = Composite("AW");
    EXPECT_EQ(project().attributes.Count(sim::AttrKind::composite), 1);
    ASSERT_EQ(composite->Composite()->components.size(), 3u);
    ASSERT_EQ(composite->Composite()->lines.size(), 4u);
    EXPECT_EQ(composite->Composite()->components[0].framePen, 7);
    EXPECT_EQ(composite->Composite()->components[0].flagBits, 1);
    EXPECT_EQ(composite->Composite()->components[1].framePen, 8);
    EXPECT_EQ(composite->Composite()->components[1].flagBits, 0);
    EXPECT_EQ(composite->Composite()->components[2].framePen, 0); // from the catalogue
    EXPECT_EQ(composite->Composite()->components[2].flagBits, 32);
    EXPECT_EQ(composite->Composite()->components[0].buildingMaterial, Material("Neu")->index);
    EXPECT_DOUBLE_EQ(composite->Composite()->components[0].fillThick, 0.1);
    EXPECT_EQ(composite->Composite()->lines[0].ltypeInd, 3);
    EXPECT_EQ(composite->Composite()->lines[1].linePen, 6);
    // Lines follow the components: line 2 was the old composite's outer line, and the new
    // composite's line 2 lies between its own components 1 and 2, so it is the catalogue's.
    EXPECT_EQ(composite->Composite()->lines[2].ltypeInd, composite->Composite()->lines[3].ltypeInd);
    EXPECT_EQ(composite->Composite()->lines[2].linePen, composite->Composite()->lines[3].linePen);
    EXPECT_EQ(composite->Composite()->lines[3].ltypeInd, 1); // beyond the project's composite
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(CompositeImportTest, AReplacementGivesTheWallsTheNewCompositeAndLeavesKindsItMayNotBeUsedFor)
{
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "Alt", "flags": 7, "components": [{"buildingMaterial": 1, "fillThick": 0.3}]}],
        "elements": [
            {"type": "wall", "guid": "10000000-0000-4000-8000-000000000001", "structure": "composite", "composite": 1},
            {"type": "slab", "guid": "10000000-0000-4000-8000-000000000002", "structure": "composite", "composite": 1},
            {"type": "roof", "guid": "10000000-0000-4000-8000-000000000003", "structure": "composite", "composite": 1},
            {"type": "wall", "guid": "10000000-0000-4000-8000-000000000004", "structure": "basic", "buildingMaterial": 1},
            {"type": "wall", "guid": "10000000-0000-4000-8000-000000000005", "structure": "composite", "composite": 1}]})"));
    json request = ::Composite("Neu", {Article("Lehm", 1)});
    request["data"]["replace_id"] = "1";
    // The host refuses two of the elements: the page is told, and the others still change.
    EXPECT_EQ(ReplyJson(CallWithText("replaceSystem", request.dump())), Status(true, false));
    const auto elements = sim::inspect::Elements(project());
    for (std::size_t i : {0u, 4u}) {
        EXPECT_EQ(elements[i]->Shell()->structure.composite, 2) << i;
        EXPECT_EQ(elements[i]->classification.size(), 1u) << i;
        EXPECT_EQ(elements[i]->userData.bytes, Composite("Neu")->userData.bytes) << i;
        EXPECT_EQ(elements[i]->properties.size(), 4u) << i;
    }
    // The new composite may only be used for walls: the slab and the roof keep the old one.
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(elements[i]->Shell()->structure.composite, 1) << i;
        EXPECT_TRUE(elements[i]->properties.empty()) << i;
        EXPECT_FALSE(elements[i]->userData.present) << i;
    }
    EXPECT_EQ(elements[3]->Shell()->structure.buildingMaterial, 1);
    EXPECT_TRUE(elements[3]->properties.empty());
    int refused = 0;
    for (const auto& m : LogMessages())
        refused += m == "Archicad API Error: APIERR_BADPARS - The passed parameters are inconsistent. "
                        "(ACLink::CreateComplexMaterial - ACAPI_Element_Change)";
    EXPECT_EQ(refused, 2) << (LogMessages().empty() ? "" : LogMessages().back());
    EXPECT_EQ(Count("Replace construction system"), 4);
    EXPECT_EQ(Count("Set user data to an elem"), 2);
    EXPECT_EQ(Count("Create group properties"), 8);
}

TEST_F(CompositeImportTest, ReplacementsThatCannotBeMadeAreRefusedWithAReason)
{
    const json project = json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "Alt", "flags": 1, "components": [{"buildingMaterial": 1, "fillThick": 0.3}]}],
        "elements": [{"type": "wall", "structure": "basic", "buildingMaterial": 1},
                     {"type": "wall", "structure": "composite", "composite": 1}]})");
    for (const char* id : {"0", "99"}) {
        UseProject(project);
        json request = ::Composite("Neu", {Article("Lehm", 1)});
        request["data"]["replace_id"] = id;
        // The composite itself is written, but the replacement asked for is not made.
        EXPECT_EQ(Import(request), failed) << id;
        EXPECT_EQ(sim::inspect::AttributeAt(this->project(), sim::AttrKind::composite, 2).name, "Neu") << id;
        for (sim::Element* e : sim::inspect::Elements(this->project())) {
            EXPECT_NE(e->Shell()->structure.composite, 2) << id;
            EXPECT_TRUE(e->properties.empty()) << id;
        }
        EXPECT_NE(LogMessages().back().find("nothing was replaced"), std::string::npos) << LogMessages().back();
    }
}

TEST_F(CompositeImportTest, AFailedLayerOrModificationFailsTheComposite)
{
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "AW", "flags": 1, "components": [{"buildingMaterial": 1, "fillThick": 0.3}]}]})"));
    // The second layer material cannot be created: no composite points at a stale index.
    host().InjectFault("Attribute.Create", APIERR_MEMFULL, 2);
    json request = ::Composite("Neu", {Article("A", 1), Article("B", 2), Article("C", 3)});
    auto importers = KRV::ImportManager().GetImporters(GS::UniString(request.dump()));
    EXPECT_FALSE(importers[0]->Import());
    EXPECT_EQ(importers[0]->GetStatus(), "failed");
    EXPECT_EQ(Composite("Neu"), nullptr);
    EXPECT_NE(LogMessages().back().find("the layer material B could not be written"), std::string::npos);

    // The project refuses the overwrite: "failed", not "overwritten", and no replacement.
    host().InjectFault("Attribute.ModifyExt", APIERR_READONLY);
    request = ::Composite("AW", {Article("A", 1)});
    request["data"]["replace_id"] = "1";
    host().UI().alertAnswers = {1, 1};
    importers = KRV::ImportManager().GetImporters(GS::UniString(request.dump()));
    EXPECT_FALSE(importers[0]->Import());
    EXPECT_EQ(importers[0]->GetStatus(), "failed");
    EXPECT_EQ(Composite("AW")->Composite()->components[0].buildingMaterial, 1);
    EXPECT_EQ(Count("Replace construction system"), 0);
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(CompositeImportTest, CompositesTheProjectCannotHoldAreRefused)
{
    KRV::KorvelComplexMaterial huge(json::parse(R"({"name": "Riesig", "id": 1, "updated_at": 1})"));
    std::vector<KRV::KorvelMaterial> layers(40000);
    huge.SetLayers(layers);
    KRV::ACLink link;
    EXPECT_FALSE(link.CreateComplexMaterial(huge));
    EXPECT_EQ(huge.status, "failed");

    // JSON has no infinity; a number too large for a double is refused as the request's error.
    std::string text = ::Composite("Unendlich", {Article("A", 1)}).dump();
    const std::string thickness = "\"thickness\":10";
    text.replace(text.find(thickness), thickness.size(), "\"thickness\":1e400");
    EXPECT_EQ(ReplyJson(CallWithText("import", text)), failed);
    EXPECT_EQ(Composite("Unendlich"), nullptr);
    EXPECT_EQ(Material("A"), nullptr); // refused before any layer was written
    EXPECT_FALSE(LogMessages().empty());
    EXPECT_EQ(Composite("Riesig"), nullptr);
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(CompositeImportTest, AnOverwriteReachesTheElementsBuiltOfTheCompositeReadOncePerRequest)
{
    // Two walls built of "AW", a basic wall whose composite field still holds its index,
    // and a slab of "IW".
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "AW", "components": [{"buildingMaterial": 1, "fillThick": 0.3}]},
                       {"name": "IW", "components": [{"buildingMaterial": 1, "fillThick": 0.2}]}],
        "elements": [{"type": "wall", "structure": "composite", "composite": 1},
                     {"type": "wall", "structure": "basic", "buildingMaterial": 1, "composite": 1},
                     {"type": "wall", "structure": "composite", "composite": 1},
                     {"type": "slab", "structure": "composite", "composite": 2}]})"));
    json aw = ::Composite("AW", {Article("Putz", 1)})["data"];
    json iw = ::Composite("IW", {Article("Putz", 1)}, "Slab")["data"];
    aw["image"] = iw["image"] = "";
    iw["id"] = 9200;
    host().ResetCallCounts();
    const std::string reply = ReplyText(CallWithText("bulkImport", json::array({aw, iw}).dump()));
    EXPECT_NE(reply.find("\"status\":\"overwritten\""), std::string::npos) << reply;
    EXPECT_EQ(reply.find("failed"), std::string::npos) << reply;
    // Each wall, slab and roof read once for both composites.
    EXPECT_EQ(host().GetCallCounts().at("Element.Get"), 4);
    std::vector<bool> received;
    project().elements.ForEach([&](const sim::Element& e) { received.push_back(e.userData.present); });
    EXPECT_EQ(received, (std::vector<bool>{true, false, true, true}));

    // A new composite is on no element yet: none is read.
    host().ResetCallCounts();
    EXPECT_EQ(Import(::Composite("Neu", {Article("Putz", 1)})), ok);
    EXPECT_EQ(host().GetCallCounts().count("Element.Get"), 0u);
}

TEST_F(CompositeImportTest, AWallWhoseDataCannotFollowKeepsItsOldComposite)
{
    const std::string stored = R"([{"group":"Korvel","name":"id","type":"","unit":"","value":"alt"}])";
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Putz"}],
        "composites": [{"name": "Alt", "flags": 7, "userData": )" +
                           json(stored).dump() + R"(, "components": [{"buildingMaterial": 1, "fillThick": 0.3}]}],
        "elements": [
            {"type": "wall", "guid": "10000000-0000-4000-8000-000000000001", "structure": "composite", "composite": 1},
            {"type": "wall", "guid": "10000000-0000-4000-8000-000000000002", "structure": "composite", "composite": 1}]})"));
    json request = ::Composite("Neu", {Article("Lehm", 1)});
    request["data"]["replace_id"] = "1";
    // The first wall's stored list is refused however often it is asked: that wall goes back.
    host().InjectFault("Element.SetUserData", APIERR_GENERAL, 1, 2);
    EXPECT_EQ(ReplyJson(CallWithText("replaceSystem", request.dump())), Status(true, false));
    const auto elements = sim::inspect::Elements(project());
    EXPECT_EQ(elements[0]->Shell()->structure.composite, 1);
    EXPECT_EQ(elements[0]->userData.bytes, Composite("Alt")->userData.bytes);
    EXPECT_EQ(elements[1]->Shell()->structure.composite, 2);
    EXPECT_EQ(elements[1]->userData.bytes, Composite("Neu")->userData.bytes);
    EXPECT_TRUE(LogHas("ACLink::CreateComplexMaterial: the catalogue data of the composite Neu could not be written "
                       "on the element 10000000-0000-4000-8000-000000000001, which keeps the composite Alt."));
    bool fromOld = false;
    for (const auto& [definition, value] : elements[0]->properties)
        fromOld = fromOld || value.text == "alt";
    EXPECT_TRUE(fromOld);
}
