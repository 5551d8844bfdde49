// Property groups, definitions, and property values on attributes and elements.
#include <algorithm>

#include "APIdefs_Properties.h"
#include "Edge.hpp"
#include "Host.hpp"

using sim::Host;

namespace {

sim::PropertyStore& Store()
{
    return Host::Get().GetProject().properties;
}

bool GroupExists(const API_Guid& guid)
{
    return Store().FindGroup(guid) != nullptr;
}

bool IsAvailableFor(const API_PropertyDefinition& definition, const sim::Annotations& target)
{
    for (const auto& pair : target.classification)
        for (const API_Guid& item : definition.availability)
            if (pair.second == item)
                return true;
    return false;
}

// The definitions that apply to a target, built-in ones first.
std::vector<const sim::PropertyDefinition*> Applicable(const sim::Annotations& target, bool buildingMaterial,
                                                       bool builtIn, bool custom)
{
    std::vector<const sim::PropertyDefinition*> out;
    Store().ForEachDefinition([&](const sim::PropertyDefinition& d) {
        if (builtIn && d.field != sim::BuiltInField::None && buildingMaterial)
            out.push_back(&d);
    });
    if (!custom)
        return out;
    std::vector<API_Guid> items;
    for (const auto& pair : target.classification)
        items.push_back(pair.second);
    for (const sim::PropertyDefinition* d : Store().AvailableFor(items))
        out.push_back(d);
    return out;
}

std::string ValueText(const API_PropertyValue& value)
{
    if (value.variantStatus != API_VariantStatusNormal)
        return std::string();
    const API_Variant& v = value.singleVariant.variant;
    switch (v.type) {
    case API_PropertyIntegerValueType:
        return std::to_string(v.intValue);
    case API_PropertyRealValueType:
        return GS::UniString::Printf("%g", v.doubleValue).ToUtf8();
    case API_PropertyBooleanValueType:
        return v.boolValue ? "true" : "false";
    default:
        return v.uniStringValue.ToUtf8();
    }
}

API_PropertyValue TextValue(const std::string& text)
{
    API_PropertyValue value;
    value.variantStatus = API_VariantStatusNormal;
    value.singleVariant.variant.type = API_PropertyStringValueType;
    value.singleVariant.variant.uniStringValue = GS::UniString(text);
    return value;
}

sim::Attribute* AttributeOf(const API_Attr_Head& head)
{
    return sim::FindAttribute(Host::Get().GetProject().attributes, head.typeID, sim::IndexOf(head.index));
}

API_Property Read(const sim::PropertyDefinition& d, const sim::Annotations& target, const sim::Attribute* attribute)
{
    API_Property p;
    p.definition = d.definition;
    p.status = API_Property_HasValue;
    const sim::BuildingMaterialValues* material = attribute != nullptr ? attribute->Material() : nullptr;
    if (d.field != sim::BuiltInField::None && material != nullptr) {
        p.value = TextValue(d.field == sim::BuiltInField::Description ? material->description : material->manufacturer);
        return p;
    }
    auto it = target.properties.find(d.definition.guid);
    if (it == target.properties.end() || it->second.isDefault) {
        p.isDefault = true;
        p.value = d.definition.defaultValue.basicValue;
    } else {
        p.value = TextValue(it->second.text);
    }
    return p;
}

GSErrCode Write(sim::Annotations& target, sim::Attribute* attribute, const API_Property& property)
{
    sim::PropertyDefinition* d = Store().Find(property.definition.guid);
    if (d == nullptr)
        return APIERR_BADID;
    if (d->field != sim::BuiltInField::None) {
        sim::BuildingMaterialValues* material = attribute != nullptr ? attribute->Material() : nullptr;
        if (material == nullptr)
            return APIERR_BADPARS;
        std::string text = property.isDefault ? std::string() : ValueText(property.value);
        (d->field == sim::BuiltInField::Description ? material->description : material->manufacturer) = text;
        return NoError;
    }
    // Not available for the target's classification: the host refuses the value.
    if (!IsAvailableFor(d->definition, target))
        return APIERR_BADPROPERTY;
    if (property.isDefault)
        target.properties.erase(d->definition.guid);
    else
        target.properties[d->definition.guid] = {ValueText(property.value), false};
    return NoError;
}

} // namespace

GSErrCode ACAPI_Property_GetPropertyGroup(API_PropertyGroup& group)
{
    SIM_ENTER("ACAPI_Property_GetPropertyGroup");
    const API_PropertyGroup* found = group.guid != APINULLGuid ? Store().FindGroup(group.guid) : nullptr;
    if (found == nullptr)
        return APIERR_BADID;
    group = *found;
    return NoError;
}

GSErrCode ACAPI_Property_GetPropertyGroups(GS::Array<API_PropertyGroup>& groups)
{
    SIM_ENTER("ACAPI_Property_GetPropertyGroups");
    groups.Clear();
    Store().ForEachGroup([&](const API_PropertyGroup& g) { groups.Push(g); });
    return NoError;
}

GSErrCode ACAPI_Property_CreatePropertyGroup(API_PropertyGroup& group)
{
    SIM_ENTER("ACAPI_Property_CreatePropertyGroup");
    if (group.name.IsEmpty())
        return APIERR_BADNAME;
    if (Store().FindGroupByName(group.name) != nullptr)
        return APIERR_NAMEALREADYUSED;
    group.guid = GSGuid2APIGuid(GS::Guid::Generate());
    group.groupType = API_PropertyCustomGroupType;
    Store().AddGroup(group);
    return NoError;
}

GSErrCode ACAPI_Property_GetPropertyDefinitions(const API_Guid& groupGuid,
                                                GS::Array<API_PropertyDefinition>& definitions)
{
    SIM_ENTER("ACAPI_Property_GetPropertyDefinitions");
    if (groupGuid != APINULLGuid && !GroupExists(groupGuid))
        return APIERR_BADID;
    definitions.Clear();
    Store().ForEachDefinition([&](const sim::PropertyDefinition& d) {
        if (groupGuid == APINULLGuid || d.definition.groupGuid == groupGuid)
            definitions.Push(d.definition);
    });
    return NoError;
}

GSErrCode ACAPI_Property_CreatePropertyDefinition(API_PropertyDefinition& definition)
{
    SIM_ENTER("ACAPI_Property_CreatePropertyDefinition");
    if (!GroupExists(definition.groupGuid))
        return APIERR_BADID;
    if (definition.name.IsEmpty())
        return APIERR_BADNAME;
    if (Store().FindByName(definition.groupGuid, definition.name) != nullptr)
        return APIERR_NAMEALREADYUSED;
    definition.guid = GSGuid2APIGuid(GS::Guid::Generate());
    definition.definitionType = API_PropertyCustomDefinitionType;
    Store().AddDefinition({definition, sim::BuiltInField::None});
    return NoError;
}

GSErrCode ACAPI_Property_ChangePropertyDefinition(const API_PropertyDefinition& definition)
{
    SIM_ENTER("ACAPI_Property_ChangePropertyDefinition");
    sim::PropertyDefinition* d = Store().Find(definition.guid);
    if (d == nullptr)
        return APIERR_BADID;
    if (d->field != sim::BuiltInField::None)
        return APIERR_NOTEDITABLE;
    if (const sim::PropertyDefinition* other = Store().FindByName(definition.groupGuid, definition.name);
        other != nullptr && other != d)
        return APIERR_NAMEALREADYUSED;
    Store().ChangeDefinition(*d, definition);
    return NoError;
}

GSErrCode ACAPI_Property_GetPropertyValueString(const API_Property& property, GS::UniString* text)
{
    SIM_ENTER("ACAPI_Property_GetPropertyValueString");
    if (text == nullptr)
        return APIERR_BADPARS;
    *text = GS::UniString(ValueText(property.value));
    return NoError;
}

GSErrCode ACAPI_Attribute_GetPropertyDefinitions(const API_Attr_Head& head, API_PropertyDefinitionFilter filter,
                                                 GS::Array<API_PropertyDefinition>& definitions)
{
    SIM_ENTER("ACAPI_Attribute_GetPropertyDefinitions");
    sim::Attribute* a = AttributeOf(head);
    if (a == nullptr)
        return APIERR_BADINDEX;
    bool builtIn = filter == API_PropertyDefinitionFilter_BuiltIn || filter == API_PropertyDefinitionFilter_All;
    bool custom = filter != API_PropertyDefinitionFilter_BuiltIn;
    definitions.Clear();
    for (const auto* d : Applicable(*a, a->kind == sim::AttrKind::buildingMaterial, builtIn, custom))
        definitions.Push(d->definition);
    return NoError;
}

GSErrCode ACAPI_Attribute_GetPropertyValues(const API_Attr_Head& head,
                                            const GS::Array<API_PropertyDefinition>& definitions,
                                            GS::Array<API_Property>& properties)
{
    SIM_ENTER("ACAPI_Attribute_GetPropertyValues");
    sim::Attribute* a = AttributeOf(head);
    if (a == nullptr)
        return APIERR_BADINDEX;
    properties.Clear();
    for (const API_PropertyDefinition& definition : definitions) {
        const sim::PropertyDefinition* d = Store().Find(definition.guid);
        if (d == nullptr)
            return APIERR_BADID;
        properties.Push(Read(*d, *a, a));
    }
    return NoError;
}

GSErrCode ACAPI_Attribute_GetPropertyValue(const API_Attr_Head& head, const API_Guid& definition,
                                           API_Property& property)
{
    SIM_ENTER("ACAPI_Attribute_GetPropertyValue");
    sim::Attribute* a = AttributeOf(head);
    const sim::PropertyDefinition* d = Store().Find(definition);
    if (a == nullptr || d == nullptr)
        return APIERR_BADID;
    property = Read(*d, *a, a);
    return NoError;
}

GSErrCode ACAPI_Attribute_SetProperty(const API_Attr_Head& head, const API_Property& property)
{
    SIM_ENTER("ACAPI_Attribute_SetProperty");
    sim::Attribute* a = AttributeOf(head);
    if (a == nullptr)
        return APIERR_BADINDEX;
    return Write(*a, a, property);
}

GSErrCode ACAPI_Element_GetPropertyValue(const API_Guid& element, const API_Guid& definition, API_Property& property)
{
    SIM_ENTER("ACAPI_Element_GetPropertyValue");
    sim::Element* e = Host::Get().GetProject().elements.Find(element);
    const sim::PropertyDefinition* d = Store().Find(definition);
    if (e == nullptr || d == nullptr)
        return APIERR_BADID;
    property = Read(*d, *e, nullptr);
    return NoError;
}

GSErrCode ACAPI_Element_SetProperty(const API_Guid& element, const API_Property& property)
{
    SIM_ENTER_ELEMENT_CHANGE("ACAPI_Element_SetProperty");
    sim::Element* e = Host::Get().GetProject().elements.Find(element);
    if (e == nullptr)
        return APIERR_BADID;
    return Write(*e, nullptr, property);
}

GSErrCode ACAPI_Element_SetProperties(const API_Guid& element, const GS::Array<API_Property>& properties)
{
    SIM_ENTER_ELEMENT_CHANGE("ACAPI_Element_SetProperties");
    sim::Element* e = Host::Get().GetProject().elements.Find(element);
    if (e == nullptr)
        return APIERR_BADID;
    sim::Element trial = *e; // all or nothing
    for (const API_Property& property : properties)
        if (GSErrCode err = Write(trial, nullptr, property); err != NoError)
            return err;
    *e = trial;
    return NoError;
}

GSErrCode ACAPI_Element_GetPropertyDefinitions(const API_Guid& element, API_PropertyDefinitionFilter filter,
                                               GS::Array<API_PropertyDefinition>& definitions)
{
    SIM_ENTER("ACAPI_Element_GetPropertyDefinitions");
    const sim::Element* e = Host::Get().GetProject().elements.Find(element);
    if (e == nullptr)
        return APIERR_BADID;
    definitions.Clear();
    for (const auto* d : Applicable(*e, false, false, filter != API_PropertyDefinitionFilter_BuiltIn))
        definitions.Push(d->definition);
    return NoError;
}

GSErrCode ACAPI_Element_GetPropertyValuesByGuid(const API_Guid& element, const GS::Array<API_Guid>& definitions,
                                                GS::Array<API_Property>& properties)
{
    SIM_ENTER("ACAPI_Element_GetPropertyValuesByGuid");
    const sim::Element* e = Host::Get().GetProject().elements.Find(element);
    if (e == nullptr)
        return APIERR_BADID;
    properties.Clear();
    for (const API_Guid& guid : definitions) {
        const sim::PropertyDefinition* d = Store().Find(guid);
        if (d == nullptr)
            return APIERR_BADID;
        properties.Push(Read(*d, *e, nullptr));
    }
    return NoError;
}
