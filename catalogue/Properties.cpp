// Catalogue properties as host properties: a group per tab, a text definition per property.
#include "Properties.hpp"

#include "Classification.hpp"
#include "Classifications.hpp"
#include "Commands.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "PropertyDefinitions.hpp"
#include "RequestScoped.hpp"
#include "WriteTwice.hpp"

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

namespace KRV {

namespace {

// What the host answered during the current request (see DefinitionCacheScope).
struct DefinitionCache {
    std::unordered_map<std::string, port::PropertyGroup> groups; // by name
    struct Definitions {
        bool listed = false;
        std::unordered_map<std::string, port::PropertyDefinition> byName;
    };
    std::unordered_map<API_Guid, Definitions> definitions; // by group
};

GSErrCode FindOrCreateGroup(port::PropertyGroup& group, GS::UniString name);

GSErrCode GetKorvelPropertyGroup(port::PropertyGroup& group, GS::UniString name)
{
    DefinitionCache* cache = RequestScoped<DefinitionCache>::Current();
    if (cache != nullptr)
        if (auto known = cache->groups.find(name.ToUtf8()); known != cache->groups.end()) {
            group = known->second;
            return NoError;
        }
    const GSErrCode err = FindOrCreateGroup(group, name);
    if (err == NoError && cache != nullptr)
        cache->groups[name.ToUtf8()] = group;
    return err;
}

// The definition of that name in the group, from the group's list read once per request;
// null when there is none. Failures are logged.
GSErrCode CachedDefinition(const API_Guid& group, const GS::UniString& name, port::PropertyDefinition*& found)
{
    found = nullptr;
    DefinitionCache::Definitions& known = RequestScoped<DefinitionCache>::Current()->definitions[group];
    if (!known.listed) {
        std::vector<port::PropertyDefinition> existing;
        if (GSErrCode err = port::GroupDefinitions(group, existing); err != NoError) {
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::groupDefinitionsCall);
            return err;
        }
        known.byName.clear();
        for (const port::PropertyDefinition& definition : existing)
            known.byName.emplace(definition.Name().ToUtf8(), definition); // the first of a name, as a scan finds it
        known.listed = true;
    }
    if (auto it = known.byName.find(name.ToUtf8()); it != known.byName.end())
        found = &it->second;
    return NoError;
}

GSErrCode FindOrCreateGroup(port::PropertyGroup& group, GS::UniString name)
{
    GSErrCode err = port::GroupByName(name, group);
    if (err == NoError)
        return NoError;
    if (err != hosterr::badId) {
        // A failed look-up is no absence: a second group of the name would follow.
        LogArchicadErrorCodeMessage(err, "GetKorvelPropertyGroup::", port::groupCall);
        return err;
    }
    std::vector<port::PropertyGroup> groups;
    err = port::Groups(groups);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetKorvelPropertyGroup::", port::groupsCall);
        return err;
    }
    for (const port::PropertyGroup& existing : groups) {
        if (existing.name == name) {
            group = existing;
            return NoError;
        }
    }
    err = port::CreateGroup(name, group);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetKorvelPropertyGroup::", port::createGroupCall);
        return err;
    }
    return NoError;
}

port::Measure MeasureOf(const GS::UniString& type)
{
    if (type == "Length")
        return port::Measure::length;
    if (type == "Area")
        return port::Measure::area;
    if (type == "Volume")
        return port::Measure::volume;
    if (type == "Angle")
        return port::Measure::angle;
    return port::Measure::none;
}

GS::UniString GroupName(const API_Guid& groupGuid)
{
    port::PropertyGroup group;
    return port::GroupByGuid(groupGuid, group) == NoError ? group.name : GS::UniString();
}

} // namespace

DefinitionCacheScope::DefinitionCacheScope()
{
    RequestScoped<DefinitionCache>::Open();
}

DefinitionCacheScope::~DefinitionCacheScope()
{
    RequestScoped<DefinitionCache>::Close();
}

int DefineNewKorvelProperty(const KorvelProperty& property, const port::AttrRef& attribute, API_Guid element)
{
    const bool onElement = element != APINULLGuid;
    port::PropertyGroup group;
    if (GSErrCode err = GetKorvelPropertyGroup(group, property.GetGroup()); err != NoError)
        return err;

    port::PropertyDefinition definition =
        port::PropertyDefinition::CatalogueText(group.guid, property.GetName(), MeasureOf(property.GetType()));
    port::Classified items;
    // The definition is available for what the target is classified as: unread, it would
    // be made available for nothing.
    if (GSErrCode read =
            onElement ? port::ElementClassification(element, items) : port::AttributeClassification(attribute, items);
        read != NoError) {
        LogArchicadErrorCodeMessage(read, "DefineNewProperty::",
                                    onElement ? port::elementClassificationCall : port::attributeClassificationCall);
        return read;
    }
    for (const auto& pair : items)
        definition.MakeAvailableFor(pair.second);
    // Made available for the target's items where it is not yet: answers whether it changed.
    auto makeAvailable = [&](port::PropertyDefinition& candidate) {
        bool added = false;
        for (const auto& pair : items)
            if (!candidate.AvailableFor(pair.second)) {
                candidate.MakeAvailableFor(pair.second);
                added = true;
            }
        return added;
    };

    // The group's definition of that name, if it has one: from the request's list when there
    // is one (looked up first), from the host's when it says the name is in use.
    DefinitionCache* cache = RequestScoped<DefinitionCache>::Current();
    port::PropertyDefinition* known = nullptr;
    std::optional<port::PropertyDefinition> listed; // found without the request's list
    auto lookUp = [&]() -> GSErrCode {
        if (cache != nullptr)
            return CachedDefinition(group.guid, property.GetName(), known); // logged
        std::vector<port::PropertyDefinition> existing;
        if (GSErrCode err = port::GroupDefinitions(group.guid, existing); err != NoError) {
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::groupDefinitionsCall);
            return err;
        }
        for (const port::PropertyDefinition& candidate : existing)
            if (candidate.Name() == property.GetName()) {
                known = &listed.emplace(candidate);
                break;
            }
        return NoError;
    };
    GSErrCode err = NoError;
    if (cache != nullptr && (err = lookUp()) != NoError)
        return err;
    if (known == nullptr) {
        err = port::CreateDefinition(definition);
        if (err == NoError) {
            if (cache != nullptr)
                cache->definitions[group.guid].byName.emplace(definition.Name().ToUtf8(), definition);
        } else if (err == hosterr::nameInUse) {
            if (cache != nullptr)
                cache->definitions[group.guid].listed = false; // the host knows better: listed again
            if ((err = lookUp()) != NoError)
                return err;
        } else {
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::createDefinitionCall);
            return err;
        }
    }
    if (known != nullptr) {
        port::PropertyDefinition candidate = *known;
        if (makeAvailable(candidate)) {
            err = port::ChangeDefinition(candidate);
            if (err != NoError) {
                LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::changeDefinitionCall);
                return err;
            }
            *known = candidate;
        }
        definition = candidate;
    }

    if (onElement) {
        err = port::SetElementText(element, definition, property.GetValue());
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::setElementPropertyCall);
    } else {
        err = port::SetAttributeText(attribute, definition, property.GetValue());
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::setAttributePropertyCall);
    }
    return err;
}

GSErrCode RunWrite(const char* command, const char* where, const std::function<GSErrCode()>& write)
{
    if (command == nullptr)
        return write();
    GSErrCode written = NoError;
    const GSErrCode err = port::UndoableCommand(command, [&]() -> GSErrCode { return written = write(); });
    // The write logs its own failures; a command the host refused or that failed is logged here.
    if (err != NoError && written == NoError)
        LogArchicadErrorCodeMessage(err, std::string(where) + "::", port::undoableCommandCall);
    return err;
}

namespace {

GSErrCode WriteElementPropertiesOnce(const API_Guid& element, const KorvelProperties& properties, const char* command)
{
    GSErrCode first = NoError;
    // Without the classification no property is available for the element: the first write
    // that cannot classify it ends the walk.
    bool classified = false;
    if (command == nullptr) {
        if (GSErrCode err = AddArchicadClassificationToElement(element); err != NoError)
            return err; // logged
        classified = true;
    }
    for (const KorvelProperty& property : properties.GetProperties()) {
        const GSErrCode err = RunWrite(command, "WriteElementProperties", [&]() -> GSErrCode {
            if (!classified) {
                if (GSErrCode refused = AddArchicadClassificationToElement(element); refused != NoError)
                    return refused; // logged
                classified = true;
            }
            return DefineNewKorvelProperty(property, port::AttrRef(), element);
        });
        if (!classified)
            return err;
        if (first == NoError)
            first = err;
    }
    return first;
}

} // namespace

GSErrCode WriteElementProperties(const API_Guid& element, const KorvelProperties& properties, const char* command)
{
    // The element would carry part of its item's data: a host that refused a write once is
    // asked once more, for the whole list (the writes that went through are written alike).
    return WriteTwice("WriteElementProperties",
                      [&] { return WriteElementPropertiesOnce(element, properties, command); });
}

void SetDefaultValuesForKorvelProperties(API_Guid element)
{
    port::PropertyGroup group;
    if (GetKorvelPropertyGroup(group, "Korvel") != NoError)
        return; // logged
    std::vector<port::PropertyDefinition> definitions;
    if (GSErrCode err = port::GroupDefinitions(group.guid, definitions); err != NoError) {
        LogArchicadErrorCodeMessage(err, "DefineNewProperty::", port::groupDefinitionsCall);
        return;
    }
    port::Classified items;
    if (GSErrCode err = port::ElementClassification(element, items); err != NoError) {
        LogArchicadErrorCodeMessage(err, "SetDefaultValuesForKorvelProperties::", port::elementClassificationCall);
        return;
    }
    std::vector<port::PropertyDefinition> available;
    for (const port::PropertyDefinition& definition : definitions) {
        bool forElement = false;
        for (const auto& pair : items)
            forElement = forElement || definition.AvailableFor(pair.second);
        if (forElement)
            available.push_back(definition);
    }
    if (GSErrCode err = port::ResetElementValues(element, available); err != NoError)
        LogArchicadErrorCodeMessage(err, "SetDefaultValuesForKorvelProperties::", port::setElementPropertiesCall);
}

KorvelProperties ReadProperties(const port::AttrRef& attribute, std::unordered_map<API_Guid, GS::UniString>* groupNames)
{
    KorvelProperties result;
    std::vector<port::PropertyDefinition> definitions;
    if (port::AttributeDefinitions(attribute, false, definitions) != NoError)
        return result;
    std::vector<port::PropertyValue> properties;
    if (port::AttributeValues(attribute, definitions, properties) != NoError)
        return result;
    for (const port::PropertyValue& property : properties) {
        KorvelProperty entry;
        // The group is the definition's, so the entry can be matched with a stored one.
        const API_Guid groupGuid = property.definition.Group();
        if (groupNames == nullptr) {
            entry.SetGroup(GroupName(groupGuid));
        } else {
            auto [known, added] = groupNames->try_emplace(groupGuid);
            if (added)
                known->second = GroupName(groupGuid);
            entry.SetGroup(known->second);
        }
        entry.SetName(property.definition.Name());
        entry.SetValue(property.text);
        result.AddProperty(std::move(entry));
    }
    return result;
}

int GetPropertyDefinitionValues(const port::AttrRef& attribute, GS::UniString& description, GS::UniString& manufacturer)
{
    std::vector<port::PropertyDefinition> definitions;
    // The host's own definitions only: the catalogue's are many, and not wanted here.
    GSErrCode err = port::AttributeDefinitions(attribute, true, definitions);
    if (err != NoError)
        return err;
    for (const port::PropertyDefinition& definition : definitions) {
        // Only the host's own definitions: a catalogue tab may define properties of the
        // same names, and their values are not the user's texts.
        if (!definition.BuiltIn())
            continue;
        GS::UniString* target = definition.Name() == "Building Material Description"    ? &description
                                : definition.Name() == "Building Material Manufacturer" ? &manufacturer
                                                                                        : nullptr;
        if (target == nullptr)
            continue;
        GS::UniString text;
        if (GSErrCode read = port::AttributeValueText(attribute, definition.Guid(), text); read != NoError)
            err = read;
        else
            *target = text;
    }
    return err;
}

} // namespace KRV
