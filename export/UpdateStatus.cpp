// The update status report: which imported items the service has changed since.
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "JsonInteger.hpp"

#include "APIdefs_UserData.h"
#include "ExportManager.hpp"
#include "HostMemory.hpp"
#include "HostText.hpp"
#include "Logger.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

// Decimal digits at the start of a text (after blanks), as strtoll reads them; 0 without digits.
Int64 TimeFromText(const std::string& text)
{
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<Int64>(value);
}

// A stored time: its digits when it is a text, the number itself when it is an integer.
Int64 StoredTime(const json& value)
{
    if (value.is_string())
        return TimeFromText(value.get_ref<const std::string&>());
    if (value.is_number_integer() || value.is_number_unsigned())
        return ReadInteger<Int64>(value);
    throw json::type_error::create(302, std::string("type must be string, but is ") + value.type_name(), &value);
}

// The stored list of an item as JSON: null when there is nothing usable, with a warning
// for a text that does not read as a list of property objects.
json StoredList(const GS::UniString& text, const std::string& whose)
{
    if (text.IsEmpty())
        return nullptr;
    json stored = TextToJson(text);
    if (stored.is_null())
        return nullptr;
    bool readable = stored.is_array();
    for (const json& entry : stored)
        readable = readable && entry.is_object();
    if (!readable) {
        LogWarning("The catalogue data stored for " + whose + " does not read as a property list; it is left out.");
        return nullptr;
    }
    return stored;
}

const json& Items(const json& request)
{
    static const json none = json::array();
    if (request.is_object() && request.contains("materials_and_products"))
        return request.at("materials_and_products");
    return none;
}

} // namespace

json GetMaterialsIds(GS::UniString& request, const GS::UniString& kind)
{
    json result = json::array();
    const json page = TextToJson(request);
    const API_AttrTypeID type = kind == "ComplexMaterials" ? API_CompWallID : API_BuildingMaterialID;
    API_AttributeIndex count = 0;
    if (ACAPI_Attribute_GetNum(type, &count) != NoError)
        return result; // no attributes to report
    for (API_AttributeIndex index = 1; index <= count; ++index) {
        API_Attribute attribute{};
        attribute.header.typeID = type;
        attribute.header.index = index;
        if (ACAPI_Attribute_Get(&attribute) != NoError)
            continue;
        GS::UniString text;
        if (GetUserData(attribute, text) != NoError)
            continue;
        const json stored = StoredList(text, "the attribute " + GetHeaderName(attribute.header).ToUtf8());
        if (stored.is_null())
            continue;
        json id = nullptr;
        json updated = nullptr;
        for (const json& property : stored) {
            if (property.value("name", json()) == json("id"))
                id = property.value("value", json());
            if (property.value("name", json()) == json("updated_at"))
                updated = property.value("value", json());
        }
        std::optional<Int64> storedTime;
        for (const json& item : page.is_object() ? Items(page) : page.at("materials_and_products")) {
            if (item.at("id") != id)
                continue;
            const Int64 requested = ReadInteger<Int64>(item.at("update_at"));
            if (!storedTime) {
                if (!updated.is_string() && !updated.is_number_integer() && !updated.is_number_unsigned()) {
                    // Damaged catalogue data of one attribute does not take the report down.
                    LogWarning("The catalogue data stored for the attribute " +
                               GetHeaderName(attribute.header).ToUtf8() + " has no usable \"updated_at\".");
                    break;
                }
                storedTime = StoredTime(updated);
            }
            if (requested > *storedTime)
                result.push_back(id);
        }
    }
    return result;
}

json GetComplexSystemsIds(const GS::UniString& request)
{
    json result = json::array();
    const json page = TextToJson(request);
    GS::Array<GS::UniString> names;
    if (ACAPI_ModulData_GetList(&names) != NoError)
        return result;
    for (const GS::UniString& name : names) {
        API_ModulData data{};
        const GSErrCode err = ACAPI_ModulData_Get(&data, name);
        HandleGuard handle(data.dataHdl);
        if (err != NoError)
            continue;
        const json stored = StoredList(HandleText(handle.Get()), name.ToUtf8());
        if (stored.is_null())
            continue;
        std::string id;
        Int64 updated = 0;
        bool usable = true;
        for (const json& property : stored) {
            if (property.value("group", json()) != json("Korvel"))
                continue;
            if (property.value("name", json()) == json("id")) {
                const json value = property.value("value", json());
                usable = usable && value.is_string();
                if (value.is_string())
                    id = value.get<std::string>();
            }
            if (property.value("name", json()) == json("updated_at")) {
                const json& value = property.at("value");
                if (value.is_string() || value.is_number_integer() || value.is_number_unsigned())
                    updated = StoredTime(value);
            }
        }
        if (!usable) {
            LogWarning("The catalogue data stored for " + name.ToUtf8() + " has an \"id\" that is no text.");
            continue;
        }
        for (const json& item : page.is_object() ? Items(page) : page.at("materials_and_products"))
            if (json(id) == item.at("id") && ReadInteger<Int64>(item.at("update_at")) > updated)
                result.push_back(id);
    }
    return result;
}

json ExportManager::UpdateStatus(GS::UniString& request)
{
    json result = GetMaterialsIds(request, "Materials");
    for (const json& id : GetMaterialsIds(request, "ComplexMaterials"))
        result.push_back(id);
    for (const json& id : GetComplexSystemsIds(request))
        result.push_back(id);
    return result;
}

} // namespace KRV
