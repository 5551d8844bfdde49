// What korvel-host can say about a catalogue payload beyond the add-on's own log line.
#include "PayloadRules.hpp"

#include <map>
#include <optional>
#include <regex>

#include "ImportManager.hpp"
#include "JsonText.hpp"

namespace korvel_host {

using nlohmann::json;

namespace {

std::string Shown(const json& value)
{
    std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
    return text.size() > 40 ? text.substr(0, 40) + "…" : text;
}

json Problem(const std::string& detail, const std::string& member)
{
    json problem = {{"detail", detail}};
    if (!member.empty())
        problem["member"] = member;
    return problem;
}

// The shape of one catalogue item (the page's "data"), found at `at`.
json ItemProblem(const json& data, const std::string& at)
{
    if (!data.is_object())
        return Problem("a catalogue item is an object, not " + Shown(data), at);
    // The add-on's own table of the import types, as the page writes them.
    std::string known;
    for (const KRV::ImportType& row : KRV::ImportTypes())
        known += (known.empty() ? "" : ", ") + std::string(row.name);
    if (!data.contains("import_type"))
        return Problem("the item has no \"import_type\" (one of " + known + ")", at + "/import_type");
    const json& type = data["import_type"];
    if (!type.is_string() || KRV::FindImportType(type.get<std::string>()) == nullptr)
        return Problem("the \"import_type\" " + Shown(type) + " is none the add-on knows (" + known +
                           "; written exactly so)",
                       at + "/import_type");
    const std::string kind = type.get<std::string>();
    if (kind == "Material") {
        if (!data.contains("articles") || !data["articles"].is_array())
            return Problem("a material needs \"articles\", a list", at + "/articles");
        if (data["articles"].empty())
            return Problem("the material has no articles: there is nothing to import", at + "/articles");
        for (std::size_t i = 0; i < data["articles"].size(); ++i) {
            const json& article = data["articles"][i];
            const std::string where = at + "/articles/" + std::to_string(i);
            if (!article.is_object())
                return Problem("an article is an object, not " + Shown(article), where);
            for (const char* key : {"id", "updated_at"})
                if (!article.contains(key))
                    return Problem("the article has no \"" + std::string(key) + "\"", where + "/" + key);
        }
        if (!data.contains("name"))
            return Problem("the material has no \"name\"", at + "/name");
    }
    if (kind == "Product") {
        if (!data.contains("file_url") || !data["file_url"].is_string())
            return Problem("a product needs \"file_url\", the address of its library part file", at + "/file_url");
        if (data["file_url"].get<std::string>().empty())
            return Problem("the product's \"file_url\" is empty: there is no file to import", at + "/file_url");
    }
    return nullptr;
}

} // namespace

json BulkItemProblem(const json& item, std::size_t index)
{
    const std::string at = "/" + std::to_string(index);
    // The page is told what became of an item by these; without them it is not imported.
    for (const char* key : {"id", "name"})
        if (item.is_object() && !item.contains(key))
            return Problem("the item has no \"" + std::string(key) + "\", by which the page is told what became of it",
                           at + "/" + key);
    return ItemProblem(item, at);
}

json PayloadProblem(const std::string& text, bool bulk)
{
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        return Problem("the payload is empty", "");
    std::string parseError;
    const json payload = KRV::ParseJson(text, &parseError);
    if (payload.is_discarded())
        return Problem("the payload is not JSON: " + parseError, "");
    if (bulk) {
        if (!payload.is_array())
            return Problem("a bulk import is a list of catalogue items, not " + Shown(payload), "");
        for (std::size_t i = 0; i < payload.size(); ++i)
            if (json problem = BulkItemProblem(payload[i], i); !problem.is_null())
                return problem;
        return nullptr;
    }
    if (!payload.is_object())
        return Problem("the payload is " + Shown(payload) + ", not an object {\"data\": {…}}", "");
    if (!payload.contains("data"))
        return Problem("the payload has no \"data\", the catalogue item", "/data");
    return ItemProblem(payload["data"], "/data");
}

std::vector<std::string> PayloadWarnings(const json& payload, bool bulk)
{
    std::vector<std::string> warnings;
    auto look = [&](const json& data, const std::string& at) {
        if (!data.is_object() || !data.contains("import_type") || !data["import_type"].is_string())
            return;
        const std::string type = data["import_type"].get<std::string>();
        const std::string name = data.contains("name") ? Shown(data["name"]) : "(no name)";
        if (type == "system" && (!data.contains("layers") || !data["layers"].is_array() || data["layers"].empty()))
            warnings.push_back("the composite " + name + " has no layers (" + at +
                               "/layers): it is imported as an empty composite");
        if (type == "Material" && data.contains("articles") && data["articles"].is_array() && data["articles"].empty())
            warnings.push_back("the material " + name + " has no articles (" + at + "/articles): nothing is imported");
        if (type == "Product" && (!data.contains("file_url") || !data["file_url"].is_string() ||
                                  data["file_url"].get<std::string>().empty()))
            warnings.push_back("the library part " + name + " has no file (" + at + "/file_url): nothing is imported");
    };
    if (bulk && payload.is_array()) {
        for (std::size_t i = 0; i < payload.size(); ++i)
            look(payload[i], "/" + std::to_string(i));
    } else if (payload.is_object() && payload.contains("data")) {
        look(payload["data"], "/data");
    }
    return warnings;
}

json FirstError(const json& log, std::size_t from)
{
    static const std::regex member(R"(\((/[^)]*)\))");
    for (std::size_t i = from; i < log.size(); ++i) {
        if (!log[i].is_string())
            continue;
        const std::string text = log[i].get<std::string>();
        const auto at = text.find("[Error]");
        if (at == std::string::npos)
            continue;
        std::string message = text.substr(at + 7);
        message.erase(0, message.find_first_not_of(' '));
        json error = {{"message", message}};
        std::smatch match;
        if (std::regex_search(message, match, member))
            error["member"] = match[1].str();
        return error;
    }
    return nullptr;
}

// The add-on reads parts of a payload from copies (an article, a bulk item in an envelope of
// its own), so the member an error names is relative to that part. It is found in the payload
// as the first place where it exists and matches the error: the type it complains of, or the
// key it misses.
std::string LocateMember(const json& payload, std::string member, const std::string& message, bool bulk)
{
    static const std::regex wrongType(R"(but is (\w+))");
    static const std::regex missingKey(R"(key '([^']*)' not found)");
    std::smatch match;
    std::string type, key;
    if (std::regex_search(message, match, wrongType))
        type = match[1].str();
    if (std::regex_search(message, match, missingKey))
        key = match[1].str();
    if (bulk && member.rfind("/data", 0) == 0)
        member = member.substr(5); // each item is imported as {"data": item}
    json::json_pointer pointer;
    try {
        pointer = json::json_pointer(member);
    } catch (const std::exception&) {
        return member;
    }
    auto fits = [&](const json& at) {
        if (!at.contains(pointer))
            return false;
        const json& value = at.at(pointer);
        if (!key.empty())
            return value.is_object() && !value.contains(key);
        return type.empty() || value.type_name() == type;
    };
    const std::string missing = key.empty() ? "" : "/" + key;
    auto find = [&](const std::string& tail) -> std::optional<std::string> {
        std::vector<std::pair<const json*, std::string>> stack = {{&payload, ""}};
        while (!stack.empty()) {
            auto [at, path] = stack.back();
            stack.pop_back();
            if (fits(*at))
                return path + tail + missing;
            if (at->is_object()) {
                std::vector<std::pair<const json*, std::string>> children;
                for (const auto& [name, value] : at->items())
                    children.emplace_back(&value, path + "/" + name);
                stack.insert(stack.end(), children.rbegin(), children.rend());
            } else if (at->is_array()) {
                for (std::size_t i = at->size(); i-- > 0;)
                    stack.emplace_back(&(*at)[i], path + "/" + std::to_string(i));
            }
        }
        return std::nullopt;
    };
    // The add-on also reads lists of its own made from the payload (an item's properties,
    // gathered from its tabs): the front of such a path is the add-on's, and its end is
    // looked for instead, token by token.
    for (std::string tail = member;;) {
        if (auto found = find(tail))
            return *found;
        const auto next = tail.find('/', 1);
        if (next == std::string::npos)
            return member + missing;
        tail = tail.substr(next);
        pointer = json::json_pointer(tail);
    }
}

bool Succeeded(const std::string& function, const json& reply)
{
    if (function == "bulkImport") {
        if (!reply.is_array())
            return false;
        for (const json& entry : reply)
            if (!entry.is_object() || entry.value("status", "") == "failed")
                return false;
        return true;
    }
    return reply.is_object() && reply.contains("IsError") && reply["IsError"] == false;
}

json WhyItFailed(const std::string& text, bool bulk, const json& log, std::size_t from)
{
    json why = json::object();
    const json logged = FirstError(log, from);
    if (!logged.is_null())
        why["message"] = logged["message"];
    // A logged error that names its member is what failed; the payload's shape speaks otherwise.
    const json payload = KRV::ParseJson(text);
    if (bulk && payload.is_array()) {
        // Items fail one by one: each says its own reason, its own message and member (the
        // add-on's line for an item names its position).
        static const std::regex itemLine(R"(^BulkImport: item (\d+) could not be imported: )");
        static const std::regex memberOf(R"(\((/[^)]*)\))");
        std::map<std::size_t, json> logged;
        for (std::size_t i = from; i < log.size(); ++i) {
            if (!log[i].is_string())
                continue;
            const std::string text = log[i].get<std::string>();
            const auto at = text.find("BulkImport: item ");
            std::smatch match;
            if (at == std::string::npos ||
                !std::regex_search(text.begin() + static_cast<long>(at), text.end(), match, itemLine))
                continue;
            const std::size_t index = std::stoul(match[1].str());
            if (index >= payload.size() || logged.count(index) != 0)
                continue;
            const std::string message = text.substr(at);
            json entry = {{"message", message}};
            if (std::regex_search(message, match, memberOf))
                entry["member"] =
                    "/" + std::to_string(index) + LocateMember(payload[index], match[1].str(), message, true);
            logged[index] = entry;
        }
        json items = json::array();
        for (std::size_t i = 0; i < payload.size(); ++i) {
            json problem = BulkItemProblem(payload[i], i);
            if (problem.is_null() && logged.count(i) == 0)
                continue;
            if (problem.is_null())
                problem = json::object();
            if (logged.count(i) != 0) {
                problem["message"] = logged[i]["message"];
                if (!problem.contains("member") && logged[i].contains("member"))
                    problem["member"] = logged[i]["member"];
            }
            problem["index"] = i;
            items.push_back(problem);
        }
        if (!items.empty())
            why["items"] = items;
        return why;
    }
    if (!logged.is_null() && logged.contains("member") && !payload.is_discarded()) {
        why["member"] =
            LocateMember(payload, logged["member"].get<std::string>(), logged["message"].get<std::string>(), bulk);
        return why;
    }
    json problem = PayloadProblem(text, bulk);
    if (!problem.is_null()) {
        why["detail"] = problem["detail"];
        if (problem.contains("member"))
            why["member"] = problem["member"];
    }
    return why;
}

} // namespace korvel_host
