// A building material (an article) as the catalogue describes it, read from JSON.
#include "KorvelMaterial.hpp"

#include <iostream>

#include "JsonInteger.hpp"

namespace KRV {

void jtest(const json& j)
{
    if (j.empty()) {
        std::cout << "Object is empty" << std::endl;
        if (j.is_null())
            std::cout << "Object is null" << std::endl;
    }
}

void from_json(const json& j, KorvelMaterial& material)
{
    json entries = json::array();
    if (j.is_null())
        return;
    if (j.is_object()) {
        if (j.contains("name"))
            material.SetName(j.at("name").get<GS::UniString>());
        if (j.contains("id"))
            material.SetID(j.at("id").get<GS::UniString>());
        if (j.contains("updated_at") && !j.at("updated_at").is_null())
            material.SetUpdated(ReadInteger<Int64>(j.at("updated_at")));
    }
    AppendKorvelEntries(j, entries);
    jtest(j);

    if (const json* tabs = FindMember(j, "tabs"); tabs != nullptr && !tabs->is_null())
        for (const json& tab : *tabs)
            AppendTabEntries(tab, entries);

    KorvelProperties properties;
    from_json(entries, properties);
    material.SetProperties(properties);
}

} // namespace KRV
