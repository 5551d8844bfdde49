// Library part and container imports: downloads, registration, parameters, failures.
#include "AddOnTest.hpp"
#include "Host.hpp"
#include "Inspect.hpp"
#include "LoopbackServer.hpp"
#include "Timeouts.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

const char* const chairId = "{3F2A9C10-7D4B-4E21-9A55-1C0B8E6D2F01}-{00000000-0000-0000-0000-000000000000}";

json Product(const std::string& name, const std::string& url)
{
    return {
        {"data",
         {{"import_type", "Product"},
          {"id", 77},
          {"name", name},
          {"updated_at", 5},
          {"file_url", url},
          {"articles", json::array()},
          {"product_tabs",
           {{{"name", "Produktdaten"},
             {"attributes", {{{"name", "Hersteller"}, {"value", "Möbel"}}, {{"name", "Farbe"}, {"value", 3}}}}}}}}}};
}

} // namespace

class LibraryPartImportTest : public AddOnTest {
protected:
    void SetUp() override
    {
        AddOnTest::SetUp();
        files = work() / "served";
        WriteFile(files / "Stuhl.gsm", json{{"name", "Stuhl"},
                                            {"uniqueId", chairId},
                                            {"parameters",
                                             {{{"type", "length"}, {"name", "A"}, {"value", 0.4}},
                                              {{"type", "text"}, {"name", "KV_alt"}, {"description", "alt"}}}}}
                                           .dump());
        WriteFile(files / "Kit.lcf", "container");
        WriteFile(files / "Leer.lcf", "");
        WriteFile(files / "Leer.gsm", "");
        WriteFile(files / "kaputt.gsm", "not a library part");
        server = std::make_unique<korvel_loopback::LoopbackServer>(files);
        KRV::net::TransferTimeouts() = {2, 1000, 1};
    }
    std::string Url(const std::string& path) const { return server->Url() + path; }
    sim::LibPart* Chair() { return project().libParts.FindByUniqueId(chairId); }
    std::vector<std::string> Leftovers(const std::filesystem::path& folder)
    {
        std::vector<std::string> names;
        if (std::filesystem::exists(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                names.push_back(entry.path().filename().string());
        return names;
    }
    int Count(const std::vector<sim::LibPartParameter>& parameters, sim::ParamType type, const std::string& name)
    {
        int n = 0;
        for (const auto& p : parameters)
            n += p.type == type && p.name == name;
        return n;
    }

    std::filesystem::path files;
    std::unique_ptr<korvel_loopback::LoopbackServer> server;
};

TEST_F(LibraryPartImportTest, APartIsRegisteredInTheKorvelFolderWithItsCatalogueParameters)
{
    UseProject(json::parse(R"({"elements": [{"type": "object", "libraryPart": ")" + std::string(chairId) +
                           R"("}, {"type": "wall"}]})"));
    EXPECT_EQ(Import(Product("Stuhl", Url("/Stuhl.gsm"))), ok);
    const sim::LibPart* chair = Chair();
    ASSERT_NE(chair, nullptr);
    EXPECT_EQ(chair->name, "Stuhl");
    EXPECT_EQ(chair->location, (work() / "Embedded Library" / "Korvel" / "Stuhl.gsm").string());
    EXPECT_TRUE(std::filesystem::exists(chair->location));
    EXPECT_TRUE(Leftovers(work() / "Temporary").empty()); // the download was removed once copied
    // The part's own "KV_" text parameter made way for the catalogue's.
    EXPECT_EQ(Count(chair->parameters, sim::ParamType::title, "KV_"), 1);
    EXPECT_EQ(Count(chair->parameters, sim::ParamType::text, "KV_"), 5);
    EXPECT_EQ(Count(chair->parameters, sim::ParamType::text, "KV_alt"), 0);
    EXPECT_EQ(Count(chair->parameters, sim::ParamType::length, "A"), 1);
    EXPECT_EQ(chair->parameters.back().description, "Farbe");
    EXPECT_EQ(chair->parameters.back().value, "3");
    EXPECT_EQ(chair->sectionText, "Korvel");
    EXPECT_EQ(chair->details.thickness, "gs_frame_thk");
    ASSERT_TRUE(project().addOnData.Has("KV_Stuhl"));
    EXPECT_NE(
        project().addOnData.At("KV_Stuhl").bytes.find(R"("name":"Hersteller","type":"","unit":"","value":"Möbel")"),
        std::string::npos);
    // The placed chair received the catalogue data in one undo step per property.
    const sim::Element& placed = sim::inspect::ElementAt(project(), 0);
    EXPECT_EQ(placed.properties.size(), 5u);
    EXPECT_EQ(placed.classification.size(), 1u);
    EXPECT_EQ(project().undo.Names(), std::vector<std::string>(5, "Create group properties"));
    EXPECT_NE(host().GetDebugOutput().find("The element is not GDL based!\n"), std::string::npos);
    EXPECT_NE(host().GetDebugOutput().find("Lib part name: Stuhl\nObject name: Stuhl\n"), std::string::npos);

    // Again: one question with the kind word "object", and still one set of parameters.
    host().UI().alertAnswers.push_back(1);
    EXPECT_EQ(Import(Product("Stuhl", Url("/Stuhl.gsm"))), ok);
    ASSERT_EQ(host().UI().alerts.size(), 1u);
    EXPECT_NE(host().UI().alerts[0].smallText.find("replace the existing object"), std::string::npos);
    EXPECT_EQ(Count(Chair()->parameters, sim::ParamType::title, "KV_"), 1);
    EXPECT_EQ(Count(Chair()->parameters, sim::ParamType::text, "KV_"), 5);
    EXPECT_EQ(project().libParts.Count(), 1);
    EXPECT_EQ(project().libParts.libraries.size(), 1u);

    // "Reject" keeps the part as it is.
    host().UI().alertAnswers.push_back(2);
    EXPECT_EQ(Import(Product("Stuhl", Url("/Stuhl.gsm"))), failed);
    EXPECT_EQ(server->Requests().size(), 2u);
    EXPECT_EQ(host().LiveHandles(), 0);
    EXPECT_TRUE(LogLines().empty()) << LogLines().front();
}

TEST_F(LibraryPartImportTest, WithoutAnEmbeddedLibraryTheKorvelFolderJoinsTheLibraryListOnce)
{
    UseProject(json::parse(R"({"embeddedLibrary": false, "libraries": ["/opt/bibliothek"]})"));
    EXPECT_EQ(Import(Product("Stuhl", Url("/Stuhl.gsm"))), ok);
    const auto korvel = (work() / "Application Data" / "Korvel").string();
    EXPECT_EQ(Chair()->location, korvel + "/Stuhl.gsm");
    ASSERT_EQ(project().libParts.libraries.size(), 2u);
    EXPECT_EQ(project().libParts.libraries[1].location, korvel);
    host().UI().alertAnswers.push_back(1);
    EXPECT_EQ(Import(Product("Stuhl", Url("/Stuhl.gsm"))), ok);
    EXPECT_EQ(project().libParts.libraries.size(), 2u);
    EXPECT_EQ(project().libParts.embeddedIndex, -1);
}

TEST_F(LibraryPartImportTest, FailedDownloadsLeaveNothingBehindAndSayWhy)
{
    server->SetAnswer("/missing.gsm", "404");
    server->SetAnswer("/stalled.gsm", "stall");
    server->SetAnswer("/short.gsm", "truncate");
    server->SetAnswer("/to-file.gsm", "redirect:file:///etc/passwd");
    server->SetAnswer("/elsewhere.gsm", "redirect:http://192.0.2.1/x.gsm");
    struct Case {
        std::string name;
        std::string url;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"missing", Url("/missing.gsm"), "HTTP status 404"},
        {"stalled", Url("/stalled.gsm"), "Timeout"},
        {"short", Url("/short.gsm"), "ransfer"},
        {"to-file", Url("/to-file.gsm"), "redirected to file:///etc/passwd: the scheme \"file\" is not allowed"},
        {"elsewhere", Url("/elsewhere.gsm"), "plain http is only used for this machine"},
        {"local", "file:///etc/passwd", "the scheme \"file\" is not allowed"},
        {"plain", "http://example.com/Stuhl.gsm", "plain http is only used for this machine"},
        {"odd", "javascript:alert(1)", "not an address"},
    };
    const json before = sim::SaveProject(project());
    for (const Case& c : cases) {
        EXPECT_EQ(Import(Product(c.name, c.url)), failed) << c.name;
        const std::string line = LogMessages().empty() ? "" : LogMessages().back();
        EXPECT_EQ(line.rfind("Download of ", 0), 0u) << c.name << ": " << line;
        EXPECT_NE(line.find(c.reason), std::string::npos) << c.name << ": " << line;
        EXPECT_TRUE(Leftovers(work() / "Temporary").empty()) << c.name;
    }
    // Names that would write outside the folders are refused before anything is fetched.
    const std::size_t requests = server->Requests().size();
    for (const std::string& name :
         std::vector<std::string>{"../../evil", "..", ".hidden", "a/b", "a\\b", std::string("a\0b", 3), "tab\tname"}) {
        EXPECT_EQ(Import(Product(name, Url("/Stuhl.gsm"))), failed) << name;
        EXPECT_NE(LogMessages().back().find("is refused"), std::string::npos) << LogMessages().back();
    }
    EXPECT_EQ(server->Requests().size(), requests);
    // A file that is no library part is refused by the host.
    EXPECT_EQ(Import(Product("kaputt", Url("/kaputt.gsm"))), failed);
    EXPECT_NE(LogMessages().back().find(sim::FunctionOf("LibPart.Register")), std::string::npos)
        << LogMessages().back();
    // A redirect to another allowed address is followed.
    server->SetAnswer("/moved.gsm", "redirect:/Stuhl.gsm");
    EXPECT_EQ(Import(Product("Stuhl", Url("/moved.gsm"))), ok);
    EXPECT_NE(Chair(), nullptr);
    json after = sim::SaveProject(project());
    after.erase("libraryParts");
    after.erase("addOnData");
    json expected = before;
    expected.erase("libraryParts");
    expected.erase("addOnData");
    EXPECT_EQ(after, expected);
    EXPECT_EQ(host().LiveHandles(), 0);
}

TEST_F(LibraryPartImportTest, AContainerIsKeptInTheProjectsFolderAndListedOnce)
{
    EXPECT_EQ(Import(Product("Kit", Url("/Kit.lcf"))), ok);
    const auto kit = (work() / "Embedded Library" / "Korvel" / "Kit.lcf").string();
    EXPECT_EQ(HostTest::ReadFile(kit), "container");
    ASSERT_EQ(project().libParts.libraries.size(), 2u);
    EXPECT_EQ(project().libParts.libraries[1].location, kit);
    EXPECT_EQ(Import(Product("Kit", Url("/Kit.lcf"))), ok);
    EXPECT_EQ(project().libParts.libraries.size(), 2u);
    EXPECT_TRUE(Leftovers(work() / "Temporary").empty());

    server->SetAnswer("/Gone.lcf", "404");
    EXPECT_EQ(Import(Product("Gone", Url("/Gone.lcf"))), failed);
    // An empty answer is no container (nor library part): nothing kept, listed or registered.
    for (const char* name : {"Leer.lcf", "Leer.gsm"}) {
        EXPECT_EQ(Import(Product("Leer", Url(std::string("/") + name))), failed) << name;
        EXPECT_EQ(LogMessages().back(), "The catalogue file " + std::string(name) + " downloaded from " +
                                            Url(std::string("/") + name) + " is empty; nothing was kept.");
        EXPECT_FALSE(std::filesystem::exists(work() / "Embedded Library" / "Korvel" / name)) << name;
    }
    EXPECT_EQ(project().libParts.libraries.size(), 2u);
    EXPECT_EQ(project().libParts.Count(), 0);
    EXPECT_TRUE(Leftovers(work() / "Temporary").empty());
    host().InjectFault("Environment.SetLibraries", APIERR_GENERAL);
    EXPECT_EQ(Import(Product("Kit2", Url("/Kit.lcf"))), failed);
    EXPECT_EQ(project().libParts.libraries.size(), 2u);
    EXPECT_NE(LogMessages().back().find("SetLibraries"), std::string::npos);
}
