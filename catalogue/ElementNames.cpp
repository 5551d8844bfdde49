// How an element is named: its IFC "Name", its type's display name, its catalogue name.
#include "ElementNames.hpp"

#include <cstring>

#include "DBPrintf.h"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "Ifc.hpp"
#include "PropertyDefinitions.hpp"

namespace KRV {

GSErrCode GetIFCNameFromElementGuid(const API_Guid& element, GS::UniString& name)
{
    std::vector<std::pair<GS::UniString, GS::UniString>> attributes;
    if (GSErrCode err = port::IfcAttributes(element, attributes); err != NoError) {
        LogArchicadErrorCodeMessage(err, "GetIFCNameFromElementGuid::", port::ifcAttributesCall);
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

GSErrCode GetElementTypeString(const port::ElemHead& type, char* buffer)
{
    GS::UniString name;
    if (GSErrCode err = port::ElementTypeName(type, name); err != NoError) {
        ReadSucceeded(err, "GetElementTypeString::", port::elementTypeNameCall, hosterr::badElementType);
        return err;
    }
    const std::string cut = GS::TruncateUtf8(name.ToUtf8(), 255);
    std::memcpy(buffer, cut.c_str(), cut.size() + 1);
    return NoError;
}

void GetElementNameFromElementGuid(const API_Guid& element, GS::UniString& name)
{
    std::vector<port::PropertyGroup> groups;
    if (port::Groups(groups) != NoError)
        return;
    API_Guid korvel = APINULLGuid;
    for (const port::PropertyGroup& group : groups)
        if (group.name == "Korvel" && korvel == APINULLGuid)
            korvel = group.guid;
    if (korvel == APINULLGuid)
        return;
    std::vector<port::PropertyDefinition> definitions;
    if (port::ElementDefinitions(element, definitions) != NoError)
        return;
    for (const port::PropertyDefinition& definition : definitions) {
        if (definition.Name() != "name" || definition.Group() != korvel)
            continue;
        std::vector<port::PropertyValue> properties;
        if (port::ElementValues(element, {definition.Guid()}, properties) != NoError || properties.empty())
            return;
        const port::PropertyValue& property = properties[0];
        name = property.isDefault ? definition.DefaultText() : property.text;
        return;
    }
}

} // namespace KRV
