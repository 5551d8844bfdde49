// The IFC export and its upload.
#include "AddOnTest.hpp"
#include "Host.hpp"
#include "LoopbackServer.hpp"
#include "Timeouts.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

const std::string header = R"({"token":"s3cr3t-t0ken","context":"project-42","content_type":"multipart/form-data"})";

} // namespace

// "export": the project saved as IFC in "Korvel IFC" and uploaded to the service.
class IfcExportTest : public AddOnTest {
protected:
    void SetUp() override
    {
        AddOnTest::SetUp();
        UseProject(json::parse(R"({"name": "Haus Süd", "buildingMaterials": [{"name": "Beton"}],
            "elements": [{"type": "slab", "structure": "basic", "buildingMaterial": 1}]})"));
        host().FixTime("2026-01-01T00:00:00");
        std::filesystem::create_directories(work() / "served");
        server = std::make_unique<korvel_loopback::LoopbackServer>(work() / "served");
        KRV::net::TransferTimeouts() = {2, 1000, 1};
    }
    json Export(const std::vector<std::string>& strings)
    {
        GS::Ref<DG::JSArray> array(new DG::JSArray());
        for (const std::string& s : strings)
            array->AddItem(JsText(s));
        return ReplyJson(Call("export", array));
    }
    std::filesystem::path Saved(const std::string& name) const
    {
        return work() / "Application Data" / "Korvel IFC" / name;
    }

    std::unique_ptr<korvel_loopback::LoopbackServer> server;
};

TEST_F(IfcExportTest, TheSavedFileReachesTheServiceWithThePagesHeaders)
{
    EXPECT_EQ(Export({server->Url() + "/api/ifc", header}), ok);
    const std::string saved = ReadFile(Saved("Haus Süd.ifc"));
    EXPECT_EQ(saved.rfind("ISO-10303-21;\nHEADER;\n", 0), 0u);
    EXPECT_NE(saved.find("FILE_SCHEMA(('IFC4'));"), std::string::npos);
    const json requests = server->Requests();
    ASSERT_EQ(requests.size(), 1u);
    const json& r = requests[0];
    EXPECT_EQ(r["method"], "POST");
    EXPECT_EQ(r["path"], "/api/ifc");
    EXPECT_EQ(r["headers"]["Authorization"], "Bearer s3cr3t-t0ken");
    EXPECT_EQ(r["headers"]["Context"], "project-42");
    EXPECT_EQ(r["headers"]["User-Agent"], "Korvel Archicad Plugin");
    EXPECT_EQ(r["headers"]["Content-Type"].get<std::string>().rfind("multipart/form-data; boundary=", 0), 0u);
    ASSERT_EQ(r["parts"].size(), 1u);
    EXPECT_EQ(r["parts"][0]["name"], "file");
    EXPECT_EQ(r["parts"][0]["filename"], "Haus Süd.ifc");
    EXPECT_EQ(r["parts"][0]["size"], saved.size());
    EXPECT_EQ(r["parts"][0]["checksum"], korvel_loopback::Checksum(saved));
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(IfcExportTest, TheServicesRefusalsAndSilenceAreFailures)
{
    server->SetAnswer("/401", "401");
    server->SetAnswer("/500", "500");
    server->SetAnswer("/stall", "stall");
    for (const char* path : {"/401", "/500", "/stall"}) {
        EXPECT_EQ(Export({server->Url() + path, header}), failed) << path;
        const std::string line = LogMessages().back();
        EXPECT_EQ(line.rfind("Upload to http://127.0.0.1:", 0), 0u) << line;
        EXPECT_EQ(line.find("s3cr3t"), std::string::npos) << line;
    }
    EXPECT_NE(LogMessages()[0].find("HTTP status 401 (answered 401)"), std::string::npos) << LogMessages()[0];
    EXPECT_NE(LogMessages()[2].find("Timeout"), std::string::npos) << LogMessages()[2];
}

TEST_F(IfcExportTest, WhatCannotBeSentSafelyIsRefusedBeforeAnythingIsSaved)
{
    const std::vector<std::vector<std::string>> refused = {
        {server->Url() + "/api"},
        {server->Url() + "/api", R"({"token":"t","context":"c"})"},
        {"http://example.com/api", header},
        {"file:///tmp/x", header},
        {server->Url() + "/api",
         std::string(R"({"token":"t)") + "\r\nX-Evil: 1" + R"(","context":"c","content_type":"m"})"},
        {server->Url() + "/api", std::string(R"({"token":"t)") + '\n' + R"(","context":"c","content_type":"m"})"},
    };
    for (const auto& strings : refused) {
        EXPECT_EQ(Export(strings), failed) << strings.size();
        EXPECT_EQ(LogMessages().back().rfind("IFC export: ", 0), 0u) << LogMessages().back();
    }
    EXPECT_EQ(ReplyJson(Call("export")), failed);
    EXPECT_FALSE(std::filesystem::exists(Saved("Haus Süd.ifc")));
    EXPECT_TRUE(server->Requests().empty());
}

TEST_F(IfcExportTest, NoTranslatorNoNameAndANameThatIsNoFileName)
{
    project().ifcTranslators.Replace({"IFC2x3 Coordination View 2.0"});
    EXPECT_EQ(Export({server->Url() + "/api", header}), failed);
    ASSERT_EQ(host().UI().alerts.size(), 1u);
    EXPECT_EQ(host().UI().alerts[0].largeText, "IFC4 Design Transfer View\ntranslator not found!");
    EXPECT_EQ(host().UI().alerts[0].smallText, "IFC4 Design Transfer View");

    UseProject(json::parse(R"({"elements": []})"));
    EXPECT_EQ(Export({server->Url() + "/api", header}), failed);
    EXPECT_EQ(host().UI().alerts.back().largeText, "The project has no name");
    EXPECT_EQ(host().UI().alerts.back().smallText, "Export aborted");
    EXPECT_TRUE(server->Requests().empty());

    UseProject(json::parse(R"({"name": "../Büro/2026: A"})"));
    EXPECT_EQ(Export({server->Url() + "/api", header}), ok);
    EXPECT_TRUE(std::filesystem::exists(Saved(".._Büro_2026_ A.ifc")));
    UseProject(json::parse(R"({"name": ".."})"));
    EXPECT_EQ(Export({server->Url() + "/api", header}), failed);
}
