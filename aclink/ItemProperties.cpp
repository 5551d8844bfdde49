// How the catalogue items keep their properties in the project: the list as user data
// on the attribute, and each property as a host property value.
#include "Classification.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
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
void ReadAttributeList(const GS::UniString& name, port::AttrType type, KorvelProperties& properties)
{
    const port::Attribute attribute = GetAttribute(name, type);
    GS::UniString text;
    if (GetUserData(attribute.head, text) != NoError)
        return;
    KorvelProperties stored;
    if (ReadStoredList(text, "the attribute " + name.ToUtf8(), stored))
        properties = std::move(stored);
}

} // namespace

bool KorvelMaterial::WriteProperties() const
{
    const port::Attribute attribute = GetAttribute(GetName(), port::AttrType::buildingMaterial);
    if (attribute.head.ref.IsNone())
        return false; // not in the project (logged): nothing to write on
    if (AddArchicadClassificationToAttribute(attribute.head.ref) != NoError)
        return false; // logged: no property would be available for it
    if (properties.empty())
        return true;
    bool written = true;
    bool refused = false;
    for (const KorvelProperty& property : properties.GetProperties()) {
        const GSErrCode err =
            RunWrite(texts::undoMaterialProperty, "KorvelMaterial::WriteProperties",
                     [&]() -> GSErrCode { return DefineNewKorvelProperty(property, attribute.head.ref, APINULLGuid); });
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
    return written && AddUserData(attribute.head, StoredText(properties)) == NoError && !refused;
}

void KorvelMaterial::ReadProperties()
{
    ReadAttributeList(GetName(), port::AttrType::buildingMaterial, properties);
}

bool KorvelComplexMaterial::WriteProperties() const
{
    const port::Attribute composite = GetAttribute(GetName(), port::AttrType::composite);
    // Not in the project (logged): index 0 would match every element without a composite.
    if (composite.head.ref.IsNone())
        return false;
    if (properties.empty())
        return true;
    const GS::UniString text = StoredText(properties);
    if (AddUserData(composite.head, text) != NoError)
        return false; // logged
    stored = text;    // a replacement hands the same text on to the elements
    // A composite just created is on no element yet.
    if (status == "imported")
        return true;
    std::vector<API_Guid> users;
    if (ElementsBuiltOf(composite.head.ref.Index(), false, "KorvelComplexMaterial::WriteProperties", users) != NoError)
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
    ReadAttributeList(GetName(), port::AttrType::composite, properties);
}

} // namespace KRV
