// Every test gets a fresh host and project and its own work folder.
#include "WorkFolder.hpp"

#include <unistd.h>

namespace testing_support {

void HostTest::SetUp()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + "." + std::to_string(getpid());
    for (char& c : name)
        if (c == '/')
            c = '_';
    workFolder = std::filesystem::temp_directory_path() / "korvel-tests" / name;
    std::filesystem::remove_all(workFolder);
    host().SetWorkFolder(workFolder);
    host().Reset();
}

void HostTest::TearDown()
{
    EXPECT_TRUE(host().GetEscapedExceptions().empty())
        << "an exception escaped into the host: " << host().GetEscapedExceptions().front();
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    if (!HasFailure())
        std::filesystem::remove_all(workFolder, ignored);
}

std::vector<std::string> HostTest::LogLines() const
{
    std::vector<std::string> lines;
    std::ifstream file(workFolder / "log.txt");
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> HostTest::LogMessages() const
{
    // "dd-mm-yyyy hh:mm:ss " (20) + tag (9) + three blanks
    std::vector<std::string> messages;
    for (const std::string& line : LogLines())
        messages.push_back(line.size() >= 32 ? line.substr(32) : line);
    return messages;
}

std::string HostTest::ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void HostTest::WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace testing_support
