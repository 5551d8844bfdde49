// The self-update: the installer's download, the update script, refused addresses.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "AddOnTest.hpp"
#include "Host.hpp"
#include "LoopbackServer.hpp"
#include "SelfUpdate.hpp"
#include "Timeouts.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

const std::string prefix =
    "#!/bin/sh\n\nPROCESS=Archicad\nwhile :\ndo\n\tnumber=$(ps aux | grep -v grep | grep -ci "
    "$PROCESS)\n\n\tif [ $number -eq 0 ]\n\t\tthen\n\t\t\tbreak\n\tfi\n\tsleep 0.5\ndone\n\nopen ";

} // namespace

// "selfUpdate": a newer installer downloaded, and a script that opens it once the host has quit.
class SelfUpdateTest : public AddOnTest {
protected:
    void SetUp() override
    {
        AddOnTest::SetUp();
        WriteFile(work() / "served" / "Korvel Setup 2.7.pkg", "installer bytes");
        WriteFile(work() / "served" / "leer.pkg", "");
        server = std::make_unique<korvel_loopback::LoopbackServer>(work() / "served");
        KRV::net::TransferTimeouts() = {2, 1000, 1};
    }
    json Update(const std::string& address) { return ReplyJson(CallWithText("selfUpdate", address)); }
    std::filesystem::path Folder() const { return work() / "Application Data" / "Korvel Add-on Update"; }

    std::unique_ptr<korvel_loopback::LoopbackServer> server;
};

TEST_F(SelfUpdateTest, TheScriptQuotesThePathAsOneShellWord)
{
    EXPECT_EQ(KRV::UpdateScript("/Users/anna/Korvel Add-on Update/Korvel.pkg"),
              prefix + "'/Users/anna/Korvel Add-on Update/Korvel.pkg'\n");
    EXPECT_EQ(KRV::UpdateScript("/Users/o'brien/x.pkg"), prefix + "'/Users/o'\\''brien/x.pkg'\n");
}

TEST_F(SelfUpdateTest, TheInstallerIsDownloadedAndTheScriptStartedWithoutAShell)
{
    EXPECT_EQ(Update(server->Url() + "/Korvel%20Setup%202.7.pkg?sig=abc#top"), ok);
    const auto installer = Folder() / "Installer" / "Korvel Setup 2.7.pkg";
    EXPECT_EQ(ReadFile(installer), "installer bytes");
    const auto script = Folder() / "Korvel_Add-on_Update.sh";
    EXPECT_EQ(ReadFile(script), prefix + "'" + installer.string() + "'\n");
    EXPECT_EQ(host().UI().launched, (std::vector<std::string>{"chmod " + script.string(), "start " + script.string()}));
    EXPECT_TRUE(LogLines().empty());

    // An installer named like the script stays the installer, and the script stays the script.
    WriteFile(work() / "served" / "Korvel_Add-on_Update.sh", "installer named like the script");
    host().UI().launched.clear();
    EXPECT_EQ(Update(server->Url() + "/Korvel_Add-on_Update.sh"), ok);
    const auto sameName = Folder() / "Installer" / "Korvel_Add-on_Update.sh";
    EXPECT_EQ(ReadFile(sameName), "installer named like the script");
    EXPECT_EQ(ReadFile(script), prefix + "'" + sameName.string() + "'\n");
    EXPECT_EQ(host().UI().launched, (std::vector<std::string>{"chmod " + script.string(), "start " + script.string()}));
}

TEST_F(SelfUpdateTest, AddressesAndDownloadsThatWillNotDoStartNothing)
{
    server->SetAnswer("/kaputt.pkg", "404");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {server->Url() + "/kaputt.pkg", "HTTP status 404"},
        {server->Url() + "/leer.pkg", "is empty"},
        {"http://example.com/Korvel.pkg", "plain http is only used for this machine"},
        {"ftp://example.com/Korvel.pkg", "the scheme \"ftp\" is not allowed"},
        {"https://example.com/", "names no file"},
        {"https://example.com", "names no file"},
        {server->Url() + "/a/..", "names no file"},
        {server->Url() + "/" + std::string(1100, 'x') + ".pkg", "longer than 1023 bytes"},
        {"Korvel.pkg", "not an address"},
    };
    for (const auto& [address, reason] : cases) {
        EXPECT_EQ(Update(address), failed) << address;
        EXPECT_NE(LogMessages().back().find(reason), std::string::npos) << address << ": " << LogMessages().back();
    }
    EXPECT_TRUE(host().UI().launched.empty());
    EXPECT_FALSE(std::filesystem::exists(Folder() / "Korvel_Add-on_Update.sh"));
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Folder(), ignored))
        if (!entry.is_directory())
            ADD_FAILURE() << "left behind: " << entry.path();
}

TEST_F(SelfUpdateTest, TheScriptWaitsForTheHostToQuitThenOpensTheInstaller)
{
    // Stand-ins for `ps` (lists "Archicad" while the marker exists) and `open` (notes its argument).
    const auto bin = work() / "bin";
    const auto marker = work() / "archicad-runs";
    const auto opened = work() / "opened.txt";
    WriteFile(bin / "ps",
              "#!/bin/sh\nif [ -e '" + marker.string() + "' ]; then echo 'anna 42 /Applications/ARCHICAD'; fi\n");
    WriteFile(bin / "open", "#!/bin/sh\necho \"$1\" > '" + opened.string() + "'\n");
    for (const char* tool : {"ps", "open"})
        std::filesystem::permissions(bin / tool, std::filesystem::perms::owner_all);
    WriteFile(marker, "");
    const std::string path = bin.string() + ":" + std::getenv("PATH");
    setenv("PATH", path.c_str(), 1);

    host().UI().reallyLaunch = true;
    ASSERT_EQ(Update(server->Url() + "/Korvel%20Setup%202.7.pkg"), ok);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_FALSE(std::filesystem::exists(opened)) << "opened while the host still runs";
    std::filesystem::remove(marker); // the user quits the host
    for (int i = 0; i < 100 && !std::filesystem::exists(opened); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ReadFile(opened), (Folder() / "Installer" / "Korvel Setup 2.7.pkg").string() + "\n");
}
