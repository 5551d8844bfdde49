// Session scripts: one line per step, and bad steps that do not stop the session.
#include <sstream>

#include "AddOnTest.hpp"
#include "Session.hpp"

using namespace testing_support;
using nlohmann::json;

class SessionTest : public HostTest {
protected:
    std::vector<json> Run(const std::string& script, korvel_host::SessionOutcome* outcome = nullptr)
    {
        std::ostringstream out;
        korvel_host::Session session(out, work());
        EXPECT_TRUE(session.LoadAddOn());
        std::istringstream in(script);
        auto result = session.Run(in);
        if (outcome != nullptr)
            *outcome = result;
        std::vector<json> lines;
        std::istringstream printed(out.str());
        for (std::string line; std::getline(printed, line);)
            lines.push_back(json::parse(line));
        return lines;
    }
};

TEST_F(SessionTest, StepsPrintOneLineEachAndBadStepsDoNotStopTheSession)
{
    WriteFile(work() / "req.json", R"({"data":{"import_type":"none"}})");
    WriteFile(work() / "drop.json", R"({"data":{"import_type":"none"}})");
    korvel_host::SessionOutcome outcome;
    auto lines = Run(R"(
# comments and blank lines are skipped
{"do":"palette","which":"browser","message":7}
{"do":"menu","id":32500,"item":1}
{"do":"palette","which":"browser","message":7}
{"do":"js","fn":"import"}
{"do":"js","fn":"import","argFile":"req.json"}
{"do":"js","fn":"export","arg":["a",null]}
{"do":"js","fn":"nope"}
{"do":"fly"}
not json
{"do":"drop","file":"drop.json","method":2}
{"do":"drop","file":"missing.txt"}
{"do":"answer","buttons":[2]}
{"do":"palette","which":"native","message":6}
{"do":"click","which":"native"}
{"do":"dump","what":"log"}
{"do":"dump","what":"nothing"}
)",
                     &outcome);
    ASSERT_EQ(lines.size(), 17u);
    // Each step's line, found by the step number it carries (0: the loading).
    auto step = [&](int n) -> const json& {
        for (const json& line : lines)
            if (line.value("step", -1) == n)
                return line;
        ADD_FAILURE() << "no line for step " << n;
        static const json none = json::object();
        return none;
    };
    EXPECT_EQ(step(0)["loaded"], true);
    EXPECT_EQ(step(1)["visible"], false);                                // the palette, before the menu
    EXPECT_EQ(step(3)["visible"], true);                                 // and after it
    EXPECT_EQ(step(4)["reply"], 0);                                      // import without an argument
    EXPECT_EQ(step(5)["reply"], R"({"IsError":true,"ShowError":true})"); // an unknown import type
    EXPECT_EQ(step(6)["reply"], R"({"IsError":true,"ShowError":true})"); // export with a null item
    EXPECT_TRUE(step(7).contains("error"));                              // no such function
    EXPECT_TRUE(step(8).contains("error"));                              // no such action
    EXPECT_TRUE(step(9).contains("error"));                              // not JSON
    EXPECT_FALSE(step(10).contains("error"));                            // a dropped file
    EXPECT_TRUE(step(11).contains("error"));                             // a missing file
    EXPECT_EQ(step(14)["clicked"], true);
    EXPECT_EQ(step(15)["result"].size(), 3u); // the log
    EXPECT_EQ(step(15)["result"][1].get<std::string>().substr(20),
              "[Error]     jsKorvelInterface.export failed: Null reference.");
    EXPECT_TRUE(step(16).contains("error")); // no such dump
    EXPECT_EQ(outcome.steps, 16);
    EXPECT_EQ(outcome.failedSteps, 5);
    EXPECT_FALSE(outcome.crashed);
    EXPECT_EQ(host().UI().alertAnswers.size(), 1u);
}

TEST_F(SessionTest, AnExceptionEscapingTheAddOnEndsTheSessionAsACrash)
{
    korvel_host::SessionOutcome outcome;
    std::ostringstream out;
    korvel_host::Session session(out, work());
    ASSERT_TRUE(session.LoadAddOn());
    std::istringstream open(R"({"do":"menu","id":32500,"item":1})");
    session.Run(open);
    // A page object of someone else's that throws, to stand for a faulty callback.
    auto rogue = GS::Ref<DG::JSObject>(new DG::JSObject("rogue"));
    rogue->AddItem(GS::Ref<DG::JSBase>(new DG::JSFunction(
        "boom", [](GS::Ref<DG::JSBase>) -> GS::Ref<DG::JSBase> { throw std::runtime_error("boom"); })));
    KRV::BrowserPalette::GetInstance()->GetBrowser().RegisterAsynchJSObject(rogue);
    std::istringstream script(
        "{\"do\":\"js\",\"object\":\"rogue\",\"fn\":\"boom\"}\n{\"do\":\"dump\",\"what\":\"log\"}\n");
    outcome = session.Run(script);
    EXPECT_TRUE(outcome.crashed);
    EXPECT_EQ(outcome.steps, 1);
    EXPECT_NE(out.str().find("host crash: exception escaped rogue.boom: boom"), std::string::npos) << out.str();
    host().Reset(); // the escape was wanted here
}
