// The log file and the host error texts.
#include <regex>

#include "APIErrors.h"
#include "ErrorMessages.hpp"
#include "Logger.hpp"
#include "WorkFolder.hpp"

using testing_support::HostTest;

class LoggerTest : public HostTest {};

TEST_F(LoggerTest, FirstMessageEmptiesTheFileAndLaterOnesAppend)
{
    WriteFile(work() / "log.txt", "left over from an earlier run\n");
    KRV::LogInfo("first");
    KRV::LogWarning("second");
    KRV::LogError("");
    KRV::Log("odd type", static_cast<KRV::LogOutputType>(7));
    KRV::LogInfo("two\nlines");

    auto lines = LogLines();
    ASSERT_EQ(lines.size(), 6u);
    const std::regex stamp(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d )");
    for (const auto& line : lines) {
        if (line != "lines") {
            EXPECT_TRUE(std::regex_search(line, stamp, std::regex_constants::match_continuous)) << line;
        }
    }
    EXPECT_EQ(lines[0].substr(20), "[Info]      first");
    EXPECT_EQ(lines[1].substr(20), "[Warning]   second");
    EXPECT_EQ(lines[2].substr(20), "[Error]     ");
    EXPECT_EQ(lines[3].substr(20), "[Info]      odd type");
    EXPECT_EQ(lines[4].substr(20), "[Info]      two");
    EXPECT_EQ(lines[5], "lines");
}

TEST_F(LoggerTest, EveryLineIsEchoedToTheDebugOutputAndTheStreamLogsEachInsertion)
{
    KRV::GetLogSrteam(KRV::Error) << "a" << std::string("b");
    auto messages = LogMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "a");
    EXPECT_EQ(messages[1], "b");
    EXPECT_EQ(LogLines()[0].substr(20, 9), "[Error]  ");

    const std::string& debug = host().GetDebugOutput();
    std::regex echo(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d \[Error\]     a \n)");
    EXPECT_TRUE(std::regex_search(debug, echo)) << debug;
    EXPECT_STREQ(KRV::GetTypeStr(static_cast<KRV::LogOutputType>(3)), "[Info]   ");
}

TEST_F(LoggerTest, AnUnwritableFolderOnlySilencesTheFile)
{
    // The log file's name is taken by a folder, so the file cannot be opened.
    std::filesystem::create_directory(work() / "log.txt");
    EXPECT_NO_THROW(KRV::LogError("nowhere to go"));
    EXPECT_NE(host().GetDebugOutput().find("nowhere to go"), std::string::npos);
}

TEST_F(LoggerTest, HostErrorCodesBecomeNamedErrorLines)
{
    KRV::LogArchicadErrorCodeMessage(0, "Op::Call");
    EXPECT_TRUE(LogLines().empty());

    KRV::LogArchicadErrorCodeMessage(static_cast<int>(0x81060001u), "Op::Call");
    KRV::LogArchicadErrorCodeMessage(APIERR_DELETED, "GetKorvelPropertyGroup::ACAPI_Property_GetPropertyGroups");
    KRV::LogArchicadErrorCodeMessage(-5, nullptr);
    KRV::LogArchicadErrorCodeMessage(APIERR_NOLIB, "");

    auto lines = LogLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(20), "[Error]     Archicad API Error: APIERR_GENERAL - General error code. (Op::Call)");
    EXPECT_EQ(LogMessages()[1], "Archicad API Error: APIERR_DELETED - Reference to a deleted, purged or non - "
                                "existent database item. (GetKorvelPropertyGroup::ACAPI_Property_GetPropertyGroups)");
    EXPECT_EQ(LogMessages()[2], "Archicad API Error: Unspecified error message");
    EXPECT_EQ(LogMessages()[3], "Archicad API Error: APIERR_NOLIB - No library was loaded.The operation cannot be "
                                "executed without a loaded library.Can be returned by ACAPI_LibPart_Create. ()");
}

TEST_F(LoggerTest, TheErrorTableNamesEveryHostCodeOnce)
{
    ASSERT_EQ(KRV::err_msgs.size(), 73u);
    EXPECT_EQ(KRV::err_msgs.begin()->first, APIERR_GENERAL);
    EXPECT_EQ(KRV::err_msgs.at(APIERR_BADPLATFORMSIGN),
              "APIERR_BADPLATFORMSIGN - The passed platform sign is not valid.See ACAPI_ModulData_Store.");
    const std::regex form(R"(APIERR_[A-Z0-9]+ - \S.*\.)");
    for (const auto& [code, text] : KRV::err_msgs) {
        EXPECT_LT(code, 0);
        EXPECT_TRUE(std::regex_match(text, form)) << text;
    }
    EXPECT_EQ(KRV::err_msgs.at(APIERR_MISSINGDEF).rfind("APIERR_MISSINGDEF - ", 0), 0u);
    EXPECT_EQ(KRV::err_msgs.at(APIERR_NAMEALREADYUSED).rfind("APIERR_NAMEALREADYUSED - ", 0), 0u);
}
