#pragma once
// What one report request reads from the project, read once: attributes with their
// stored catalogue properties, composites' components, library parts, add-on data
// records. Made at the start of a request and dropped at its end; nothing outlives it.
// The refresh before a take-off loads from it too: what it loads says nothing about the
// take-off's completeness until the take-off uses it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Attributes.hpp"
#include "Elements.hpp"
#include "StoredList.hpp"

namespace KRV {

struct CachedAttribute {
    port::Attribute attribute;
    StoredList properties;      // the stored catalogue properties; empty when there are none
    bool hasStoredText = false; // the attribute has user data (read or not)
};

class ReadCache {
public:
    // A read the host failed (logged with `context`) leaves the take-off incomplete, and the
    // request answers failure rather than a reply that looks whole; `absent` is the host's
    // "there is none", which is no failure. True when the read succeeded or found nothing.
    bool Read(int err, const char* context, int absent = 0);
    // The same, logged with the operation's text and the port's name for the host call.
    bool Read(int err, const char* operation, const char* call, int absent = 0);
    void Incomplete() { complete = false; }
    bool Complete() const { return complete; }
    // The element's quantities as the host gives them; false (incomplete) when it cannot.
    bool Quantities(const port::ElemHead& element, port::Quantities& quantities);

    // The attribute, or null when the host cannot read it; a failed read (logged when it was
    // made) leaves the take-off incomplete, and a stored list that does not read is warned
    // about once.
    const CachedAttribute* Attribute(const port::AttrRef& ref);
    // The same for the refresh: `use` warns of a stored list that does not read, as
    // Attribute does; neither says anything of completeness.
    const CachedAttribute* Load(const port::AttrRef& ref, bool use);
    // The attribute's stored text is now `text`, as the host holds it after a write.
    void Written(const port::AttrRef& ref, std::string text);
    // A composite's components, bounded by what its record counts.
    const std::vector<port::CompositeComponent>& Components(const port::Attribute& composite);
    // The same for the refresh, which says nothing of completeness.
    const std::vector<port::CompositeComponent>& LoadComponents(const port::Attribute& composite);
    // The building material of a profile's last hatch (0 when it has none).
    Int32 ProfileMaterial(Int32 profile);
    // The unique id and name of the library part of that index ("" when there is none).
    const std::pair<std::string, GS::UniString>& LibraryPart(Int32 index);
    // The text of the add-on data record "KV_" + name in data version 1, if there is one.
    const std::optional<GS::UniString>& Record(const GS::UniString& name);
    // The record's properties (empty when it has none or its text does not read).
    const StoredList& RecordProperties(const GS::UniString& name);

private:
    template <typename T> struct Loaded {
        T value{};
        bool failed = false; // a read the host failed (logged)
        bool warned = false; // its stored list was said not to read
    };
    Loaded<std::optional<CachedAttribute>>& LoadAttribute(const port::AttrRef& ref);
    Loaded<std::vector<port::CompositeComponent>>& LoadComposite(const port::Attribute& composite);
    void Warn(Loaded<std::optional<CachedAttribute>>& loaded);

    // Looked up once or more per element: hashed.
    std::unordered_map<port::AttrRef, Loaded<std::optional<CachedAttribute>>> attributes;
    std::unordered_map<Int32, Loaded<std::vector<port::CompositeComponent>>> components;
    std::unordered_map<Int32, std::pair<std::string, GS::UniString>> libraryParts;
    std::unordered_map<Int32, Int32> profileMaterials;
    std::unordered_map<GS::UniString, std::optional<GS::UniString>> records;
    std::unordered_map<GS::UniString, StoredList> recordProperties;
    bool complete = true;
};

} // namespace KRV
