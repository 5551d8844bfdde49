// Every seed of the fuzz corpus and every input the fuzzer ever crashed on, replayed
// through the bridge: a mended crash stays mended.
#include <algorithm>

#include "AddOnTest.hpp"
#include "FuzzInput.hpp"

namespace {

using testing_support::AddOnTest;

std::vector<std::filesystem::path> Inputs(const char* folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KORVEL_FUZZ_DIR) / folder))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzReplayTest : public AddOnTest {
protected:
    void Replay(const std::vector<std::filesystem::path>& files)
    {
        ASSERT_FALSE(files.empty());
        for (const auto& file : files) {
            korvel_fuzz::ResetProject();
            const std::string bytes = ReadFile(file);
            const std::string escaped =
                korvel_fuzz::RunInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            EXPECT_EQ(escaped, "") << file.filename();
        }
    }
};

TEST_F(FuzzReplayTest, InputsTheFuzzerCrashedOnAreHandled)
{
    Replay(Inputs("crashes"));
}

TEST_F(FuzzReplayTest, TheSeedCorpusRunsCleanly)
{
    Replay(Inputs("corpus"));
}

} // namespace
