#pragma once
// Every test gets a fresh host and project and its own work folder as the host's
// current directory, so tests run in parallel without touching each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Host.hpp"

namespace testing_support {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    sim::Host& host() { return sim::Host::Get(); }
    const std::filesystem::path& work() const { return workFolder; }

    // Lines of "log.txt" in the work folder (empty when there is none).
    std::vector<std::string> LogLines() const;
    // The message part of each log line: what follows the time, the tag and three blanks.
    std::vector<std::string> LogMessages() const;
    static std::string ReadFile(const std::filesystem::path& path);
    static void WriteFile(const std::filesystem::path& path, const std::string& text);

private:
    std::filesystem::path workFolder;
};

} // namespace testing_support
