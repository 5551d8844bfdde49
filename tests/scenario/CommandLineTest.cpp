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
