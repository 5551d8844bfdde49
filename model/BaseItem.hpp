#pragma once
// The base of every catalogue item, and the reading of catalogue property tabs.
#include "GS/Types.hpp"
#include "JsonText.hpp"

namespace KRV {

// Virtual base of every catalogue item, so the writers can hold any item as one.
class BaseItem {
public:
    BaseItem() = default;
    BaseItem(const BaseItem&) = default;
    BaseItem& operator=(const BaseItem&) = default;
    BaseItem(BaseItem&&) = default;
    BaseItem& operator=(BaseItem&&) = default;
    virtual ~BaseItem() = default;

    // Writes the item's catalogue properties into the project; false when a write failed
    // (logged). The items' own versions are defined in aclink/ItemProperties.cpp.
    virtual bool WriteProperties() const { return true; }
    virtual void ReadProperties() {}

    // One property entry as the readers build them; the values keep their JSON types.
    static json toGroup(const json& group, const json& name, const json& value);

protected:
    Int32 startIndex = 0;
};

// The member `key` of `object`, or null when it is absent. Raises the JSON library's
// type error when `object` is not an object (a string tab, for instance).
const json* FindMember(const json& object, const char* key);

// Adds the three "Korvel" entries: the item's "name", "id" and "updated_at" (all required).
void AppendKorvelEntries(const json& item, json& entries);

// Adds one entry per attribute of a data-sheet tab (an object with "attributes"),
// grouped under the tab's "name" (the empty group when it has none). A tab named
// "IFC" is grouped under `ifcGroup` when one is given.
void AppendTabEntries(const json& tab, json& entries, const char* ifcGroup = nullptr);

} // namespace KRV
