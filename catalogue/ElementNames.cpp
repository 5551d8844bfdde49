// How an element is named: its IFC "Name", its type's display name, its catalogue name.
#include "ElementNames.hpp"

#include <cstring>

#include "APIdefs_Properties.h"
#include "DBPrintf.h"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "Ifc.hpp"

namespace KRV {

GSErrCode GetIFCNameFromElementGuid(const API_Guid& element, GS::UniString& name)
{
    std::vector<std::pair<GS::UniString, GS::UniString>> attributes;
    if (GSErrCode err = port::IfcAttributes(element, attributes); err != NoError) {
        LogArchicadErrorCodeMessage(err,
                                    (std::string("GetIFCNameFromElementGuid::") + port::ifcAttributesCall).c_str());
        return err;
    }
    for (const auto& [attributeName, value] : attributes) {
        DBPrintf("IFC attribute name: %s\n", attributeName.ToUtf8().c_str());
        if (attributeName == "Name") {
            name = value;
            return NoError;
        }
    }
    return NoError;
}

GSErrCode GetElementTypeString(const API_ElemTypeID& type, char* buffer)
{
    GS::UniString name;
    if (GSErrCode err = ACAPI_Goodies_GetElemTypeName(type, name); err != NoError) {
        ReadSucceeded(err, "GetElementTypeString::ACAPI_Goodies_GetElemTypeName", hosterr::badElementType);
        return err;
    }
    const std::string cut = GS::TruncateUtf8(name.ToUtf8(), 255);
    std::memcpy(buffer, cut.c_str(), cut.size() + 1);
    return NoError;
}

void GetElementNameFromElementGuid(const API_Guid& element, GS::UniString& name)
{
    GS::Array<API_PropertyGroup> groups;
    if (ACAPI_Property_GetPropertyGroups(groups) != NoError)
        return;
    API_Guid korvel = APINULLGuid;
    for (const API_PropertyGroup& group : groups)
        if (group.name == "Korvel" && korvel == APINULLGuid)
            korvel = group.guid;
    if (korvel == APINULLGuid)
        return;
    GS::Array<API_PropertyDefinition> definitions;
    if (ACAPI_Element_GetPropertyDefinitions(element, API_PropertyDefinitionFilter_All, definitions) != NoError)
        return;
    for (const API_PropertyDefinition& definition : definitions) {
        if (definition.name != "name" || definition.groupGuid != korvel)
            continue;
        GS::Array<API_Property> properties;
        if (ACAPI_Element_GetPropertyValuesByGuid(element, GS::Array<API_Guid>{definition.guid}, properties) !=
                NoError ||
            properties.IsEmpty())
            return;
        const API_Property& property = properties[0];
        const API_PropertyValue& value = property.isDefault ? definition.defaultValue.basicValue : property.value;
        name = value.singleVariant.variant.uniStringValue;
        return;
    }
}

} // namespace KRV
