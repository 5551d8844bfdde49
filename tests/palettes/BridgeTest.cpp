// The page's object: every function's replies, arguments of every kind, failures.
#include "AddOnTest.hpp"
#include "Host.hpp"
#include "JsBridge.hpp"
#include "ServiceAddress.hpp"

using namespace testing_support;
using nlohmann::json;

class BridgeTest : public AddOnTest {
protected:
    static Reply Array(std::vector<Reply> items)
    {
        auto array = GS::Ref<DG::JSArray>(new DG::JSArray());
        for (auto& item : items)
            array->AddItem(item);
        return array;
    }
    static Reply Number(int n) { return Reply(new DG::JSValue(n)); }
    static Reply Object() { return Reply(new DG::JSObject("o")); }
    const std::string failure = R"({"IsError":true,"ShowError":true})";
};

TEST_F(BridgeTest, TheObjectIsRegisteredBeforeThePageLoads)
{
    KRV::BrowserPalette* palette = KRV::BrowserPalette::GetInstance();
    ASSERT_NE(palette, nullptr);
    const auto& objects = palette->GetBrowser().GetJSObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0]->GetName(), "jsKorvelInterface");
    std::vector<std::string> names;
    for (const auto& item : objects[0]->GetItemArray())
        names.push_back(item->GetName().ToUtf8());
    EXPECT_EQ(names, (std::vector<std::string>{"import", "platform", "updateStatus", "update", "getCalculationData",
                                               "replaceMaterialUsedInConstructionSystem", "replaceSystem",
                                               "openExternalLink", "bulkImport", "export", "selfUpdate"}));
    EXPECT_EQ(palette->GetBrowser().GetURL(), KRV::serviceBaseAddress);
}

TEST_F(BridgeTest, PlatformAndStatusReplies)
{
    EXPECT_EQ(ReplyText(Call("platform")), R"({"installer_version":"2.6.0","os":"macos","platform_type":0,"version":)" +
                                               std::to_string(KORVEL_HOST_GENERATION) + "}");
    EXPECT_EQ(ReplyText(Call("platform", Object())), ReplyText(Call("platform")));
    EXPECT_EQ(KRV::ReturnStatus(true, false), R"({"IsError":false,"ShowError":true})");
    EXPECT_EQ(KRV::ReturnStatus(false, true), R"({"IsError":true,"ShowError":false})");
}

TEST_F(BridgeTest, ImportLikeFunctionsHandleTheirArguments)
{
    // No argument: "import" and "update" answer the integer 0 and import nothing.
    EXPECT_EQ(ReplyText(Call("import")), "<0>");
    EXPECT_EQ(ReplyText(Call("update")), "<0>");
    EXPECT_TRUE(LogLines().empty());

    // The replace functions run the import on the empty text.
    EXPECT_EQ(ReplyText(Call("replaceSystem")), R"({"IsError":true,"ShowError":false})");
    EXPECT_EQ(ReplyText(Call("replaceMaterialUsedInConstructionSystem")), R"({"IsError":true,"ShowError":false})");
    // A number runs the import on the empty text.
    EXPECT_EQ(ReplyText(Call("import", Number(4))), R"({"IsError":true,"ShowError":true})");
    EXPECT_EQ(LogMessages().size(), 3u);
    for (const auto& message : LogMessages())
        EXPECT_EQ(message, "ImportManager.GetImporter could not return importer.");

    // An object that is not a value is a bad cast: logged, answered as a failure.
    EXPECT_EQ(ReplyText(Call("import", Object())), failure);
    EXPECT_EQ(LogMessages().back(), "jsKorvelInterface.import failed: Bad cast.");
    // The replacements answer their failures with ShowError false, however they fail.
    EXPECT_EQ(ReplyText(Call("replaceSystem", Array({}))), R"({"IsError":true,"ShowError":false})");
    EXPECT_EQ(LogMessages().back(), "jsKorvelInterface.replaceSystem failed: Bad cast.");

    // JSON errors from deep inside the request reach the page as a failure too.
    EXPECT_EQ(ReplyText(CallWithText("update", R"({"data": {"import_type": "Material", "name": "N"}})")), failure);
    EXPECT_NE(LogMessages().back().find("jsKorvelInterface.update failed: [json.exception.out_of_range.403]"),
              std::string::npos)
        << LogMessages().back();
    EXPECT_EQ(ReplyText(CallWithText("import", R"({"data": {"import_type": "Product", "file_url": 3}})")), failure);
    // A request nested deep enough to exhaust the stack is refused like malformed JSON.
    testing::internal::CaptureStdout();
    EXPECT_EQ(ReplyText(CallWithText("import", R"({"data": {"import_type": "Material", "name": "N", "articles": [)" +
                                                   std::string(200000, '[') + std::string(200000, ']') + "]}}")),
              failure);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(LogMessages().back(), "ImportManager.GetImporter could not return importer.");
    // A number beyond a double's range makes the request as unparsable as a syntax error does.
    for (const char* number : {"1e999", "-1e9993886", "221e99933"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(ReplyText(CallWithText("import", std::string(R"({"data":{"import_type":"Material","name":"X",)") +
                                                       R"("articles":[{"id":"a","updated_at":)" + number + "}]}}")),
                  failure);
        EXPECT_NE(testing::internal::GetCapturedStdout().find("out_of_range.406"), std::string::npos);
        EXPECT_EQ(LogMessages().back(), "ImportManager.GetImporter could not return importer.") << number;
    }
    // What follows a NUL character never reaches the import: the log says so.
    ReplyText(CallWithText("import", std::string("{\"data\": 1}") + '\0' + "rest"));
    EXPECT_TRUE(LogHas("The page's text holds a NUL character at byte 11; the 4 bytes after it are left out."));
    EXPECT_TRUE(host().GetEscapedExceptions().empty());
}

TEST_F(BridgeTest, TextFunctionsWithoutTheirOperationsAnswerFailures)
{
    EXPECT_EQ(ReplyText(Call("bulkImport")), "[]");
    EXPECT_EQ(ReplyText(Call("bulkImport", Object())), failure);
    // An empty project: nothing to report, an empty take-off.
    EXPECT_EQ(ReplyText(Call("updateStatus", JsText("[]"))), "[]");
    EXPECT_EQ(ReplyText(Call("getCalculationData")),
              "{\n \"CurtainWallInfo\": null,\n \"ProductInfo\": [],\n \"StairCalculationInfo\": null,\n "
              "\"SystemInfo\": []\n}");
    EXPECT_EQ(ReplyText(Call("export")), failure);
    EXPECT_EQ(ReplyText(Call("selfUpdate", JsText("https://x/installer.pkg"))), failure);
    EXPECT_EQ(ReplyText(Call("updateStatus", Object())), failure);
    EXPECT_EQ(LogMessages().back(), "jsKorvelInterface.updateStatus failed: Bad cast.");
}

TEST_F(BridgeTest, ExportArgumentsAreConvertedStrictly)
{
    EXPECT_EQ(KRV::ConvertJsArrayToUniStringArray(Reply()), nullptr);
    std::unique_ptr<GS::Array<GS::UniString>> strings(
        KRV::ConvertJsArrayToUniStringArray(Array({JsText("token"), Number(5), Reply(new DG::JSValue(true))})));
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(*strings, (GS::Array<GS::UniString>{"token", "5", "true"}));
    EXPECT_THROW(KRV::ConvertJsArrayToUniStringArray(JsText("not an array")), GS::ClassCastException);
    EXPECT_THROW(KRV::ConvertJsArrayToUniStringArray(Array({Object()})), GS::ClassCastException);

    EXPECT_EQ(ReplyText(Call("export", Array({JsText("a"), Reply()}))), failure);
    EXPECT_EQ(LogMessages().back(), "jsKorvelInterface.export failed: Null reference.");

    EXPECT_EQ(KRV::GetStringFromJsVariable(Reply()), "");
    EXPECT_EQ(KRV::GetStringFromJsVariable(Number(3)), "");
    EXPECT_EQ(KRV::GetStringFromJsVariable(JsText("ä")), "ä");
    EXPECT_THROW(KRV::GetStringFromJsVariable(Array({})), GS::ClassCastException);
}

TEST_F(BridgeTest, OnlyWebAndMailLinksAreOpened)
{
    const std::string opened = R"({"IsError":false,"ShowError":false})";
    const std::string refused = R"({"IsError":true,"ShowError":false})";
    EXPECT_EQ(ReplyText(CallWithText("openExternalLink", "https://korvel.com/help")), opened);
    EXPECT_EQ(ReplyText(CallWithText("openExternalLink", "HTTP://example.org")), opened);
    EXPECT_EQ(ReplyText(CallWithText("openExternalLink", "mailto:support@korvel.com")), opened);
    for (const char* address :
         {"file:///etc/passwd", "/Applications/Calculator.app", "javascript:alert(1)", "smb://server/share",
          "https:///local", "http://a b", "", "ssh://host", "https://example.org\nfile:///x"})
        EXPECT_EQ(ReplyText(CallWithText("openExternalLink", address)), refused) << address;
    EXPECT_EQ(ReplyText(Call("openExternalLink")), refused);
    EXPECT_EQ(host().UI().openedLinks,
              (std::vector<std::string>{"https://korvel.com/help", "HTTP://example.org", "mailto:support@korvel.com"}));
}

TEST_F(BridgeTest, PaletteMessagesAndClosing)
{
    const GS::Guid& guid = KRV::BrowserPalette::paletteGuid;
    KRV::BrowserPalette* palette = KRV::BrowserPalette::GetInstance();
    EXPECT_TRUE(sim::user::AskPaletteVisible(guid));
    EXPECT_TRUE(sim::user::ClosePalette(guid));
    EXPECT_FALSE(palette->IsVisible());
    EXPECT_EQ(KRV::BrowserPalette::GetInstance(), palette);
    EXPECT_FALSE(sim::user::AskPaletteVisible(guid));

    sim::user::SendPaletteMessage(guid, APIPalMsg_OpenPalette);
    EXPECT_EQ(KRV::BrowserPalette::GetInstance(), palette);
    EXPECT_TRUE(palette->IsVisible());
    EXPECT_EQ(palette->GetBrowser().GetLoadCount(), 1); // the page stayed

    for (auto message : {APIPalMsg_HidePalette_Begin, APIPalMsg_DisableItems_Begin})
        EXPECT_EQ(sim::user::SendPaletteMessage(guid, message), NoError);
    EXPECT_TRUE(palette->IsVisible());
    EXPECT_EQ(sim::user::SendPaletteMessage(guid, APIPalMsg_ClosePalette), NoError);
    EXPECT_FALSE(palette->IsVisible());

    short width = palette->GetBrowser().GetWidth();
    sim::user::ResizePalette(guid, 30, -10);
    EXPECT_EQ(palette->GetBrowser().GetWidth(), width + 30);
    EXPECT_EQ(palette->GetMoveResizeDepth(), 0);
}

TEST_F(BridgeTest, TheNativePaletteShowsTheCalculationsPage)
{
    const GS::Guid& guid = KRV::Palette::paletteGuid;
    EXPECT_FALSE(sim::user::AskPaletteVisible(guid));
    sim::user::SendPaletteMessage(guid, APIPalMsg_OpenPalette);
    ASSERT_TRUE(KRV::Palette::HasInstance());
    EXPECT_TRUE(sim::user::AskPaletteVisible(guid));

    // Message 3 shows the palette even when the user hid it before message 2.
    KRV::Palette::GetInstance()->Hide();
    sim::user::SendPaletteMessage(guid, APIPalMsg_HidePalette_Begin);
    sim::user::SendPaletteMessage(guid, APIPalMsg_HidePalette_End);
    EXPECT_TRUE(KRV::Palette::GetInstance()->IsVisible());

    sim::user::SendPaletteMessage(guid, APIPalMsg_DisableItems_Begin);
    EXPECT_FALSE(sim::user::ClickButton(guid, 1)); // disabled
    sim::user::SendPaletteMessage(guid, APIPalMsg_DisableItems_End);

    KRV::BrowserPalette* browser = KRV::BrowserPalette::GetInstance();
    browser->Hide();
    EXPECT_TRUE(sim::user::ClickButton(guid, 1));
    EXPECT_TRUE(browser->IsVisible());
    EXPECT_EQ(browser->GetBrowser().GetURL(), std::string(KRV::serviceBaseAddress) + "/#/calculations");

    EXPECT_TRUE(sim::user::ClosePalette(guid));
    EXPECT_FALSE(KRV::Palette::GetInstance()->IsVisible());

    // Quitting releases the native palette.
    sim::user::SendProjectEvent(APINotify_Quit);
    EXPECT_FALSE(KRV::Palette::HasInstance());
    EXPECT_THROW(KRV::Palette::GetInstance(), GS::NullReferenceException);
}

class NativePaletteAloneTest : public AddOnTest {
protected:
    NativePaletteAloneTest() { openPaletteOnSetUp = false; }
};

TEST_F(NativePaletteAloneTest, TheButtonNeverCreatesTheBrowserPalette)
{
    EXPECT_FALSE(sim::user::AskPaletteVisible(KRV::BrowserPalette::paletteGuid));
    sim::user::ChooseMenu(32400, 1);
    EXPECT_TRUE(sim::user::ClickButton(KRV::Palette::paletteGuid, 1));
    EXPECT_FALSE(KRV::BrowserPalette::HasInstance());
    sim::user::SendPaletteMessage(KRV::BrowserPalette::paletteGuid, APIPalMsg_OpenPalette);
    EXPECT_TRUE(KRV::BrowserPalette::HasInstance());
    EXPECT_TRUE(sim::user::AskPaletteVisible(KRV::BrowserPalette::paletteGuid));
}
