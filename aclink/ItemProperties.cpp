// How the catalogue items keep their properties in the project: the list as user data
// on the attribute, and each property as a host property value.
#include "APIdefs_UserData.h"
#include "Classification.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostRecords.hpp"
#include "KorvelComplexMaterial.hpp"
#include "KorvelMaterial.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "StoredList.hpp"
#include "Texts.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

// The stored list of the attribute of that name, read as every stored list is read; an item
// keeps its own list when there is none or it does not read (with the reader's warning).
void ReadAttributeList(const GS::UniString& name, API_AttrTypeID type, KorvelProperties& properties)
{
    API_Attribute attribute = GetAttribute(name, type);
    GS::UniString text;
    if (GetUserData(attribute, text) != NoError)
        return;
    KorvelProperties stored;
    if (ReadStoredList(text, "the attribute " + name.ToUtf8(), stored))
        properties = std::move(stored);
}

} // namespace

bool KorvelMaterial::WriteProperties(API_Attribute*) const
{
    API_Attribute attribute = GetAttribute(GetName(), API_BuildingMaterialID);
    if (attribute.header.index == 0)
        return false; // not in the project (logged): nothing to write on
    if (AddArchicadClassificationToAttribute(port::RefOf(attribute.header)) != NoError)
        return false; // logged: no property would be available for it
    if (properties.empty())
        return true;
    bool written = true;
    bool refused = false;
    for (const KorvelProperty& property : properties.GetProperties()) {
        const GSErrCode err =
            RunWrite(texts::undoMaterialProperty, "KorvelMaterial::WriteProperties", [&]() -> GSErrCode {
                return DefineNewKorvelProperty(property, port::RefOf(attribute.header), APINULLGuid);
            });
        if (err == hosterr::badName) {
            // The catalogue's own data, which the project refuses on every import alike.
            LogError("KorvelMaterial::WriteProperties: the project refuses the property \"" +
                     property.GetGroup().ToUtf8() + "/" + property.GetName().ToUtf8() + "\" of the material " +
                     GetName().ToUtf8() + "; its other properties are written.");
            refused = true;
        } else if (err != NoError) {
            written = false;
        }
    }
    // The stored list last, and only when every property it lists is there or refused for
    // good: otherwise the old list stays, and the update status offers the item again. A
    // refusal repeats on every re-import, so it does not cost the item its list.
    return written && AddUserData(attribute, StoredText(properties)) == NoError && !refused;
}

void KorvelMaterial::ReadProperties()
{
    ReadAttributeList(GetName(), API_BuildingMaterialID, properties);
}

bool KorvelComplexMaterial::WriteProperties(API_Attribute*) const
{
    API_Attribute composite = GetAttribute(GetName(), API_CompWallID);
    // Not in the project (logged): index 0 would match every element without a composite.
    if (composite.header.index == 0)
        return false;
    if (properties.empty())
        return true;
    const GS::UniString text = StoredText(properties);
    if (AddUserData(composite, text) != NoError)
        return false; // logged
    // A composite just created is on no element yet.
    if (status == "imported")
        return true;
    std::vector<API_Guid> users;
    if (ElementsBuiltOf(composite.header.index, false, "KorvelComplexMaterial::WriteProperties", users) != NoError)
        return false; // logged
    // The properties live on the elements built of the composite, each element's stored
    // list written after its properties.
    bool written = true;
    for (const API_Guid& guid : users) {
        GSErrCode err = WriteElementProperties(guid, properties, texts::undoPropertyDefinition);
        if (err == NoError)
            err = SetUserDataToElem(guid, text);
        written = written && err == NoError;
    }
    return written;
}

void KorvelComplexMaterial::ReadProperties()
{
    ReadAttributeList(GetName(), API_CompWallID, properties);
}

} // namespace KRV
