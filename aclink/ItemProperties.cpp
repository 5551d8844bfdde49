// How the catalogue items keep their properties in the project: the list as user data
// on the attribute, and each property as a host property value.
#include "APIdefs_UserData.h"
#include "Classification.hpp"
#include "ElementStructure.hpp"
#include "KorvelComplexMaterial.hpp"
#include "KorvelMaterial.hpp"
#include "Properties.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

void ReadStoredList(const GS::UniString& name, API_AttrTypeID type, KorvelProperties& properties)
{
    API_Attribute attribute = GetAttribute(name, type);
    GS::UniString text;
    if (GetUserData(attribute, text) != NoError)
        return;
    KorvelProperties stored;
    from_json(TextToJson(text), stored);
    properties = stored;
}

} // namespace

void KorvelMaterial::WriteProperties(API_Attribute*) const
{
    API_Attribute attribute = GetAttribute(GetName(), API_BuildingMaterialID);
    if (attribute.header.index == 0)
        return; // not in the project (logged): nothing to write on
    AddArchicadClassificationToAttribute(attribute.header);
    if (properties.empty())
        return;
    AddUserData(attribute, StoredText(properties));
    for (const KorvelProperty& property : properties.GetProperties())
        ACAPI_CallUndoableCommand("Create material property", [&]() -> GSErrCode {
            return DefineNewKorvelProperty(property, attribute.header, APINULLGuid);
        });
}

void KorvelMaterial::ReadProperties()
{
    ReadStoredList(GetName(), API_BuildingMaterialID, properties);
}

void KorvelComplexMaterial::WriteProperties(API_Attribute*) const
{
    API_Attribute composite = GetAttribute(GetName(), API_CompWallID);
    // Not in the project (logged): index 0 would match every element without a composite.
    if (composite.header.index == 0 || properties.empty())
        return;
    const GS::UniString text = StoredText(properties);
    AddUserData(composite, text);
    InitCompMatElemList();
    // The properties live on the elements built of the composite.
    for (const API_Guid& guid : g_elemList) {
        auto structure = StructureOf(guid);
        if (!structure)
            continue;
        if (structure->composite != composite.header.index)
            continue;
        SetUserDataToElem(guid, text);
        WriteElementProperties(guid, properties, "Create property definition");
    }
    ClearCompMatElemList();
}

void KorvelComplexMaterial::ReadProperties()
{
    ReadStoredList(GetName(), API_CompWallID, properties);
}

} // namespace KRV
