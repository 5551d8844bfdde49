#pragma once
// What one report request reads from the project, read once: attributes with their
// stored catalogue properties, composites' components, library parts, add-on data
// records. Made at the start of a request and dropped at its end; nothing outlives it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "APIdefs_LibParts.h"
#include "StoredList.hpp"

namespace KRV {

struct CachedAttribute {
    API_Attribute record{};
    StoredTexts properties;     // the stored catalogue properties; empty when there are none
    bool hasStoredText = false; // the attribute has user data (read or not)
};

// An attribute's type and index as one hash key.
inline std::uint64_t AttributeKey(API_AttrTypeID type, API_AttributeIndex index)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(type)) << 32) | static_cast<std::uint32_t>(index);
}

class ReadCache {
public:
    // A read the host failed (logged with `context`) leaves the take-off incomplete, and the
    // request answers failure rather than a reply that looks whole; `absent` is the host's
    // "there is none", which is no failure. True when the read succeeded or found nothing.
    bool Read(int err, const char* context, int absent = 0);
    void Incomplete() { complete = false; }
    bool Complete() const { return complete; }
    // The element's quantities as the host gives them; false (incomplete) when it cannot.
    bool Quantities(const API_Guid& guid, API_ElementQuantity& quantity);

    // The attribute, or null when the host cannot read it.
    const CachedAttribute* Attribute(API_AttrTypeID type, API_AttributeIndex index);
    // A composite's components, bounded by what its definition holds.
    const std::vector<API_CWallComponent>& Components(const API_Attribute& composite);
    // The building material of a profile's last hatch (0 when it has none).
    API_AttributeIndex ProfileMaterial(API_AttributeIndex profile);
    // The unique id and name of the library part of that index ("" when there is none).
    const std::pair<std::string, GS::UniString>& LibraryPart(Int32 index);
    // The text of the add-on data record "KV_" + name in data version 1, if there is one.
    const std::optional<GS::UniString>& Record(const GS::UniString& name);
    // The record's properties (empty when it has none or its text does not read).
    const StoredTexts& RecordProperties(const GS::UniString& name);

private:
    // Looked up once or more per element: hashed.
    std::unordered_map<std::uint64_t, std::optional<CachedAttribute>> attributes; // by type and index
    std::unordered_map<API_AttributeIndex, std::vector<API_CWallComponent>> components;
    std::unordered_map<Int32, std::pair<std::string, GS::UniString>> libraryParts;
    std::unordered_map<API_AttributeIndex, API_AttributeIndex> profileMaterials;
    std::unordered_map<GS::UniString, std::optional<GS::UniString>> records;
    std::unordered_map<GS::UniString, StoredTexts> recordProperties;
    bool complete = true;
};

} // namespace KRV
