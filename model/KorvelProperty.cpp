// One catalogue property: group, name, unit, type and value, as texts.
#include "KorvelProperty.hpp"

#include "DBPrintf.h"

namespace KRV {

bool KorvelProperty::operator==(const KorvelProperty& other) const
{
    return group == other.group && name == other.name && unit == other.unit && type == other.type &&
           value == other.value;
}

void KorvelProperty::Print() const
{
    DBPrintf("---- KorvelProperty ----\n");
    DBPrintf("group: %s name: %s value: %s\n", group.ToCStr().Get(), name.ToCStr().Get(), value.ToCStr().Get());
}

void from_json(const json& j, KorvelProperty& property)
{
    if (j.is_null())
        return;
    // Fields are set one by one, so a bad member leaves the earlier ones filled.
    auto field = [&j](const char* key, const char* readingDefault) {
        if (j.is_object() && j.contains(key))
            return j.at(key).get<GS::UniString>();
        return GS::UniString(readingDefault);
    };
    property.SetGroup(field("group", "Korvel"));
    property.SetName(field("name", ""));
    property.SetUnit(field("unit", ""));
    property.SetType(field("type", ""));
    property.SetValue(field("value", ""));
}

void to_json(json& j, const KorvelProperty& property)
{
    j = json::object();
    j["group"] = property.GetGroup().ToUtf8();
    j["name"] = property.GetName().ToUtf8();
    j["unit"] = property.GetUnit().ToUtf8();
    j["type"] = property.GetType().ToUtf8();
    j["value"] = property.GetValue().ToUtf8();
}

} // namespace KRV
