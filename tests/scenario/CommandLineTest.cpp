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
