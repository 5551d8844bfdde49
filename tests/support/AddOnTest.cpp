// A test as a user session: a fresh host and project, the add-on loaded, the palette open.
#include "AddOnTest.hpp"

namespace testing_support {

void AddOnTest::SetUp()
{
    HostTest::SetUp();
    if (loadOnSetUp) {
        auto result = Load();
        ASSERT_TRUE(result.loaded) << "register " << result.registerCode << " initialize " << result.initializeCode;
        if (openPaletteOnSetUp)
            OpenBrowserPalette();
    }
}

sim::user::LoadResult AddOnTest::Load()
{
    return sim::user::LoadAddOn(KRV::AddOnImage());
}

void AddOnTest::OpenBrowserPalette()
{
    ASSERT_EQ(sim::user::ChooseMenu(32500, 1), NoError);
}

Reply AddOnTest::Call(const std::string& function, Reply argument)
{
    bool found = false;
    Reply reply = sim::user::CallJS("jsKorvelInterface", function, argument, &found);
    EXPECT_TRUE(found) << "no JavaScript function " << function;
    return reply;
}

Reply AddOnTest::CallWithText(const std::string& function, const std::string& text)
{
    return Call(function, JsText(text));
}

std::string AddOnTest::ReplyText(const Reply& reply)
{
    auto value = GS::DynamicCast<DG::JSValue>(reply);
    if (value == nullptr)
        return "<no reply>";
    if (value->GetType() == DG::JSValue::STRING)
        return value->GetString().ToUtf8();
    return "<" + value->GetString().ToUtf8() + ">";
}

nlohmann::json AddOnTest::ReplyJson(const Reply& reply)
{
    return nlohmann::json::parse(ReplyText(reply));
}

bool AddOnTest::AnsweredFailure(const Reply& reply)
{
    const nlohmann::json status = nlohmann::json::parse(ReplyText(reply), nullptr, false);
    return status.is_object() && status.value("IsError", false) == true;
}

Reply AddOnTest::JsText(const std::string& text)
{
    return Reply(new DG::JSValue(GS::UniString(text)));
}

nlohmann::json AddOnTest::Import(const nlohmann::json& envelope)
{
    return ReplyJson(CallWithText("import", envelope.dump()));
}

bool AddOnTest::LogHas(const std::string& message) const
{
    for (const auto& line : LogMessages())
        if (line == message)
            return true;
    return false;
}

void AddOnTest::UseProject(const nlohmann::json& file)
{
    host().SetProject(sim::LoadProject(file));
}

} // namespace testing_support
