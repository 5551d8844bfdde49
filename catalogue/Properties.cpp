// Catalogue properties as host properties: a group per tab, a text definition per property.
#include "Properties.hpp"

#include "APIdefs_Classification.h"
#include "APIdefs_Properties.h"
#include "APIdefs_UserData.h"
#include "Classification.hpp"
#include "Commands.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "RequestScoped.hpp"
#include "WriteTwice.hpp"

#include <functional>
#include <string>
#include <unordered_map>

using KRV::RequestScoped;

namespace {

// What the host answered during the current request (see DefinitionCacheScope).
struct DefinitionCache {
    std::unordered_map<std::string, API_PropertyGroup> groups; // by name
    struct Definitions {
        bool listed = false;
        std::unordered_map<std::string, API_PropertyDefinition> byName;
    };
    std::unordered_map<API_Guid, Definitions> definitions; // by group
};

GSErrCode FindOrCreateGroup(API_PropertyGroup& group, GS::UniString name);

GSErrCode GetKorvelPropertyGroup(API_PropertyGroup& group, GS::UniString name)
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
GSErrCode CachedDefinition(const API_Guid& group, const GS::UniString& name, API_PropertyDefinition*& found)
{
    found = nullptr;
    DefinitionCache::Definitions& known = RequestScoped<DefinitionCache>::Current()->definitions[group];
    if (!known.listed) {
        GS::Array<API_PropertyDefinition> existing;
        if (GSErrCode err = ACAPI_Property_GetPropertyDefinitions(group, existing); err != NoError) {
            KRV::LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions");
            return err;
        }
        known.byName.clear();
        for (const API_PropertyDefinition& definition : existing)
            known.byName.emplace(definition.name.ToUtf8(), definition); // the first of a name, as a scan finds it
        known.listed = true;
    }
    if (auto it = known.byName.find(name.ToUtf8()); it != known.byName.end())
        found = &it->second;
    return NoError;
}

GSErrCode FindOrCreateGroup(API_PropertyGroup& group, GS::UniString name)
{
    API_PropertyGroup wanted;
    wanted.name = name;
    GSErrCode err = ACAPI_Property_GetPropertyGroup(wanted);
    if (err == NoError) {
        group = wanted;
        return NoError;
    }
    if (err != KRV::hosterr::badId) {
        // A failed look-up is no absence: a second group of the name would follow.
        KRV::LogArchicadErrorCodeMessage(err, "GetKorvelPropertyGroup::ACAPI_Property_GetPropertyGroup");
        return err;
    }
    GS::Array<API_PropertyGroup> groups;
    err = ACAPI_Property_GetPropertyGroups(groups);
    if (err != NoError) {
        KRV::LogArchicadErrorCodeMessage(err, "GetKorvelPropertyGroup::ACAPI_Property_GetPropertyGroups");
        return err;
    }
    for (const API_PropertyGroup& existing : groups) {
        if (existing.name == name) {
            group = existing;
            return NoError;
        }
    }
    err = ACAPI_Property_CreatePropertyGroup(wanted);
    if (err != NoError) {
        KRV::LogArchicadErrorCodeMessage(err, "GetKorvelPropertyGroup::ACAPI_Property_CreatePropertyGroup");
        return err;
    }
    group = wanted;
    return NoError;
}

API_PropertyMeasureType MeasureType(const GS::UniString& type)
{
    if (type == "Length")
        return API_PropertyLengthMeasureType;
    if (type == "Area")
        return API_PropertyAreaMeasureType;
    if (type == "Volume")
        return API_PropertyVolumeMeasureType;
    if (type == "Angle")
        return API_PropertyAngleMeasureType;
    return API_PropertyDefaultMeasureType;
}

API_PropertyDefinition CreatePropertyDefinition(API_PropertyGroup group, const KRV::KorvelProperty& property)
{
    API_PropertyDefinition definition;
    definition.guid = APINULLGuid;
    definition.groupGuid = group.guid;
    definition.name = property.GetName();
    definition.description = "Property description.";
    definition.collectionType = API_PropertySingleCollectionType;
    definition.valueType = API_PropertyStringValueType;
    definition.measureType = MeasureType(property.GetType());
    definition.defaultValue.basicValue.variantStatus = API_VariantStatusNormal;
    definition.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
    definition.canValueBeEditable = false;
    return definition;
}

API_PropertyValue TextValue(const GS::UniString& text)
{
    API_PropertyValue value;
    value.variantStatus = API_VariantStatusNormal;
    value.singleVariant.variant.type = API_PropertyStringValueType;
    value.singleVariant.variant.uniStringValue = text;
    return value;
}

GS::UniString GroupName(const API_Guid& groupGuid)
{
    API_PropertyGroup group;
    group.guid = groupGuid;
    return ACAPI_Property_GetPropertyGroup(group) == NoError ? group.name : GS::UniString();
}

} // namespace

namespace KRV {

DefinitionCacheScope::DefinitionCacheScope()
{
    RequestScoped<DefinitionCache>::Open();
}

DefinitionCacheScope::~DefinitionCacheScope()
{
    RequestScoped<DefinitionCache>::Close();
}

int DefineNewKorvelProperty(const KorvelProperty& property, API_Attr_Head attribute, API_Guid element)
{
    const bool onElement = element != APINULLGuid;
    API_PropertyGroup group;
    if (GSErrCode err = GetKorvelPropertyGroup(group, property.GetGroup()); err != NoError)
        return err;

    API_PropertyDefinition definition = CreatePropertyDefinition(group, property);
    API_ClassificationPairs items;
    // The definition is available for what the target is classified as: unread, it would
    // be made available for nothing.
    if (GSErrCode read = onElement ? ACAPI_Element_GetClassificationItems(element, items)
                                   : ACAPI_Attribute_GetClassificationItems(attribute, items);
        read != NoError) {
        LogArchicadErrorCodeMessage(read, onElement ? "DefineNewProperty::ACAPI_Element_GetClassificationItems"
                                                    : "DefineNewProperty::ACAPI_Attribute_GetClassificationItems");
        return read;
    }
    for (const auto& pair : items)
        definition.availability.Push(pair.second);

    GSErrCode err = NoError;
    bool defined = false;
    bool created = false; // asked the host to create it already
    DefinitionCache* cache = RequestScoped<DefinitionCache>::Current();
    if (cache != nullptr) {
        API_PropertyDefinition* known = nullptr;
        if (err = CachedDefinition(group.guid, property.GetName(), known); err != NoError)
            return err; // logged
        if (known != nullptr) {
            // Made available for the target's items where it is not yet.
            API_PropertyDefinition candidate = *known;
            bool added = false;
            for (const auto& pair : items)
                if (!candidate.availability.Contains(pair.second)) {
                    candidate.availability.Push(pair.second);
                    added = true;
                }
            if (added) {
                err = ACAPI_Property_ChangePropertyDefinition(candidate);
                if (err != NoError) {
                    LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Property_ChangePropertyDefinition");
                    return err;
                }
                *known = candidate;
            }
            definition = candidate;
            defined = true;
        } else {
            err = ACAPI_Property_CreatePropertyDefinition(definition);
            created = true;
            if (err == NoError) {
                cache->definitions[group.guid].byName.emplace(definition.name.ToUtf8(), definition);
                defined = true;
            } else if (err == hosterr::nameInUse) {
                cache->definitions[group.guid].listed = false; // the host knows better: asked again below
            }
        }
    }
    if (!defined && !created)
        err = ACAPI_Property_CreatePropertyDefinition(definition);
    if (defined) {
        // from the request's list, made available above
    } else if (err == hosterr::nameInUse) {
        GS::Array<API_PropertyDefinition> existing;
        err = ACAPI_Property_GetPropertyDefinitions(group.guid, existing);
        if (err != NoError) {
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions");
            return err;
        }
        for (API_PropertyDefinition& candidate : existing) {
            if (candidate.name != property.GetName())
                continue;
            for (const auto& pair : items)
                if (!candidate.availability.Contains(pair.second))
                    candidate.availability.Push(pair.second);
            err = ACAPI_Property_ChangePropertyDefinition(candidate);
            if (err != NoError) {
                LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Property_ChangePropertyDefinition");
                return err;
            }
            definition = candidate;
        }
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Property_CreatePropertyDefinition");
        return err;
    }

    API_Property record;
    record.definition = definition;
    record.value = TextValue(property.GetValue());
    record.isDefault = false;
    if (onElement) {
        err = ACAPI_Element_SetProperty(element, record);
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Element_SetProperty");
    } else {
        err = ACAPI_Attribute_SetProperty(attribute, record);
        if (err != NoError)
            LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Attribute_SetProperty");
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
        LogArchicadErrorCodeMessage(err, (std::string(where) + "::" + port::undoableCommandCall).c_str());
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
            return DefineNewKorvelProperty(property, API_Attr_Head{}, element);
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
    API_PropertyGroup group;
    if (GetKorvelPropertyGroup(group, "Korvel") != NoError)
        return; // logged
    GS::Array<API_PropertyDefinition> definitions;
    if (GSErrCode err = ACAPI_Property_GetPropertyDefinitions(group.guid, definitions); err != NoError) {
        LogArchicadErrorCodeMessage(err, "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions");
        return;
    }
    API_ClassificationPairs items;
    if (GSErrCode err = ACAPI_Element_GetClassificationItems(element, items); err != NoError) {
        LogArchicadErrorCodeMessage(err, "SetDefaultValuesForKorvelProperties::ACAPI_Element_GetClassificationItems");
        return;
    }
    GS::Array<API_Property> properties;
    for (const API_PropertyDefinition& definition : definitions) {
        bool available = false;
        for (const auto& pair : items)
            available = available || definition.availability.Contains(pair.second);
        if (!available)
            continue;
        API_Property property;
        property.definition = definition;
        property.isDefault = true;
        properties.Push(property);
    }
    if (GSErrCode err = ACAPI_Element_SetProperties(element, properties); err != NoError)
        LogArchicadErrorCodeMessage(err, "SetDefaultValuesForKorvelProperties::ACAPI_Element_SetProperties");
}

KorvelProperties ReadProperties(API_Attribute* attribute, std::unordered_map<API_Guid, GS::UniString>* groupNames)
{
    KorvelProperties result;
    if (attribute == nullptr)
        return result;
    GS::Array<API_PropertyDefinition> definitions;
    if (ACAPI_Attribute_GetPropertyDefinitions(attribute->header, static_cast<API_PropertyDefinitionFilter>(0),
                                               definitions) != NoError)
        return result;
    GS::Array<API_Property> properties;
    if (ACAPI_Attribute_GetPropertyValues(attribute->header, definitions, properties) != NoError)
        return result;
    for (const API_Property& property : properties) {
        KorvelProperty entry;
        // The group is the definition's, so the entry can be matched with a stored one.
        if (groupNames == nullptr) {
            entry.SetGroup(GroupName(property.definition.groupGuid));
        } else {
            auto [known, added] = groupNames->try_emplace(property.definition.groupGuid);
            if (added)
                known->second = GroupName(property.definition.groupGuid);
            entry.SetGroup(known->second);
        }
        entry.SetName(property.definition.name);
        entry.SetValue(property.value.singleVariant.variant.uniStringValue);
        result.AddProperty(std::move(entry));
    }
    return result;
}

int GetPropertyDefinitionValues(API_AttrTypeID type, int index, GS::UniString& description, GS::UniString& manufacturer)
{
    API_Attr_Head head{};
    head.typeID = type;
    head.index = index;
    GS::Array<API_PropertyDefinition> definitions;
    // The host's own definitions only: the catalogue's are many, and not wanted here.
    GSErrCode err = ACAPI_Attribute_GetPropertyDefinitions(head, API_PropertyDefinitionFilter_BuiltIn, definitions);
    if (err != NoError)
        return err;
    for (const API_PropertyDefinition& definition : definitions) {
        // Only the host's own definitions: a catalogue tab may define properties of the
        // same names, and their values are not the user's texts.
        if (definition.definitionType != API_PropertyStaticBuiltInDefinitionType)
            continue;
        GS::UniString* target = definition.name == "Building Material Description"    ? &description
                                : definition.name == "Building Material Manufacturer" ? &manufacturer
                                                                                      : nullptr;
        if (target == nullptr)
            continue;
        API_Property property;
        GS::UniString text;
        if (GSErrCode read = ACAPI_Attribute_GetPropertyValue(head, definition.guid, property); read != NoError)
            err = read;
        else if (GSErrCode asText = ACAPI_Property_GetPropertyValueString(property, &text); asText != NoError)
            err = asText;
        else
            *target = text;
    }
    return err;
}

} // namespace KRV
