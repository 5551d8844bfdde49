// The parsers: requests read into items, and requests that do not read.
#include "KorvelComplexMaterial.hpp"
#include "KorvelLibrary.hpp"
#include "KorvelLibraryPart.hpp"
#include "KorvelMaterial.hpp"
#include "ParserManager.hpp"
#include "WorkFolder.hpp"

using KRV::json;
using KRV::ParserManager;
using testing_support::HostTest;

class ParserTest : public HostTest {
protected:
    std::unique_ptr<KRV::Parser> parser =
        ParserManager().GetParser(ParserManager::Json, ParserManager::Companies::Korvel);
};

TEST_F(ParserTest, OnlyTheKorvelJsonParserExists)
{
    ASSERT_NE(parser, nullptr);
    ParserManager manager;
    EXPECT_EQ(manager.GetParser(ParserManager::Other, ParserManager::Companies::Korvel), nullptr);
    EXPECT_EQ(manager.GetParser(ParserManager::Json, ParserManager::Companies::Other), nullptr);
    EXPECT_NE(manager.GetParser(ParserManager::Json, ParserManager::Companies::Korvel), parser);
    EXPECT_EQ(parser->GetItem("some text"), nullptr);
    EXPECT_EQ(host().GetDebugOutput(), "some text\n");
}

TEST_F(ParserTest, AMaterialMayNameTheCompositeLayerItBelongsTo)
{
    auto plain = parser->GetMaterial(json::parse(R"({"name": "M", "id": 1, "updated_at": 1})"));
    EXPECT_FALSE(plain->inSystem);
    EXPECT_EQ(plain->systemInternalId, 0);
    ASSERT_NE(dynamic_cast<KRV::KorvelMaterial*>(plain.get()), nullptr);

    auto layered = parser->GetMaterial(json::parse(
        R"({"name": "M", "id": 1, "updated_at": 1, "system_internal_id": " 12", "layer_index": "3abc", "internal_layer_index": 2})"));
    EXPECT_TRUE(layered->inSystem);
    EXPECT_EQ(layered->systemInternalId, 12);
    EXPECT_EQ(layered->layerIndex, 3);
    EXPECT_EQ(layered->internalLayerIndex, 2);

    auto bad = [&](const char* extra) {
        return parser->GetMaterial(
            json::parse(std::string(R"({"name": "M", "id": 1, "updated_at": 1, )") + extra + "}"));
    };
    EXPECT_THROW(bad(R"("system_internal_id": 12, "layer_index": "3", "internal_layer_index": 2)"), json::type_error);
    EXPECT_THROW(bad(R"("system_internal_id": "12", "internal_layer_index": 2)"), json::out_of_range);
    EXPECT_THROW(bad(R"("system_internal_id": "12", "layer_index": "3", "internal_layer_index": "2")"),
                 json::type_error);
    EXPECT_THROW(bad(R"("system_internal_id": "x12", "layer_index": "3", "internal_layer_index": 2)"),
                 std::invalid_argument);
    EXPECT_THROW(bad(R"("system_internal_id": "99999999999", "layer_index": "3", "internal_layer_index": 2)"),
                 std::out_of_range);
}

TEST_F(ParserTest, ACompositeMayNameTheCompositeItReplaces)
{
    auto fresh = parser->GetComplexMaterial(json::parse(R"({"name": "C", "id": 1, "updated_at": 1})"));
    EXPECT_FALSE(fresh->replace);
    EXPECT_NE(host().GetDebugOutput().find("==KorvelComplexMaterial=="), std::string::npos);

    auto replacing =
        parser->GetComplexMaterial(json::parse(R"({"name": "C", "id": 1, "updated_at": 1, "replace_id": "14"})"));
    EXPECT_TRUE(replacing->replace);
    EXPECT_EQ(replacing->replaceId, 14);
    EXPECT_EQ(replacing->GetName(), "C");
    EXPECT_THROW(
        parser->GetComplexMaterial(json::parse(R"({"name": "C", "id": 1, "updated_at": 1, "replace_id": 14})")),
        json::type_error);
}

TEST_F(ParserTest, LibraryItemsComeOutAsTheirCatalogueClasses)
{
    auto part = parser->GetLibraryPart(
        json::parse(R"({"articles": [], "product_tabs": [], "name": "Chair", "id": 1, "updated_at": 1})"));
    EXPECT_EQ(part->GetName(), "Chair.gsm");
    EXPECT_NE(dynamic_cast<KRV::KorvelLibraryPart*>(part.get()), nullptr);
    auto library = parser->GetLibrary(json::parse(R"({"name": "Kit", "id": 1, "updated_at": 1})"));
    EXPECT_EQ(library->GetName(), "Kit.lcf");
    EXPECT_THROW(parser->GetLibraryPart(json::parse(R"({"name": "Chair"})")), json::out_of_range);
}
