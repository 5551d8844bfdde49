// A library part as the stand-alone host reads it from a file and writes it into one.
#include "LibPartFile.hpp"

#include <map>

#include "APIdefs_LibParts.h"

namespace sim {

using nlohmann::json;

namespace {

const std::map<std::string, ParamType>& ParameterTypes()
{
    static const std::map<std::string, ParamType> types = {
        {"integer", ParamType::integer},     {"length", ParamType::length},
        {"angle", ParamType::angle},         {"real", ParamType::real},
        {"lineType", ParamType::lineType},   {"material", ParamType::material},
        {"fill", ParamType::fill},           {"pen", ParamType::pen},
        {"text", ParamType::text},           {"boolean", ParamType::boolean},
        {"separator", ParamType::separator}, {"title", ParamType::title}};
    return types;
}

const std::map<std::string, PartKind>& Kinds()
{
    static const std::map<std::string, PartKind> kinds = {
        {"object", PartKind::object}, {"window", PartKind::window}, {"door", PartKind::door}, {"lamp", PartKind::lamp}};
    return kinds;
}

template <typename Map, typename Value> std::string KeyOf(const Map& map, Value value)
{
    for (const auto& [key, v] : map)
        if (v == value)
            return key;
    return "?";
}

std::string Text(const json& j, const char* key, bool required)
{
    if (!j.contains(key)) {
        if (required)
            throw LibPartFileError(std::string("missing \"") + key + "\"");
        return std::string();
    }
    if (!j.at(key).is_string())
        throw LibPartFileError(std::string("\"") + key + "\" is not a text");
    return j.at(key).get<std::string>();
}

} // namespace

LibPart ReadLibPart(const json& document)
{
    if (!document.is_object())
        throw LibPartFileError("a library part is one JSON object");
    LibPart part;
    part.name = Text(document, "name", true);
    part.uniqueId = Text(document, "uniqueId", true);
    if (part.name.empty() || part.uniqueId.empty())
        throw LibPartFileError("a library part needs a name and a unique id");
    const std::string kind = Text(document, "kind", false);
    if (!kind.empty()) {
        auto it = Kinds().find(kind);
        if (it == Kinds().end())
            throw LibPartFileError("unknown kind \"" + kind + "\" (object, window, door, lamp)");
        part.kind = it->second;
    }
    if (document.contains("parameters")) {
        if (!document.at("parameters").is_array())
            throw LibPartFileError("\"parameters\" is not a list");
        for (const json& p : document.at("parameters")) {
            if (!p.is_object())
                throw LibPartFileError("a parameter is an object");
            LibPartParameter parameter;
            const std::string type = Text(p, "type", true);
            auto it = ParameterTypes().find(type);
            if (it == ParameterTypes().end())
                throw LibPartFileError("unknown parameter type \"" + type + "\"");
            parameter.type = it->second;
            parameter.name = Text(p, "name", true);
            if (parameter.name.empty() || parameter.name.size() >= API_NameLen)
                throw LibPartFileError("a parameter name has 1 to " + std::to_string(API_NameLen - 1) + " bytes");
            parameter.description = Text(p, "description", false);
            if (p.contains("value") && p.at("value").is_number())
                parameter.value = p.at("value").dump();
            else
                parameter.value = Text(p, "value", false);
            part.parameters.push_back(parameter);
        }
    }
    return part;
}

json WriteLibPart(const LibPart& part)
{
    json parameters = json::array();
    for (const LibPartParameter& p : part.parameters)
        parameters.push_back({{"type", KeyOf(ParameterTypes(), p.type)},
                              {"name", p.name},
                              {"description", p.description},
                              {"value", p.value}});
    return {{"name", part.name},
            {"uniqueId", part.uniqueId},
            {"kind", KeyOf(Kinds(), part.kind)},
            {"parameters", parameters}};
}

} // namespace sim
