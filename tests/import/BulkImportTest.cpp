// The bulk import: an entry per item, a bad item not stopping the others, cancelling.
#include "AddOnTest.hpp"
#include "Host.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

json Material(int id, const std::string& name)
{
    return {{"import_type", "Material"},
            {"id", id},
            {"name", name},
            {"image", "https://korvel.com/" + name + ".png"},
            {"articles", {{{"id", id}, {"updated_at", 1}}}}};
}

} // namespace

// "bulkImport": a list of catalogue items under a progress window the user can cancel.
class BulkImportTest : public AddOnTest {
protected:
    std::string Bulk(const json& items) { return ReplyText(CallWithText("bulkImport", items.dump())); }
    json Progress()
    {
        json calls = json::array();
        for (const auto& call : host().UI().progress)
            calls.push_back(call.request == "CANC"   ? json{call.request, call.cancelled}
                            : call.request == "CPWD" ? json{call.request}
                                                     : json{call.request, call.text, call.number});
        return calls;
    }
};

TEST_F(BulkImportTest, EveryItemGetsAnEntryAndABadOneDoesNotStopTheOthers)
{
    UseProject(json::parse(R"({"buildingMaterials": [{"name": "Lehm"}]})"));
    json bad = Material(2, "Kalk");
    bad["import_type"] = "Unbekannt";
    json noId = Material(4, "Kork");
    noId.erase("id");
    json noName = Material(6, "Ton");
    noName.erase("name");
    const std::string reply = Bulk({Material(1, "Lehm"), bad, Material(3, "Gips"), noId, 5, noName});
    // Exactly as the page receives it: compact, members in key order.
    EXPECT_EQ(reply,
              R"([{"id":1,"image":"https://korvel.com/Lehm.png","name":"Lehm","status":"overwritten","thumbnail":""},)"
              R"({"id":2,"image":"https://korvel.com/Kalk.png","name":"Kalk","status":"failed","thumbnail":""},)"
              R"({"id":3,"image":"https://korvel.com/Gips.png","name":"Gips","status":"imported","thumbnail":""},)"
              R"({"id":null,"image":"https://korvel.com/Kork.png","name":"Kork","status":"failed","thumbnail":""},)"
              R"({"id":null,"image":"","name":null,"status":"failed","thumbnail":""},)"
              R"({"id":6,"image":"https://korvel.com/Ton.png","name":null,"status":"failed","thumbnail":""}])");
    EXPECT_TRUE(host().UI().alerts.empty()); // no question before overwriting in bulk
    // An item the page cannot be told about is not imported at all.
    EXPECT_EQ(project().attributes.FindByName(sim::AttrKind::buildingMaterial, "Kork"), nullptr);
    EXPECT_EQ(static_cast<int>(project().attributes.Count(sim::AttrKind::buildingMaterial)),
              2); // Lehm and Gips, no "Ton"
    EXPECT_EQ(Progress(), json::parse(R"([["IPWD", "Please wait...", 1], ["SPRP", "6", 6],
        ["SPRP", "6", 2], ["CANC", false], ["SPRP", "6", 3], ["CANC", false], ["SPRP", "6", 4], ["CANC", false],
        ["SPRP", "6", 5], ["CANC", false], ["SPRP", "6", 6], ["CANC", false], ["CANC", false], ["CPWD"]])"));
    EXPECT_FALSE(host().UI().progressOpen);
    std::vector<std::string> errors;
    for (const auto& m : LogMessages())
        if (m.rfind("BulkImport: item ", 0) == 0)
            errors.push_back(m.substr(17));
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "3 could not be imported: the item has no \"id\" to report it by; nothing of it was imported",
                          "4 could not be imported: the item has no \"id\" to report it by; nothing of it was imported",
                          "5 could not be imported: the item has no \"name\" to report it by; nothing of it was "
                          "imported"}));
}

TEST_F(BulkImportTest, CancellingEmptyListsAndRequestsThatAreNoList)
{
    host().UI().cancelAt = 1;
    const std::string reply =
        Bulk({Material(1, "A"), Material(2, "B"), Material(3, "C"), Material(4, "D"), Material(5, "E")});
    EXPECT_EQ(json::parse(reply).size(), 1u);
    EXPECT_EQ(project().attributes.Count(sim::AttrKind::buildingMaterial), 1);
    EXPECT_FALSE(host().UI().progressOpen);

    host().UI().progress.clear();
    EXPECT_EQ(Bulk(json::array()), "");
    EXPECT_EQ(Progress(), json::parse(R"([["IPWD", "Please wait...", 1], ["SPRP", "0", 0], ["CPWD"]])"));
    EXPECT_EQ(ReplyText(CallWithText("bulkImport", "null")), "");
    EXPECT_EQ(ReplyText(Call("bulkImport")), "[]");
    // Not JSON at all: the request fails as a whole.
    EXPECT_EQ(ReplyJson(CallWithText("bulkImport", "[{")), Status(true));
    EXPECT_FALSE(host().UI().progressOpen);
    // Nested past any catalogue's depth (which would exhaust the stack): refused before it is
    // read, as every other request is.
    for (const std::string& deep : {std::string(100000, '[') + std::string(100000, ']'),
                                    "[" + std::string(257, '[') + std::string(257, ']') + "]", [] {
                                        std::string text = "[";
                                        for (int i = 0; i < 100000; ++i)
                                            text += R"({"a":)";
                                        return text + "1" + std::string(100000, '}') + "]";
                                    }()}) {
        EXPECT_EQ(ReplyJson(CallWithText("bulkImport", deep)), Status(true));
        EXPECT_NE(LogMessages().back().find("nested deeper than 256 levels"), std::string::npos);
    }
    EXPECT_EQ(project().attributes.Count(sim::AttrKind::buildingMaterial), 1);
    // An item whose image is null keeps null; thumbnails are copied.
    json item = Material(9, "Z");
    item["image"] = nullptr;
    item["thumbnail"] = "t.png";
    EXPECT_EQ(json::parse(Bulk(json::array({item})))[0],
              json::parse(R"({"id":9,"image":null,"name":"Z","status":"imported","thumbnail":"t.png"})"));
}
