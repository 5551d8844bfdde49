// Import requests dispatched by their type, and bad requests.
#include "AddOnTest.hpp"
#include "ImportManager.hpp"
#include "Importers.hpp"

using namespace testing_support;
using nlohmann::json;

class DispatchTest : public AddOnTest {
protected:
    static std::vector<std::string> Kinds(const std::string& request)
    {
        std::vector<std::string> kinds;
        for (const auto& importer : KRV::ImportManager().GetImporters(GS::UniString(request))) {
            KRV::BaseImporter* p = importer.get();
            kinds.push_back(dynamic_cast<KRV::MaterialImporter*>(p)          ? "material"
                            : dynamic_cast<KRV::ComplexMaterialImporter*>(p) ? "composite"
                            : dynamic_cast<KRV::LibraryImporter*>(p)         ? "library"
                            : dynamic_cast<KRV::LibraryPartImporter*>(p)     ? "part"
                                                                             : "?");
            EXPECT_EQ(importer->GetStatus(), "undefined");
        }
        return kinds;
    }
    static std::string Product(const std::string& url)
    {
        return json{{"data",
                     {{"import_type", "Product"},
                      {"file_url", url},
                      {"articles", json::array()},
                      {"product_tabs", json::array()},
                      {"name", "P"},
                      {"id", 1},
                      {"updated_at", 1}}}}
            .dump();
    }
    static json Article(int id) { return json{{"id", id}, {"updated_at", 1}}; }
};

TEST_F(DispatchTest, ImportTypesChooseImporters)
{
    json material = {
        {"data",
         {{"import_type", "Material"}, {"name", "Ziegel"}, {"articles", {Article(1), Article(2), Article(3)}}}}};
    EXPECT_EQ(Kinds(material.dump()), (std::vector<std::string>{"material", "material", "material"}));
    material["data"]["articles"] = json::array();
    EXPECT_TRUE(Kinds(material.dump()).empty());

    json composite = {{"data", {{"import_type", "system"}, {"name", "C"}, {"id", 1}, {"updated_at", 1}}}};
    EXPECT_EQ(Kinds(composite.dump()), (std::vector<std::string>{"composite"}));

    EXPECT_EQ(Kinds(Product("https://x/kit.lcf")), (std::vector<std::string>{"library"}));
    EXPECT_EQ(Kinds(Product("https://x/kit.LCF")), (std::vector<std::string>{"part"}));
    EXPECT_EQ(Kinds(Product("https://x/chair.gsm")), (std::vector<std::string>{"part"}));
    EXPECT_EQ(Kinds(Product("lcf")), (std::vector<std::string>{"library"}));
    EXPECT_EQ(Kinds(Product("cf")), (std::vector<std::string>{"part"}));
    EXPECT_TRUE(Kinds(Product("")).empty());

    EXPECT_TRUE(Kinds(R"({"data": {"import_type": "material"}})").empty());
    EXPECT_TRUE(Kinds(R"({"name": "bare item"})").empty());
    EXPECT_TRUE(Kinds(R"({"data": [1, 2]})").empty());
    EXPECT_TRUE(Kinds("").empty());
}

TEST_F(DispatchTest, EveryArticleCarriesTheRequestName)
{
    json request = {
        {"data", {{"import_type", "Material"}, {"name", "Ziegel"}, {"articles", {Article(1), Article(2)}}}}};
    // Built, the material importers parsed "name": the request's name.
    auto importers = KRV::ImportManager().GetImporters(GS::UniString(request.dump()));
    ASSERT_EQ(importers.size(), 2u);
    request["data"]["name"] = 5;
    EXPECT_THROW(KRV::ImportManager().GetImporters(GS::UniString(request.dump())), json::type_error);
    request["data"].erase("name");
    EXPECT_THROW(KRV::ImportManager().GetImporters(GS::UniString(request.dump())), json::out_of_range);
    json noArticles = {{"data", {{"import_type", "Material"}, {"name", "Z"}}}};
    EXPECT_THROW(KRV::ImportManager().GetImporters(GS::UniString(noArticles.dump())), json::out_of_range);
}

TEST_F(DispatchTest, RequestsWithoutImportersLogTheErrorLine)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(KRV::ImportRequest(""));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(KRV::ImportRequest("{broken"));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("parse_error"), std::string::npos);
    EXPECT_FALSE(KRV::ImportRequest(R"({"name": "no envelope"})"));
    EXPECT_FALSE(KRV::ImportRequest(Product("")));
    EXPECT_EQ(LogMessages(), std::vector<std::string>(4, "ImportManager.GetImporter could not return importer."));
    EXPECT_EQ(host().GetDebugOutput().find("Importer_returned"), std::string::npos);
}

TEST_F(DispatchTest, CurtainWallsAndStairsNeverBuildImporters)
{
    json request = {{"data", {{"import_type", "curtain wall"}, {"name", "CW 1"}}}};
    EXPECT_EQ(Import(request), Status(true));
    for (const auto& message : LogMessages())
        EXPECT_NE(message, "ImportManager.GetImporter could not return importer.");
}
