// The docs name exactly what the code's tables hold: the page object's functions, the
// session actions, the dumps and the import types. A row added to a table without its doc
// (or a doc left behind by a removed row) fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "ImportManager.hpp"
#include "JsBridge.hpp"
#include "Session.hpp"

namespace {

std::string ReadDoc(const std::string& name)
{
    std::ifstream file(std::string(KORVEL_DOCS_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text from the heading line `heading` to the next heading of any level.
std::string Section(const std::string& doc, const std::string& heading)
{
    const std::size_t at = doc.find("\n" + heading + "\n");
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + heading.size() + 2;
    const std::size_t end = doc.find("\n#", from);
    return doc.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

// The rows of the tables in `text` whose first cell is `PREFIX name SUFFIX`: name ->
// the second cell.
std::map<std::string, std::string> Rows(const std::string& text, const std::string& firstCell)
{
    std::map<std::string, std::string> rows;
    const std::regex row("^\\| " + firstCell + " \\| (.*?) \\|");
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, row))
            rows[match[1]] = match[2];
    }
    return rows;
}

std::set<std::string> Names(const std::map<std::string, std::string>& rows)
{
    std::set<std::string> names;
    for (const auto& [name, description] : rows)
        names.insert(name);
    return names;
}

TEST(DocsTest, ThePageFunctionsTheActionsAndTheDumpsAreTheTablesOfTheCode)
{
    const std::string sessions = ReadDoc("sessions.md");
    const std::string bridge = ReadDoc("bridge.md");
    ASSERT_FALSE(sessions.empty());
    ASSERT_FALSE(bridge.empty());

    // The page object's functions, with the code's own descriptions.
    std::map<std::string, std::string> functions;
    for (const KRV::BridgeFunction& function : KRV::BridgeFunctions())
        functions[function.name] = function.description;
    EXPECT_EQ(Rows(Section(sessions, "### Calling the page's functions"), "`([A-Za-z]+)`"), functions);
    EXPECT_NE(bridge.find("with its " + std::to_string(functions.size()) + " functions"), std::string::npos)
        << "bridge.md counts the functions of jsKorvelInterface";

    // The session actions.
    std::set<std::string> actions;
    for (const auto& action : korvel_host::Session::Actions())
        actions.insert(action.name);
    EXPECT_EQ(Names(Rows(Section(sessions, "## Actions"), "`\\{\"do\":\"([a-z]+)\"[^|]*`")), actions);

    // The dumps, with the code's own descriptions, and the list bridge.md gives of them.
    std::map<std::string, std::string> dumps;
    for (const auto& dump : korvel_host::Session::Dumps())
        dumps[dump.name] = dump.description;
    EXPECT_EQ(Rows(Section(sessions, "### What `dump` shows"), "`([a-z]+)`"), dumps);
    std::set<std::string> listed;
    const std::size_t row = bridge.find("| `api/dump/WHAT` (GET) |");
    ASSERT_NE(row, std::string::npos);
    const std::string line = bridge.substr(row, bridge.find('\n', row) - row);
    const std::string list = line.substr(line.find("as JSON:"));
    const std::regex name("`([a-z]+)`");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), name); it != std::sregex_iterator(); ++it)
        listed.insert((*it)[1]);
    EXPECT_EQ(listed, Names(dumps));
}

TEST(DocsTest, TheRequestFlowNamesEveryImportType)
{
    const std::string flow = ReadDoc("request-flow.md");
    ASSERT_FALSE(flow.empty());
    std::map<std::string, std::string> types;
    for (const KRV::ImportType& type : KRV::ImportTypes())
        types[type.name] = type.description;
    EXPECT_EQ(Rows(flow, "\"([a-z A-Z]+)\""), types);
}

} // namespace
