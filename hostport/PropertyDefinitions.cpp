// Properties, as generation 26 keeps them.
#include "PropertyDefinitions.hpp"

#include "ACAPinc.h"
#include "internal/Records.hpp"

namespace KRV::port {

const char* const groupCall = "ACAPI_Property_GetPropertyGroup";
const char* const groupsCall = "ACAPI_Property_GetPropertyGroups";
const char* const createGroupCall = "ACAPI_Property_CreatePropertyGroup";
const char* const groupDefinitionsCall = "ACAPI_Property_GetPropertyDefinitions";
const char* const createDefinitionCall = "ACAPI_Property_CreatePropertyDefinition";
const char* const changeDefinitionCall = "ACAPI_Property_ChangePropertyDefinition";
const char* const setElementPropertyCall = "ACAPI_Element_SetProperty";
const char* const setAttributePropertyCall = "ACAPI_Attribute_SetProperty";
const char* const setElementPropertiesCall = "ACAPI_Element_SetProperties";

struct PropertyDefinition::Record {
    API_PropertyDefinition definition;
};

PropertyDefinition::PropertyDefinition() : record(std::make_unique<Record>()) {}
PropertyDefinition::~PropertyDefinition() = default;
PropertyDefinition::PropertyDefinition(const PropertyDefinition& other)
    : record(std::make_unique<Record>(*other.record))
{
}
PropertyDefinition& PropertyDefinition::operator=(const PropertyDefinition& other)
{
    *record = *other.record;
    return *this;
}

namespace {

API_PropertyMeasureType HostMeasure(Measure measure)
{
    switch (measure) {
    case Measure::length:
        return API_PropertyLengthMeasureType;
    case Measure::area:
        return API_PropertyAreaMeasureType;
    case Measure::volume:
        return API_PropertyVolumeMeasureType;
    case Measure::angle:
        return API_PropertyAngleMeasureType;
    case Measure::none:
        break;
    }
    return API_PropertyDefaultMeasureType;
}

PropertyDefinition Wrapped(const API_PropertyDefinition& definition)
{
    PropertyDefinition wrapped;
    wrapped.Held().definition = definition;
    return wrapped;
}

std::vector<PropertyDefinition> Wrapped(const GS::Array<API_PropertyDefinition>& definitions)
{
    std::vector<PropertyDefinition> wrapped;
    wrapped.reserve(definitions.GetSize());
    for (const API_PropertyDefinition& definition : definitions)
        wrapped.push_back(Wrapped(definition));
    return wrapped;
}

GS::Array<API_PropertyDefinition> Unwrapped(const std::vector<PropertyDefinition>& definitions)
{
    GS::Array<API_PropertyDefinition> records;
    for (const PropertyDefinition& definition : definitions)
        records.Push(definition.Held().definition);
    return records;
}

std::vector<PropertyValue> Values(const GS::Array<API_Property>& properties)
{
    std::vector<PropertyValue> values;
    for (const API_Property& property : properties)
        values.push_back(
            {Wrapped(property.definition), property.value.singleVariant.variant.uniStringValue, property.isDefault});
    return values;
}

API_Property TextProperty(const PropertyDefinition& definition, const GS::UniString& text)
{
    API_Property property;
    property.definition = definition.Held().definition;
    property.value.variantStatus = API_VariantStatusNormal;
    property.value.singleVariant.variant.type = API_PropertyStringValueType;
    property.value.singleVariant.variant.uniStringValue = text;
    property.isDefault = false;
    return property;
}

} // namespace

PropertyDefinition PropertyDefinition::CatalogueText(const API_Guid& group, const GS::UniString& name, Measure measure)
{
    PropertyDefinition made;
    API_PropertyDefinition& definition = made.Held().definition;
    definition.guid = APINULLGuid;
    definition.groupGuid = group;
    definition.name = name;
    definition.description = "Property description.";
    definition.collectionType = API_PropertySingleCollectionType;
    definition.valueType = API_PropertyStringValueType;
    definition.measureType = HostMeasure(measure);
    definition.defaultValue.basicValue.variantStatus = API_VariantStatusNormal;
    definition.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
    definition.canValueBeEditable = false;
    return made;
}

API_Guid PropertyDefinition::Guid() const
{
    return record->definition.guid;
}
API_Guid PropertyDefinition::Group() const
{
    return record->definition.groupGuid;
}
GS::UniString PropertyDefinition::Name() const
{
    return record->definition.name;
}
bool PropertyDefinition::BuiltIn() const
{
    return record->definition.definitionType == API_PropertyStaticBuiltInDefinitionType;
}
GS::UniString PropertyDefinition::DefaultText() const
{
    return record->definition.defaultValue.basicValue.singleVariant.variant.uniStringValue;
}
bool PropertyDefinition::AvailableFor(const API_Guid& item) const
{
    return record->definition.availability.Contains(item);
}
void PropertyDefinition::MakeAvailableFor(const API_Guid& item)
{
    record->definition.availability.Push(item);
}

GSErrCode GroupByName(const GS::UniString& name, PropertyGroup& group)
{
    API_PropertyGroup wanted;
    wanted.name = name;
    const GSErrCode err = ACAPI_Property_GetPropertyGroup(wanted);
    if (err == NoError)
        group = {wanted.guid, wanted.name};
    return err;
}

GSErrCode GroupByGuid(const API_Guid& guid, PropertyGroup& group)
{
    API_PropertyGroup wanted;
    wanted.guid = guid;
    const GSErrCode err = ACAPI_Property_GetPropertyGroup(wanted);
    if (err == NoError)
        group = {wanted.guid, wanted.name};
    return err;
}

GSErrCode Groups(std::vector<PropertyGroup>& groups)
{
    GS::Array<API_PropertyGroup> read;
    const GSErrCode err = ACAPI_Property_GetPropertyGroups(read);
    groups.clear();
    for (const API_PropertyGroup& group : read)
        groups.push_back({group.guid, group.name});
    return err;
}

GSErrCode CreateGroup(const GS::UniString& name, PropertyGroup& group)
{
    API_PropertyGroup made;
    made.name = name;
    const GSErrCode err = ACAPI_Property_CreatePropertyGroup(made);
    if (err == NoError)
        group = {made.guid, made.name};
    return err;
}

GSErrCode GroupDefinitions(const API_Guid& group, std::vector<PropertyDefinition>& definitions)
{
    GS::Array<API_PropertyDefinition> read;
    const GSErrCode err = ACAPI_Property_GetPropertyDefinitions(group, read);
    definitions = Wrapped(read);
    return err;
}

GSErrCode CreateDefinition(PropertyDefinition& definition)
{
    return ACAPI_Property_CreatePropertyDefinition(definition.Held().definition);
}

GSErrCode ChangeDefinition(const PropertyDefinition& definition)
{
    return ACAPI_Property_ChangePropertyDefinition(definition.Held().definition);
}

GSErrCode SetElementText(const API_Guid& element, const PropertyDefinition& definition, const GS::UniString& text)
{
    return ACAPI_Element_SetProperty(element, TextProperty(definition, text));
}

GSErrCode SetAttributeText(const AttrRef& attribute, const PropertyDefinition& definition, const GS::UniString& text)
{
    return ACAPI_Attribute_SetProperty(HeadOf(attribute), TextProperty(definition, text));
}

GSErrCode ResetElementValues(const API_Guid& element, const std::vector<PropertyDefinition>& definitions)
{
    GS::Array<API_Property> properties;
    for (const PropertyDefinition& definition : definitions) {
        API_Property property;
        property.definition = definition.Held().definition;
        property.isDefault = true;
        properties.Push(property);
    }
    return ACAPI_Element_SetProperties(element, properties);
}

GSErrCode AttributeDefinitions(const AttrRef& attribute, bool builtInOnly, std::vector<PropertyDefinition>& definitions)
{
    GS::Array<API_PropertyDefinition> read;
    const GSErrCode err = ACAPI_Attribute_GetPropertyDefinitions(
        HeadOf(attribute),
        builtInOnly ? API_PropertyDefinitionFilter_BuiltIn : static_cast<API_PropertyDefinitionFilter>(0), read);
    definitions = Wrapped(read);
    return err;
}

GSErrCode AttributeValues(const AttrRef& attribute, const std::vector<PropertyDefinition>& definitions,
                          std::vector<PropertyValue>& values)
{
    GS::Array<API_Property> read;
    const GSErrCode err = ACAPI_Attribute_GetPropertyValues(HeadOf(attribute), Unwrapped(definitions), read);
    values = Values(read);
    return err;
}

GSErrCode AttributeValueText(const AttrRef& attribute, const API_Guid& definition, GS::UniString& text)
{
    API_Property property;
    if (GSErrCode err = ACAPI_Attribute_GetPropertyValue(HeadOf(attribute), definition, property); err != NoError)
        return err;
    return ACAPI_Property_GetPropertyValueString(property, &text);
}

GSErrCode ElementDefinitions(const API_Guid& element, std::vector<PropertyDefinition>& definitions)
{
    GS::Array<API_PropertyDefinition> read;
    const GSErrCode err = ACAPI_Element_GetPropertyDefinitions(element, API_PropertyDefinitionFilter_All, read);
    definitions = Wrapped(read);
    return err;
}

GSErrCode ElementValues(const API_Guid& element, const std::vector<API_Guid>& definitions,
                        std::vector<PropertyValue>& values)
{
    GS::Array<API_Guid> guids;
    for (const API_Guid& guid : definitions)
        guids.Push(guid);
    GS::Array<API_Property> read;
    const GSErrCode err = ACAPI_Element_GetPropertyValuesByGuid(element, guids, read);
    values = Values(read);
    return err;
}

} // namespace KRV::port
