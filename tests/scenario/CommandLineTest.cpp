// korvel-host's command line: run, save, check, bad input and standard output.
#include <algorithm>
#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include "WorkFolder.hpp"

using nlohmann::json;
using testing_support::HostTest;

// korvel-host as a person runs it: a session file, a project to open, a file to save to.
class CommandLineTest : public HostTest {
protected:
    int Run(const std::string& arguments, std::vector<json>* lines = nullptr)
    {
        std::string command =
            std::string(KORVEL_HOST_PROGRAM) + " " + arguments + " 2>" + (work() / "stderr.txt").string();
        FILE* pipe = popen(command.c_str(), "r");
        std::string out;
        std::array<char, 4096> buffer;
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
            out += buffer.data();
        int status = pclose(pipe);
        if (lines != nullptr) {
            std::istringstream in(out);
            for (std::string line; std::getline(in, line);)
                lines->push_back(json::parse(line));
        }
        return WEXITSTATUS(status);
    }
};

TEST_F(CommandLineTest, ASessionRunsOnAProjectAndSavesIt)
{
    WriteFile(work() / "s" / "item.json",
              R"({"data": {"import_type": "Material", "name": "Lehm", "articles": [{"id": 3, "updated_at": 4}]}})");
    WriteFile(work() / "s" / "session.jsonl", "{\"do\":\"menu\",\"id\":32500}\n"
                                              "{\"do\":\"js\",\"fn\":\"import\",\"argFile\":\"item.json\"}\n"
                                              "{\"do\":\"dump\",\"what\":\"undo\"}\n");
    WriteFile(work() / "p.json", R"({"name": "Haus", "buildingMaterials": [{"name": "Putz"}]})");
    std::vector<json> lines;
    const std::string files = "--project " + (work() / "p.json").string() + " --save " +
                              (work() / "out.json").string() + " --work " + (work() / "w").string();
    ASSERT_EQ(Run("run " + (work() / "s" / "session.jsonl").string() + " " + files, &lines), 0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2]["reply"], R"({"IsError":false,"ShowError":true})");
    EXPECT_EQ(lines[3]["result"].size(), 3u);
    json saved = json::parse(ReadFile(work() / "out.json"));
    EXPECT_EQ(saved["name"], "Haus");
    EXPECT_EQ(saved["buildingMaterials"].size(), 2u);
    EXPECT_EQ(saved["buildingMaterials"][1]["name"], "Lehm");
    EXPECT_TRUE(std::filesystem::is_directory(work() / "w"));

    // The saved project opens again.
    WriteFile(work() / "s" / "dump.jsonl", "{\"do\":\"dump\",\"what\":\"project\"}\n");
    lines.clear();
    ASSERT_EQ(Run("run " + (work() / "s" / "dump.jsonl").string() + " --project " + (work() / "out.json").string() +
                      " --work " + (work() / "w").string(),
                  &lines),
              0);
    EXPECT_EQ(lines[1]["result"]["buildingMaterials"][1]["userData"], saved["buildingMaterials"][1]["userData"]);
}

TEST_F(CommandLineTest, BadInputIsRefusedWithAMessage)
{
    WriteFile(work() / "session.jsonl", "{\"do\":\"dump\",\"what\":\"undo\"}\n");
    WriteFile(work() / "bad.json", R"({"elements": [{"type": "tower"}]})");
    EXPECT_EQ(Run("run " + (work() / "session.jsonl").string() + " --project " + (work() / "bad.json").string()), 2);
    EXPECT_NE(ReadFile(work() / "stderr.txt").find("unknown element type"), std::string::npos);
    WriteFile(work() / "broken.json", "{");
    EXPECT_EQ(Run("run " + (work() / "session.jsonl").string() + " --project " + (work() / "broken.json").string()), 2);
    EXPECT_NE(Run("run " + (work() / "missing.jsonl").string()), 0);
    EXPECT_NE(Run("fly"), 0);
}

TEST_F(CommandLineTest, StandardOutputCarriesOnlyJsonLines)
{
    // Malformed requests make the add-on write the parse errors to standard output.
    WriteFile(work() / "session.jsonl", "{\"do\":\"menu\",\"id\":32500}\n"
                                        "{\"do\":\"js\",\"fn\":\"import\",\"arg\":\"{not json\"}\n"
                                        "{\"do\":\"js\",\"fn\":\"update\",\"arg\":\"[[[\"}\n"
                                        "{\"do\":\"js\",\"fn\":\"import\",\"arg\":\"{\\\"data\\\":null}\"}\n"
                                        "not even json\n"
                                        "{\"do\":\"dump\",\"what\":\"stdout\"}\n");
    std::string command = std::string(KORVEL_HOST_PROGRAM) + " run " + (work() / "session.jsonl").string() +
                          " --work " + (work() / "w").string() + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer;
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
        out += buffer.data();
    ASSERT_EQ(WEXITSTATUS(pclose(pipe)), 0);
    std::vector<json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        json parsed = json::parse(line, nullptr, false);
        ASSERT_TRUE(parsed.is_object()) << line;
        lines.push_back(parsed);
    }
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2]["reply"], R"({"IsError":true,"ShowError":true})");
    ASSERT_TRUE(lines[2].contains("stdout"));
    EXPECT_NE(lines[2]["stdout"][0].get<std::string>().find("parse error"), std::string::npos);
    EXPECT_TRUE(lines[3].contains("stdout"));
    EXPECT_FALSE(lines[1].contains("stdout"));
    EXPECT_EQ(lines[6]["what"], "stdout");
    EXPECT_GE(lines[6]["result"].size(), 2u);
    EXPECT_EQ(lines[6]["result"][0], lines[2]["stdout"][0]);
}

TEST_F(CommandLineTest, AProjectWithAGuidUsedTwiceIsRefused)
{
    WriteFile(work() / "session.jsonl", "{\"do\":\"dump\",\"what\":\"project\"}\n");
    WriteFile(work() / "loop.json", R"({"classificationSystems": [{"name": "S", "items": [
        {"guid": "5A1C2E3F-0001-4000-8000-000000000001", "id": "A",
         "children": [{"guid": "5A1C2E3F-0001-4000-8000-000000000001", "id": "A"}]}]}]})");
    std::vector<json> lines;
    EXPECT_EQ(
        Run("run " + (work() / "session.jsonl").string() + " --project " + (work() / "loop.json").string(), &lines), 2);
    EXPECT_TRUE(lines.empty());
    EXPECT_NE(ReadFile(work() / "stderr.txt").find("is used twice among the classification items"), std::string::npos);
}

// korvel-host check, as the catalogue team runs it on a payload before publishing it.
TEST_F(CommandLineTest, CheckReportsWhatAPayloadWouldDoAndChangesNoFile)
{
    const std::string program = KORVEL_HOST_PROGRAM;
    const std::string examples = KORVEL_EXAMPLES_DIR;
    auto check = [&](const std::string& arguments, std::string* out) {
        const std::string command = "cd " + work().string() + " && " + program + " check " + arguments + " 2>" +
                                    (work() / "stderr.txt").string();
        FILE* pipe = popen(command.c_str(), "r");
        out->clear();
        std::array<char, 4096> buffer;
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
            *out += buffer.data();
        return WEXITSTATUS(pclose(pipe));
    };
    std::string out;

    // A good material against a project that has it already: the question is answered
    // "Continue", and the report says what is created and changed, by name.
    WriteFile(
        work() / "project.json",
        R"({"name": "Haus", "buildingMaterials": [{"name": "Ziegel Poroton T8", "description": "mein Ziegel"}, {"name": "Putz"}]})");
    const std::string projectBefore = ReadFile(work() / "project.json");
    ASSERT_EQ(check(examples + "/catalogue/brick-material.json --project project.json --format json", &out), 0);
    json report = json::parse(out);
    EXPECT_EQ(report["function"], "import");
    EXPECT_EQ(report["succeeded"], true);
    EXPECT_FALSE(report.contains("error"));
    ASSERT_EQ(report["questions"].size(), 1u);
    EXPECT_EQ(report["questions"][0]["answer"], "Continue");
    EXPECT_EQ(report["undo"], json(std::vector<std::string>(6, "Create material property")));
    json material;
    std::vector<std::string> created;
    for (const json& change : report["changes"]) {
        if (change["action"] == "created")
            created.push_back(change["kind"].get<std::string>() + " " + change["name"].get<std::string>());
        if (change["kind"] == "building material")
            material = change;
    }
    EXPECT_EQ(created,
              (std::vector<std::string>{"property group Korvel", "property group Technische Daten",
                                        "property group Nachhaltigkeit", "property definition Korvel / name",
                                        "property definition Korvel / id", "property definition Korvel / updated_at",
                                        "property definition Technische Daten / Rohdichte",
                                        "property definition Technische Daten / Wärmeleitfähigkeit",
                                        "property definition Nachhaltigkeit / GWP", "classification system Korvel"}));
    EXPECT_EQ(material["action"], "changed");
    EXPECT_EQ(material["name"], "Ziegel Poroton T8");
    EXPECT_EQ(material["properties"][3],
              json({{"group", "Technische Daten"}, {"name", "Rohdichte"}, {"value", "650"}}));
    EXPECT_EQ(material["classification"][0], json({{"system", "Korvel"}, {"item", "Korvel"}}));
    EXPECT_NE(material["storedData"].get<std::string>().find("\"value\":\"112 kg CO2e/m3\""), std::string::npos);
    // The user's own description survives the overwrite, so it is not among the changes.
    EXPECT_FALSE(material["members"].contains("description"));
    EXPECT_EQ(ReadFile(work() / "project.json"), projectBefore);

    // The same as text, for a person.
    ASSERT_EQ(check(examples + "/catalogue/brick-material.json", &out), 0);
    EXPECT_NE(out.find("brick-material.json as \"import\": succeeds"), std::string::npos);
    EXPECT_NE(out.find("  created building material \"Ziegel Poroton T8\""), std::string::npos);
    EXPECT_NE(out.find("      Technische Daten / Wärmeleitfähigkeit = \"0.08\""), std::string::npos);
    EXPECT_NE(out.find("  Create material property (6 times)"), std::string::npos);

    // A type error deep in the payload: the reason, and the member counted from the payload's
    // root although the add-on reads each article from a copy.
    WriteFile(
        work() / "late.json",
        R"({"data": {"import_type": "Material", "name": "Lehm", "articles": [{"id": 1, "updated_at": 2}, {"id": 3, "updated_at": "bald"}]}})");
    ASSERT_EQ(check("late.json --format json", &out), 1);
    report = json::parse(out);
    EXPECT_EQ(report["succeeded"], false);
    EXPECT_EQ(report["error"]["member"], "/data/articles/1/updated_at");
    EXPECT_NE(report["error"]["message"].get<std::string>().find("type must be number, but is string"),
              std::string::npos);
    ASSERT_EQ(check("late.json", &out), 1);
    EXPECT_NE(out.find("late.json as \"import\": fails"), std::string::npos);
    EXPECT_NE(out.find("  member: /data/articles/1/updated_at"), std::string::npos);

    // Not JSON at all, and a name that is no text.
    WriteFile(work() / "broken.json", "{\"data\": ");
    EXPECT_EQ(check("broken.json", &out), 1);
    WriteFile(work() / "name.json", R"({"data": {"import_type": "Material", "name": true, "articles": [{}]}})");
    ASSERT_EQ(check("name.json --format json", &out), 1);
    EXPECT_EQ(json::parse(out)["error"]["member"], "/data/name");

    // An array is a bulk import: the items that failed are named, and a missing "id" is
    // located in its item.
    WriteFile(work() / "bulk.json",
              R"([{"import_type": "Material", "id": 7, "name": "Lehm", "articles": [{"id": 7, "updated_at": 1}]},
                  {"import_type": "Material", "name": "Ohne Id", "articles": [{"id": 8, "updated_at": 1}]}])");
    ASSERT_EQ(check("bulk.json --format json", &out), 1);
    report = json::parse(out);
    EXPECT_EQ(report["function"], "bulkImport");
    EXPECT_EQ(report["failedItems"], json::parse(R"([{"index": 1, "id": null, "name": "Ohne Id", "member": "/1/id",
        "detail": "the item has no \"id\", by which the page is told what became of it",
        "message": "BulkImport: item 1 could not be imported: the item has no \"id\" to report it by; nothing of it was imported"}])"));
    EXPECT_EQ(report["error"]["member"], "/1/id");
    EXPECT_EQ(report["error"]["message"], report["failedItems"][0]["message"]);

    EXPECT_EQ(report["reply"][0]["status"], "imported");
    bool lehm = false;
    for (const json& change : report["changes"])
        lehm = lehm || (change["kind"] == "building material" && change["name"] == "Lehm");
    EXPECT_TRUE(lehm);

    // A type error the add-on meets in a list of its own (an item's properties, gathered from
    // its tabs) and in one bulk item: the member in the payload, and in the item's own entry.
    WriteFile(work() / "value.json",
              R"({"data": {"import_type": "Material", "name": "X", "articles": [{"id": "a", "updated_at": 1,
                  "tabs": [{"name": "T", "attributes": [{"name": "A", "value": "1"}]},
                           {"name": "U", "attributes": [{"name": "B", "value": true}]}]}]}})");
    ASSERT_EQ(check("value.json --format json", &out), 1);
    EXPECT_EQ(json::parse(out)["error"]["member"], "/data/articles/0/tabs/1/attributes/0/value");
    WriteFile(work() / "bulk-type.json",
              R"([{"import_type": "Material", "id": 1, "name": "A", "articles": [{"id": "a", "updated_at": 1}]},
                  {"import_type": "Material", "id": 2, "name": "B", "articles": [{"id": "b", "updated_at": {"when": "gestern"}}]}])");
    ASSERT_EQ(check("bulk-type.json --format json", &out), 1);
    report = json::parse(out);
    EXPECT_EQ(report["error"]["member"], "/1/articles/0/updated_at");
    ASSERT_EQ(report["failedItems"].size(), 1u);
    EXPECT_EQ(report["failedItems"][0]["member"], "/1/articles/0/updated_at");
    EXPECT_NE(report["failedItems"][0]["message"].get<std::string>().find("item 1 could not be imported"),
              std::string::npos);

    // Payloads the add-on cannot start on: its log line stays the same fixed one, and the
    // check says what is wrong and where.
    const std::pair<std::string, std::string> malformed[] = {
        {"", "the payload is empty"},
        {"42", "the payload is 42, not an object {\"data\": {…}}"},
        {"{\"data\": {\"name\": \"X\"}}", "the item has no \"import_type\""},
        {"{\"data\": {\"import_type\": \"System \", \"name\": \"X\"}}", "the \"import_type\" \"System \" is none"},
        {"{\"data\": {\"import_type\": \"Material\", \"name\": \"X\", \"articles\": [{\"updated_at\": 1}]}}",
         "the article has no \"id\""},
        {"{\"data\": ", "the payload is not JSON: [json.exception.parse_error.101] parse error at line 1, column 10"},
    };
    for (const auto& [payload, detail] : malformed) {
        WriteFile(work() / "malformed.json", payload);
        ASSERT_EQ(check("malformed.json --format json", &out), 1) << payload;
        report = json::parse(out);
        EXPECT_EQ(report["error"]["detail"].get<std::string>().rfind(detail, 0), 0u) << report["error"];
        ASSERT_EQ(check("malformed.json", &out), 1);
        EXPECT_NE(out.find("  detail: " + detail), std::string::npos) << out;
    }
    EXPECT_EQ(report["error"]["message"], "ImportManager.GetImporter could not return importer.");
    WriteFile(work() / "malformed.json",
              "{\"data\": {\"import_type\": \"Material\", \"name\": \"X\", \"articles\": [{}]}}");
    check("malformed.json --format json", &out);
    EXPECT_EQ(json::parse(out)["error"]["member"], "/data/articles/0/id");
    std::filesystem::remove(work() / "malformed.json");

    // A payload that names the catalogue's file server fails without one, and says how to
    // give it one; with --serve its file is downloaded from there.
    ASSERT_EQ(check(examples + "/catalogue/chair-product.json --format json", &out), 1);
    EXPECT_NE(json::parse(out)["error"]["hint"].get<std::string>().find("give --serve DIR"), std::string::npos);
    ASSERT_EQ(check(examples + "/catalogue/chair-product.json --serve " + examples + "/library --format json", &out), 0)
        << out;
    EXPECT_EQ(check(examples + "/catalogue/chair-product.json --serve " + examples + "/missing", &out), 2);

    // A payload that imports but brings nothing warns, and fails with --strict.
    WriteFile(work() / "empty.json",
              R"({"data": {"import_type": "system", "id": 1, "name": "Leer", "updated_at": 1}})");
    ASSERT_EQ(check("empty.json", &out), 0);
    EXPECT_NE(out.find("  warning: the composite \"Leer\" has no layers (/data/layers): it is imported as an empty "
                       "composite"),
              std::string::npos)
        << out;
    EXPECT_EQ(check("empty.json --strict --format json", &out), 1);
    EXPECT_EQ(json::parse(out)["warnings"].size(), 1u);
    EXPECT_EQ(check("late.json --strict", &out), 1);
    std::filesystem::remove(work() / "empty.json");

    // Nested past any catalogue's depth: refused, not a crash (which would leave the
    // temporary folder behind).
    WriteFile(work() / "deep.json", "[" + std::string(100000, '[') + std::string(100000, ']') + "]");
    ASSERT_EQ(check("deep.json --format json", &out), 1);
    EXPECT_NE(json::parse(out).dump().find("nested deeper than 256 levels"), std::string::npos) << out;
    std::filesystem::remove(work() / "deep.json");

    // Nothing was left behind in the folder it ran in.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(work()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"broken.json", "bulk-type.json", "bulk.json", "late.json", "name.json",
                                               "project.json", "stderr.txt", "value.json"}));

    // A bad command line.
    EXPECT_EQ(check("", &out), 2);
    EXPECT_EQ(check("late.json --format xml", &out), 2);
    EXPECT_EQ(check("missing.json", &out), 2);
    WriteFile(work() / "bad-project.json", R"({"elements": [{"type": "tower"}]})");
    EXPECT_EQ(check("late.json --project bad-project.json", &out), 2);
    std::filesystem::remove(work() / "bad-project.json");
}
