// The base of every catalogue item, and the reading of catalogue property tabs.
#include "BaseItem.hpp"

namespace KRV {

json BaseItem::toGroup(const json& group, const json& name, const json& value)
{
    json entry = json::object();
    entry["group"] = group;
    entry["name"] = name;
    entry["unit"] = "";
    entry["type"] = "";
    entry["value"] = value;
    return entry;
}

const json* FindMember(const json& object, const char* key)
{
    if (!object.is_object())
        (void)object.at(key); // raises the library's error for this type
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

void AppendKorvelEntries(const json& item, json& entries)
{
    for (const char* key : {"name", "id", "updated_at"})
        entries.push_back(BaseItem::toGroup("Korvel", key, item.at(key)));
}

void AppendTabEntries(const json& tab, json& entries, const char* ifcGroup)
{
    const json* attributes = FindMember(tab, "attributes");
    if (attributes == nullptr || attributes->is_null())
        return;
    const json* tabName = FindMember(tab, "name");
    json group = tabName != nullptr ? *tabName : json(nullptr);
    if (ifcGroup != nullptr && group == "IFC")
        group = ifcGroup;
    for (const json& attribute : *attributes)
        entries.push_back(BaseItem::toGroup(group, attribute.at("name"), attribute.at("value")));
}

} // namespace KRV
