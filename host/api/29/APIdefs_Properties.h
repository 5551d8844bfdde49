#pragma once
// Generation 29: the host's property groups, definitions and values, and their ACAPI_ functions.
#include "API_Guid.h"
#include "APIdefs_Attributes.h"
#include "GS/Array.hpp"
#include "GS/UniString.hpp"

enum API_PropertyGroupType : Int32 {
    API_PropertyStaticBuiltInGroupType = 0,
    API_PropertyDynamicBuiltInGroupType = 1,
    API_PropertyCustomGroupType = 2
};

// No default for the type: a caller says which (creating answers APIERR_BADPARS for one the
// host does not support).
struct API_PropertyGroup {
    API_PropertyGroupType groupType = API_PropertyStaticBuiltInGroupType;
    API_Guid guid{};
    GS::UniString name;
    GS::UniString description;
};

enum API_PropertyCollectionType : Int32 {
    API_PropertyUndefinedCollectionType = 0,
    API_PropertySingleCollectionType = 1,
    API_PropertyListCollectionType = 2,
};

enum API_VariantType : Int32 {
    API_PropertyUndefinedValueType = 0,
    API_PropertyIntegerValueType = 1,
    API_PropertyRealValueType = 2,
    API_PropertyStringValueType = 3,
    API_PropertyBooleanValueType = 4,
};

enum API_PropertyMeasureType : Int32 {
    API_PropertyUndefinedMeasureType = 0,
    API_PropertyDefaultMeasureType = 1,
    API_PropertyLengthMeasureType = 2,
    API_PropertyAreaMeasureType = 3,
    API_PropertyVolumeMeasureType = 4,
    API_PropertyAngleMeasureType = 5,
};

enum API_VariantStatus : Int32 {
    API_VariantStatusNull = 0,
    API_VariantStatusUserUndefined = 1,
    API_VariantStatusNormal = 2
};

struct API_Variant {
    API_VariantType type = API_PropertyUndefinedValueType;
    Int32 intValue = 0;
    double doubleValue = 0.0;
    bool boolValue = false;
    GS::UniString uniStringValue;
};

struct API_SingleVariant {
    API_Variant variant;
};

struct API_PropertyValue {
    API_VariantStatus variantStatus = API_VariantStatusNull;
    API_SingleVariant singleVariant;
};

struct API_PropertyDefaultValue {
    bool hasExpression = false;
    API_PropertyValue basicValue;
};

enum API_PropertyDefinitionType : Int32 {
    API_PropertyStaticBuiltInDefinitionType = 0,
    API_PropertyDynamicBuiltInDefinitionType = 1,
    API_PropertyCustomDefinitionType = 2
};

struct API_PropertyDefinition {
    API_PropertyDefinitionType definitionType = API_PropertyStaticBuiltInDefinitionType;
    API_Guid guid{};
    API_Guid groupGuid{};
    GS::UniString name;
    GS::UniString description;
    API_PropertyCollectionType collectionType = API_PropertyUndefinedCollectionType;
    API_VariantType valueType = API_PropertyUndefinedValueType;
    API_PropertyMeasureType measureType = API_PropertyUndefinedMeasureType;
    API_PropertyDefaultValue defaultValue;
    GS::Array<API_Guid> availability; // classification items the definition is available for
    bool canValueBeEditable = false;
};

enum API_PropertyValueStatus : Int32 {
    API_Property_NotAvailable = 0,
    API_Property_NotEvaluated = 1,
    API_Property_HasValue = 2
};

struct API_Property {
    API_PropertyDefinition definition;
    API_PropertyValueStatus status = API_Property_NotAvailable;
    API_PropertyValue value;
    bool isDefault = false;
};

enum API_PropertyDefinitionFilter : Int32 {
    API_PropertyDefinitionFilter_UserDefined = 0,
    API_PropertyDefinitionFilter_BuiltIn = 1,
    API_PropertyDefinitionFilter_All = 2,
};

// Groups. Getting a group by a null or unknown guid answers APIERR_BADID.
GSErrCode ACAPI_Property_GetPropertyGroup(API_PropertyGroup& group);
GSErrCode ACAPI_Property_GetPropertyGroups(GS::Array<API_PropertyGroup>& groups);
GSErrCode ACAPI_Property_CreatePropertyGroup(API_PropertyGroup& group);

// Definitions. A name already used in the group answers APIERR_NAMEALREADYUSED.
GSErrCode ACAPI_Property_GetPropertyDefinitions(const API_Guid& groupGuid,
                                                GS::Array<API_PropertyDefinition>& definitions);
GSErrCode ACAPI_Property_CreatePropertyDefinition(API_PropertyDefinition& definition);
GSErrCode ACAPI_Property_ChangePropertyDefinition(const API_PropertyDefinition& definition);
GSErrCode ACAPI_Property_GetPropertyValueString(const API_Property& property, GS::UniString* text);

// Values on attributes. The user-defined filter gives the custom definitions available for the attribute.
GSErrCode ACAPI_Attribute_GetPropertyDefinitions(const API_Attr_Head& head, API_PropertyDefinitionFilter filter,
                                                 GS::Array<API_PropertyDefinition>& definitions);
GSErrCode ACAPI_Attribute_GetPropertyValues(const API_Attr_Head& head,
                                            const GS::Array<API_PropertyDefinition>& definitions,
                                            GS::Array<API_Property>& properties);
GSErrCode ACAPI_Attribute_GetPropertyValue(const API_Attr_Head& head, const API_Guid& definition,
                                           API_Property& property);
GSErrCode ACAPI_Attribute_SetProperty(const API_Attr_Head& head, const API_Property& property);

// Values on elements.
GSErrCode ACAPI_Element_GetPropertyDefinitions(const API_Guid& elemGuid, API_PropertyDefinitionFilter filter,
                                               GS::Array<API_PropertyDefinition>& propertyDefinitions);
GSErrCode ACAPI_Element_GetPropertyValuesByGuid(const API_Guid& elemGuid,
                                                const GS::Array<API_Guid>& propertyDefinitions,
                                                GS::Array<API_Property>& properties);
GSErrCode ACAPI_Element_GetPropertyValue(const API_Guid& element, const API_Guid& definition, API_Property& property);
GSErrCode ACAPI_Element_SetProperty(const API_Guid& element, const API_Property& property);
GSErrCode ACAPI_Element_SetProperties(const API_Guid& element, const GS::Array<API_Property>& properties);
