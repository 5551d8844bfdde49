#pragma once
// A test as a user session: a fresh host and project, the add-on loaded as the
// application loads it, and the browser palette open.
#include <nlohmann/json.hpp>

#include "AddOnMain.hpp"
#include "BrowserPalette.hpp"
#include "DG/Browser.hpp"
#include "Palette.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"
#include "WorkFolder.hpp"

namespace testing_support {

using Reply = GS::Ref<DG::JSBase>;

// The page's status replies to an import, an export or a self-update.
inline nlohmann::json Status(bool isError, bool showError = true)
{
    return {{"IsError", isError}, {"ShowError", showError}};
}
inline const nlohmann::json ok = Status(false);
inline const nlohmann::json failed = Status(true);

class AddOnTest : public HostTest {
protected:
    void SetUp() override;

    // Loads the add-on without opening a palette.
    sim::user::LoadResult Load();
    void OpenBrowserPalette();

    // Calls a function of "jsKorvelInterface".
    Reply Call(const std::string& function, Reply argument = Reply());
    Reply CallWithText(const std::string& function, const std::string& text);
    // The reply as the page sees it: a string's text, or another value as JSON text.
    static std::string ReplyText(const Reply& reply);
    static nlohmann::json ReplyJson(const Reply& reply);
    // Whether the reply is a status telling the page the work failed.
    static bool AnsweredFailure(const Reply& reply);
    static Reply JsText(const std::string& text);

    // Imports through the page's "import" and answers the parsed status reply.
    nlohmann::json Import(const nlohmann::json& envelope);
    bool LogHas(const std::string& message) const;
    // Replaces the open project with one read from a project file's JSON.
    void UseProject(const nlohmann::json& file);
    sim::Project& project() { return host().GetProject(); }

    bool loadOnSetUp = true;
    bool openPaletteOnSetUp = true;
};

} // namespace testing_support
