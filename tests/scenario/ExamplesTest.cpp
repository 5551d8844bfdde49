// Every session in examples/sessions runs under korvel-host and prints what is written
// beside it in NAME.expected; `korvel-host demo` prints the demo's. Generated guids are
// seeded; what changes from day to day (today's date, the log's time stamps) is replaced
// by placeholders on both sides, as are the work folder, the loopback server's port, the
// multipart boundary of an upload and the host generation in the platform reply.
// KORVEL_UPDATE_EXPECTED=1 rewrites the expected files. Both host generations print the
// same, except where generation 29 has no counterpart of what a session shows: then
// NAME.expected29 beside it holds generation 29's output.
#include <array>
#include <cstdlib>
#include <regex>
#include <sys/wait.h>

#include "WorkFolder.hpp"

using testing_support::HostTest;

namespace {

const std::filesystem::path sessions = std::filesystem::path(KORVEL_EXAMPLES_DIR) / "sessions";

std::string Normalised(std::string output, const std::string& work)
{
    static const std::regex stamp("[0-9]{2}-[0-9]{2}-[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}");
    static const std::regex date("\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"");
    static const std::regex port("127\\.0\\.0\\.1:[0-9]+");
    static const std::regex boundary("boundary=-*[0-9a-zA-Z]+");
    // The platform reply names the host generation the add-on is built for.
    static const std::regex generation(R"(\\"version\\":[0-9]+)");
    for (auto at = output.find(work); at != std::string::npos; at = output.find(work, at))
        output.replace(at, work.size(), "WORK");
    output = std::regex_replace(output, stamp, "DD-MM-YYYY hh:mm:ss");
    output = std::regex_replace(output, port, "127.0.0.1:PORT");
    output = std::regex_replace(output, boundary, "boundary=BOUNDARY"); // libcurl draws it at random
    output = std::regex_replace(output, generation, R"(\"version\":GENERATION)");
    return std::regex_replace(output, date, "\"YYYY-MM-DD\"");
}

// The project a session opens, named in its header line "# project: PATH".
std::string ProjectOption(const std::filesystem::path& session)
{
    std::ifstream file(session);
    for (std::string line; std::getline(file, line);) {
        const std::string key = "# project: ";
        if (line.compare(0, key.size(), key) == 0)
            return " --project " + (session.parent_path() / line.substr(key.size())).string();
    }
    return "";
}

} // namespace

class ExamplesTest : public HostTest {
protected:
    std::string Output(const std::string& arguments, const std::filesystem::path& folder)
    {
        std::string command = std::string(KORVEL_HOST_PROGRAM) + " " + arguments + " --seed 1 2>/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        std::string out;
        std::array<char, 4096> buffer;
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
            out += buffer.data();
        EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 0) << arguments;
        return Normalised(out, folder.string());
    }

    void Compare(const std::string& output, const std::filesystem::path& expected)
    {
        if (std::getenv("KORVEL_UPDATE_EXPECTED") != nullptr)
            WriteFile(expected, output);
        ASSERT_TRUE(std::filesystem::exists(expected)) << expected << " is missing";
        EXPECT_EQ(output, ReadFile(expected)) << expected;
    }
};

TEST_F(ExamplesTest, EverySessionPrintsWhatIsExpected)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sessions)) {
        if (entry.path().extension() != ".jsonl")
            continue;
        ++count;
        const std::filesystem::path work = this->work() / entry.path().stem();
        std::filesystem::path expected = std::filesystem::path(entry.path()).replace_extension(".expected");
#if KORVEL_HOST_GENERATION >= 29
        if (const auto own = std::filesystem::path(entry.path()).replace_extension(".expected29");
            std::filesystem::exists(own))
            expected = own;
#endif
        Compare(Output("run " + entry.path().string() + ProjectOption(entry.path()) + " --work " + work.string(), work),
                expected);
    }
    EXPECT_GT(count, 0);
}

TEST_F(ExamplesTest, TheDemoPrintsWhatIsExpected)
{
    Compare(Output("demo --work " + (work() / "demo").string(), work() / "demo"), sessions / "demo.expected");
}
