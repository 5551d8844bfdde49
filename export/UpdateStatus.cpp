// The update status report: which imported items the service has changed since.
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "JsonInteger.hpp"

#include "AddOnData.hpp"
#include "Attributes.hpp"
#include "ErrorMessages.hpp"
#include "Exports.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "Logger.hpp"
#include "StoredList.hpp"
#include "UpdateRequest.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

// Decimal digits at the start of a text (after blanks), as strtoll reads them; 0 without digits.
Int64 TimeFromText(const std::string& text)
{
    return static_cast<Int64>(std::strtoll(text.c_str(), nullptr, 10));
}

// A stored time: its digits when it is a text, the number itself when it is an integer;
// nothing for any other value or an integer beyond 64 bits.
std::optional<Int64> StoredTime(const json& value)
{
    if (value.is_string())
        return TimeFromText(value.get_ref<const std::string&>());
    if (value.is_number_integer() || value.is_number_unsigned()) {
        try {
            return ReadInteger<Int64>(value);
        } catch (const json::exception&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The key a request item is found under: equal JSON values (1 and 1.0 too) share it.
std::string KeyOf(const json& id)
{
    if (id.is_number())
        return "#" + json(id.get<double>()).dump();
    return id.dump();
}

// Appends the id once for each request item of that id newer than the stored time.
void ReportNewer(const UpdateRequest& request, const json& id, Int64 storedTime, json& result)
{
    for (const UpdateRequest::Item* item : request.Matching(id))
        if (item->time > storedTime)
            result.push_back(id);
}

// A store or an item the host would not read (logged) leaves the report incomplete
// (`complete` false): the page is told it failed, not given a list that looks whole.
json MaterialsIds(const UpdateRequest& request, port::AttrType type, bool& complete)
{
    json result = json::array();
    Int32 count = 0;
    if (GSErrCode err = port::AttributeCount(type, count); err != NoError) {
        LogArchicadErrorCodeMessage(err, "UpdateStatus::", port::attributeCountCall);
        complete = false;
        return result;
    }
    for (Int32 index = 1; index <= count; ++index) {
        port::Attribute attribute(port::AttrRef(type, index));
        if (GSErrCode err = port::GetAttribute(attribute); err != NoError) {
            // An index the host has deleted is no item; any other failure is.
            complete = complete && ReadSucceeded(err, "UpdateStatus::", port::getAttributeCall, hosterr::deleted);
            continue;
        }
        GS::UniString text;
        if (const int read = GetUserData(attribute.head, text); read != NoError) {
            complete = complete && read == hosterr::noUserData; // logged otherwise
            continue;
        }
        if (text.IsEmpty())
            continue;
        StoredList list;
        if (!list.ReadEntries(text.ToUtf8(), "the attribute " + attribute.head.name.ToUtf8()))
            continue;
        // The last property of a name wins; one without "value" gives null.
        json id = nullptr;
        json updated = nullptr;
        for (std::size_t i = 0; i < list.EntryCount(); ++i) {
            if (list.IsText(i, StoredList::name, "id"))
                id = list.Json(i, StoredList::value);
            else if (list.IsText(i, StoredList::name, "updated_at"))
                updated = list.Json(i, StoredList::value);
        }
        if (request.Matching(id).empty())
            continue;
        const std::optional<Int64> storedTime = StoredTime(updated);
        if (!storedTime) {
            // Damaged catalogue data of one attribute does not take the report down.
            LogWarning("The catalogue data stored for the attribute " + attribute.head.name.ToUtf8() +
                       " has no usable \"updated_at\".");
            continue;
        }
        ReportNewer(request, id, *storedTime, result);
    }
    return result;
}

json ComplexSystemsIds(const UpdateRequest& request, bool& complete)
{
    json result = json::array();
    GS::Array<GS::UniString> names;
    if (GSErrCode err = port::RecordKeys(names); err != NoError) {
        LogArchicadErrorCodeMessage(err, "UpdateStatus::", port::recordKeysCall);
        complete = false;
        return result;
    }
    for (const GS::UniString& name : names) {
        GSHandle data = nullptr;
        Int32 version = 0;
        const GSErrCode err = port::ReadRecord(name, data, version);
        HandleGuard handle(data);
        if (!ReadSucceeded(err, "UpdateStatus::", port::readRecordCall)) {
            complete = false;
            continue;
        }
        StoredList list;
        if (!list.ReadEntries(HandleText(handle.Get()).ToUtf8(), name.ToUtf8()))
            continue;
        std::string id;
        Int64 updated = 0;
        bool usableId = true;
        bool usableTime = true;
        for (std::size_t i = 0; i < list.EntryCount(); ++i) {
            if (!list.IsText(i, StoredList::group, "Korvel"))
                continue;
            if (list.IsText(i, StoredList::name, "id")) {
                const json value = list.Json(i, StoredList::value);
                usableId = usableId && value.is_string();
                if (value.is_string())
                    id = value.get<std::string>();
            }
            if (list.IsText(i, StoredList::name, "updated_at")) {
                // Another kind of value leaves the time as it was; none at all, or a number
                // beyond 64 bits, is damage.
                const json value = list.Json(i, StoredList::value);
                if (!list.Held(i, StoredList::value) ||
                    ((value.is_number_integer() || value.is_number_unsigned()) && !StoredTime(value)))
                    usableTime = false;
                else if (const std::optional<Int64> time = StoredTime(value))
                    updated = *time;
            }
        }
        if (!usableId) {
            LogWarning("The catalogue data stored for " + name.ToUtf8() + " has an \"id\" that is no text.");
            continue;
        }
        if (request.Matching(json(id)).empty())
            continue;
        if (!usableTime) {
            LogWarning("The catalogue data stored for " + name.ToUtf8() + " has no usable \"updated_at\".");
            continue;
        }
        ReportNewer(request, json(id), updated, result);
    }
    return result;
}

} // namespace

UpdateRequest::UpdateRequest(const GS::UniString& text)
{
    const json page = TextToJson(text);
    if (!page.is_object()) {
        unreadable = "the update status request is not a JSON object";
        return;
    }
    const auto list = page.find("materials_and_products");
    if (list == page.end())
        return;
    if (!list->is_array()) {
        unreadable = "the update status request's \"materials_and_products\" is not a list";
        return;
    }
    std::size_t position = 0;
    for (const json& entry : *list) {
        const std::string which = "The update status request's item " + std::to_string(position++);
        if (!entry.is_object() || !entry.contains("id")) {
            LogWarning(which + " has no \"id\"; it is left out.");
            continue;
        }
        const json& id = entry.at("id");
        const auto time = entry.find("update_at");
        std::optional<Int64> requested;
        if (time != entry.end() && time->is_number()) {
            try {
                requested = ReadInteger<Int64>(*time);
            } catch (const json::exception&) {
            }
        }
        if (!requested) {
            LogWarning(which + " (id " + id.dump() + ") has no \"update_at\" that is a 64-bit number; it is left out.");
            continue;
        }
        items[KeyOf(id)].push_back({id, *requested});
    }
}

std::vector<const UpdateRequest::Item*> UpdateRequest::Matching(const json& id) const
{
    if (!unreadable.empty())
        throw std::invalid_argument(unreadable);
    std::vector<const Item*> found;
    const auto it = items.find(KeyOf(id));
    if (it != items.end())
        for (const Item& item : it->second)
            if (item.id == id)
                found.push_back(&item);
    return found;
}

bool ExportUpdateStatus(GS::UniString& text)
{
    const UpdateRequest request(text); // read once for the three stores
    bool complete = true;
    json result = MaterialsIds(request, port::AttrType::buildingMaterial, complete);
    for (const json& id : MaterialsIds(request, port::AttrType::composite, complete))
        result.push_back(id);
    for (const json& id : ComplexSystemsIds(request, complete))
        result.push_back(id);
    if (!complete)
        return false; // logged: items the host would not read are not in it
    // Indented by one blank; a stored text that is not UTF-8 shows replacement characters.
    text = GS::UniString(result.dump(1, ' ', false, json::error_handler_t::replace));
    return true;
}

} // namespace KRV
