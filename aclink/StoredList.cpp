#include "StoredList.hpp"

#include "JsonText.hpp"
#include "Logger.hpp"

namespace KRV {

bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties)
{
    if (text.IsEmpty())
        return false;
    json stored = TextToJson(text);
    bool readable = stored.is_array();
    for (const json& entry : stored)
        readable = readable && entry.is_object();
    if (readable) {
        try {
            KorvelProperties list;
            from_json(stored, list);
            properties = list;
            return true;
        } catch (const json::exception&) {
            readable = false;
        }
    }
    LogWarning("The catalogue data stored for " + whose + " does not read as a property list; it is left out.");
    return false;
}

} // namespace KRV
