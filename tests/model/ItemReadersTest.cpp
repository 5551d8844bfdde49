// Catalogue items read from the catalogue's JSON.
#include "KorvelComplexMaterial.hpp"
#include "KorvelLibrary.hpp"
#include "KorvelLibraryPart.hpp"
#include "KorvelMaterial.hpp"
#include "WorkFolder.hpp"

using KRV::json;
using testing_support::HostTest;

class ItemReadersTest : public HostTest {};

namespace {

struct Entry {
    std::string group, name, value;
};

std::vector<Entry> Entries(const KRV::KorvelProperties& properties)
{
    std::vector<Entry> out;
    for (const auto& p : properties.GetProperties())
        out.push_back({p.GetGroup().ToUtf8(), p.GetName().ToUtf8(), p.GetValue().ToUtf8()});
    return out;
}

void ExpectEntries(const KRV::KorvelProperties& properties, const std::vector<Entry>& expected)
{
    auto actual = Entries(properties);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].group, expected[i].group) << i;
        EXPECT_EQ(actual[i].name, expected[i].name) << i;
        EXPECT_EQ(actual[i].value, expected[i].value) << i;
    }
}

} // namespace

TEST_F(ItemReadersTest, AMaterialDefaultsAndLayerTypes)
{
    KRV::Material m;
    EXPECT_EQ(m.GetTypeId(), 16);
    EXPECT_TRUE(m.GetShowUncutLines());
    EXPECT_EQ(m.GetName(), "Undefined");
    EXPECT_EQ(m.GetDescription(), "Undefined");
    EXPECT_EQ(m.GetLayerType(), "Undefined");
    EXPECT_EQ(m.status, "Undefined");
    EXPECT_EQ(m.GetIndex(), 0);
    EXPECT_EQ(m.GetThickness(), 0.0);
    EXPECT_FALSE(m.inSystem);
    m.SetLayerType("Finish");
    EXPECT_EQ(m.GetFlagBits(), 32);
    m.SetLayerType("Core");
    EXPECT_EQ(m.GetFlagBits(), 2);
    m.SetLayerType("core");
    EXPECT_EQ(m.GetFlagBits(), 0);

    KRV::port::BuildingMaterialValues existing;
    existing.connPriority = 7;
    existing.cutFill = 3;
    existing.cutFillPen = 4;
    existing.cutFillBackgroundPen = 5;
    existing.cutMaterial = 6;
    existing.cutFillOrientation = 1;
    existing.density = 99;
    m.SetBuildingMaterialProp(existing);
    EXPECT_EQ(m.GetConnPriority(), 7);
    EXPECT_EQ(m.GetCutFill(), 3);
    EXPECT_EQ(m.GetCutFillPen(), 4);
    EXPECT_EQ(m.GetCutFillBackgroundPen(), 5);
    EXPECT_EQ(m.GetCutMaterial(), 6);
    EXPECT_EQ(m.GetCutFillOrientation(), 1);
    EXPECT_EQ(m.GetDensity(), 0.0);
}

TEST_F(ItemReadersTest, AMaterialReadsItsKorvelEntriesThenItsTabs)
{
    auto payload = json::parse(R"({
        "name": "Ziegel", "id": 3000000001, "updated_at": 1700000000123,
        "tabs": [
          {"name": "Technik", "attributes": [{"name": "Dichte", "value": 1.5}, {"name": "Farbe", "value": "rot"}]},
          {"name": "Umwelt", "attributes": null},
          {"attributes": [{"name": "Lose", "value": [1, 2]}]}
        ]})");
    KRV::KorvelMaterial m = payload.get<KRV::KorvelMaterial>();
    EXPECT_EQ(m.GetName(), "Ziegel");
    EXPECT_EQ(m.GetID(), "3000000001");
    EXPECT_EQ(m.GetUpdated(), 1700000000123LL);
    ExpectEntries(m.GetProperties(), {{"Korvel", "name", "Ziegel"},
                                      {"Korvel", "id", "3000000001"},
                                      {"Korvel", "updated_at", "1700000000123"},
                                      {"Technik", "Dichte", "1.50"},
                                      {"Technik", "Farbe", "rot"},
                                      {"", "Lose", "[1,2]"}});

    auto nullStamp = json::parse(R"({"name": "A", "id": 42, "updated_at": null})").get<KRV::KorvelMaterial>();
    EXPECT_EQ(nullStamp.GetUpdated(), 0);
    ExpectEntries(nullStamp.GetProperties(),
                  {{"Korvel", "name", "A"}, {"Korvel", "id", "42"}, {"Korvel", "updated_at", ""}});

    KRV::KorvelMaterial fromNull = json(nullptr).get<KRV::KorvelMaterial>();
    EXPECT_EQ(fromNull.GetName(), "Undefined");
    EXPECT_TRUE(fromNull.GetProperties().empty());
}

TEST_F(ItemReadersTest, AMaterialPayloadWithMissingOrWrongMembersRaises)
{
    EXPECT_THROW(json::parse(R"({"name": "A", "id": 1})").get<KRV::KorvelMaterial>(), json::out_of_range);
    EXPECT_THROW(json::parse(R"({"name": "A", "id": 1, "updated_at": "yesterday"})").get<KRV::KorvelMaterial>(),
                 json::type_error);
    EXPECT_THROW(json::parse(R"({"name": "A", "id": 1, "updated_at": 1, "tabs": ["oops"]})").get<KRV::KorvelMaterial>(),
                 json::type_error);
    EXPECT_THROW(json::parse(R"({"name": "A", "id": 1, "updated_at": 1,
                                 "tabs": [{"name": "T", "attributes": [{"name": "x"}]}]})")
                     .get<KRV::KorvelMaterial>(),
                 json::out_of_range);
    EXPECT_THROW(json::parse(R"({"name": true, "id": 1, "updated_at": 1})").get<KRV::KorvelMaterial>(),
                 json::type_error);

    testing::internal::CaptureStdout();
    EXPECT_THROW(json::object().get<KRV::KorvelMaterial>(), json::out_of_range);
    testing::internal::GetCapturedStdout();
}

TEST_F(ItemReadersTest, ACompositeReadsTypeTabsMaterialsAndLayers)
{
    auto payload = json::parse(R"({
        "id": 77, "name": "AW 01", "description": "Außenwand", "status": "approved", "like": 3,
        "system_type": "Foundation Slab", "updated_at": 5,
        "tabs": [{"name": "IFC", "attributes": [{"name": "IsExternal", "value": "true"}]},
                 {"name": "ifc", "attributes": [{"name": "x", "value": 1}]}],
        "materials": [
          {"articles": [{"name": "M1", "id": 1, "updated_at": 1}, {"name": "M2", "id": 2, "updated_at": 2}]},
          null,
          {"articles": [{"name": "M3", "id": 3, "updated_at": 3}, {"name": "M4", "id": 4, "updated_at": 4}]}],
        "layers": [{"layer_type": "Finish", "thickness": 1.5}, {"layer_type": "Core", "thickness": 25},
                   {"layer_type": "Other", "thickness": 10}, {"layer_type": "Finish", "thickness": 2},
                   {"layer_type": "Core", "thickness": 99}]})");
    KRV::KorvelComplexMaterial c(payload);
    EXPECT_EQ(c.GetName(), "AW 01");
    EXPECT_EQ(c.GetID(), "77");
    EXPECT_EQ(c.GetDescription(), "Außenwand");
    EXPECT_EQ(c.GetStatus(), "approved");
    EXPECT_EQ(c.GetLike(), "3");
    EXPECT_EQ(c.GetType(), "Foundation Slab");
    EXPECT_EQ(c.GetTypeID(), 2);
    EXPECT_EQ(c.status, "Undefined");
    ExpectEntries(c.GetProperties(), {{"Korvel", "name", "AW 01"},
                                      {"Korvel", "id", "77"},
                                      {"Korvel", "updated_at", "5"},
                                      {"IFC - Korvel", "IsExternal", "true"},
                                      {"ifc", "x", "1"}});
    ASSERT_EQ(c.GetLayersCount(), 4); // the fifth layer entry has no material and is left alone
    EXPECT_EQ(c.GetMaterials().size(), 0u);
    std::vector<std::string> names;
    std::vector<double> thickness;
    std::vector<short> flags;
    c.ForEachLayer([&](KRV::Material& m) {
        names.push_back(m.GetName().ToUtf8());
        thickness.push_back(m.GetThickness());
        flags.push_back(m.GetFlagBits());
    });
    EXPECT_EQ(names, (std::vector<std::string>{"M1", "M2", "M3", "M4"}));
    EXPECT_DOUBLE_EQ(thickness[1], 0.25);
    EXPECT_DOUBLE_EQ(thickness[0], 0.015);
    EXPECT_EQ(flags, (std::vector<short>{32, 2, 0, 32}));

    c.Print();
    EXPECT_NE(
        host().GetDebugOutput().find("==KorvelComplexMaterial==\nid: 77\ndescription: Außenwand\nstatus: approved\n"
                                     "type: Foundation Slab\nname: AW 01\n"),
        std::string::npos);
}

TEST_F(ItemReadersTest, CompositeTypesAndMissingParts)
{
    auto make = [](const char* extra) {
        return KRV::KorvelComplexMaterial(
            json::parse(std::string(R"({"name":"C","id":1,"updated_at":1)") + extra + "}"));
    };
    EXPECT_EQ(make(R"(,"system_type":"Roof")").GetTypeID(), 4);
    EXPECT_EQ(make(R"(,"system_type":"Ceiling")").GetTypeID(), 2);
    EXPECT_EQ(make(R"(,"system_type":"Wall")").GetTypeID(), 1);
    EXPECT_EQ(make(R"(,"system_type":"roof")").GetTypeID(), 1);
    EXPECT_EQ(make("").GetTypeID(), 0);
    EXPECT_EQ(make("").GetType(), "Undefined");
    EXPECT_EQ(make(R"(,"layers":[{"layer_type":"Core","thickness":1}])").GetLayersCount(), 0);

    KRV::KorvelComplexMaterial fromNull{json(nullptr)};
    EXPECT_EQ(fromNull.GetName(), "Undefined");
    EXPECT_EQ(fromNull.GetLayersCount(), 0);

    EXPECT_THROW(make(R"(,"materials":[{"no_articles":[]}])"), json::out_of_range);
    EXPECT_THROW(
        make(R"(,"materials":[{"articles":[{"name":"M","id":1,"updated_at":1}]}],"layers":[{"layer_type":"Core"}])"),
        json::out_of_range);
    EXPECT_THROW(
        make(
            R"(,"materials":[{"articles":[{"name":"M","id":1,"updated_at":1}]}],"layers":[{"layer_type":"Core","thickness":"3"}])"),
        json::type_error);
    EXPECT_THROW(KRV::KorvelComplexMaterial(json::parse(R"({"name":"C","id":1})")), json::out_of_range);

    KRV::ComplexMaterial plain;
    std::function<void(KRV::Material&)> none;
    plain.SetMaterials({KRV::Material()});
    EXPECT_THROW(plain.ForEachLayer(none), std::bad_function_call);
}

TEST_F(ItemReadersTest, LibraryPartsAndLibraries)
{
    auto chair =
        json::parse(R"({"articles": [], "name": "Chair", "id": 9, "updated_at": 1, "file_url": "https://x/c.gsm",
        "product_tabs": [{"name": "Maße", "attributes": [{"name": "Höhe", "value": 0.9}]}, {"name": "Leer"},
                         {"attributes": [{"name": "ohne", "value": "Gruppe"}]}]})")
            .get<KRV::KorvelLibraryPart>();
    EXPECT_EQ(chair.GetName(), "Chair.gsm");
    EXPECT_EQ(chair.GetID(), "9");
    EXPECT_EQ(chair.GetPath(), "https://x/c.gsm");
    EXPECT_EQ(chair.GetFile(), "");
    ExpectEntries(chair.GetProperties(), {{"Korvel", "name", "Chair"},
                                          {"Korvel", "id", "9"},
                                          {"Korvel", "updated_at", "1"},
                                          {"Maße", "Höhe", "0.90"},
                                          {"", "ohne", "Gruppe"}});

    auto firstArticle = json::parse(R"({"articles": [
        {"name": "Tisch", "id": 1, "updated_at": 2, "file_url": "u1", "tabs": [{"name": "T", "attributes": [{"name": "a", "value": 1}]}]},
        {"name": "Zweiter", "id": 2, "updated_at": 3, "file_url": "u2", "tabs": []}]})")
                            .get<KRV::KorvelLibraryPart>();
    EXPECT_EQ(firstArticle.GetName(), "Tisch.gsm");
    EXPECT_EQ(firstArticle.GetPath(), "u1");
    EXPECT_EQ(firstArticle.GetProperties().GetProperties().size(), 4u);

    EXPECT_THROW(json::parse(R"({"name": "X", "id": 1, "updated_at": 1})").get<KRV::KorvelLibraryPart>(),
                 json::out_of_range);
    EXPECT_THROW(
        json::parse(R"({"articles": [], "name": "X", "id": 1, "updated_at": 1})").get<KRV::KorvelLibraryPart>(),
        json::out_of_range);
    EXPECT_THROW(json(nullptr).get<KRV::KorvelLibraryPart>(), json::type_error);

    auto kit = json::parse(R"({"name": "Kit", "id": 5, "updated_at": 6, "file_url": "https://x/k.lcf",
        "articles": [{"tabs": [{"name": "IFC", "attributes": [{"name": "a", "value": "1"}]}]}, "skipped",
                     {"tabs": [{"name": "B", "attributes": [{"name": "b", "value": "2"}]}]}]})")
                   .get<KRV::KorvelLibrary>();
    EXPECT_EQ(kit.GetName(), "Kit.lcf");
    EXPECT_EQ(kit.GetPath(), "https://x/k.lcf");
    ExpectEntries(kit.GetProperties(), {{"Korvel", "name", "Kit"},
                                        {"Korvel", "id", "5"},
                                        {"Korvel", "updated_at", "6"},
                                        {"IFC", "a", "1"},
                                        {"B", "b", "2"}});
    auto bare = json::parse(R"({"name": "Kit", "id": 5, "updated_at": 6})").get<KRV::KorvelLibrary>();
    EXPECT_EQ(bare.GetProperties().GetProperties().size(), 3u);

    EXPECT_EQ(KRV::BaseItem::toGroup("g", "n", 7).dump(), R"({"group":"g","name":"n","type":"","unit":"","value":7})");
    KRV::KorvelLibraryPart copy = chair;
    EXPECT_EQ(copy.GetProperties(), chair.GetProperties());
    EXPECT_EQ(copy.GetIndex(), 0);
}
