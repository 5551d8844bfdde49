// Catalogue types for elements named by their IFC "Name" (curtain walls, stairs): stored and written on them.
#include "ElementAttributes.hpp"

#include "ACLink.hpp"
#include "BaseItem.hpp"
#include "Classification.hpp"
#include "DG/Panel.hpp"
#include "ElementNames.hpp"
#include "Elements.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "Texts.hpp"
#include "UserData.hpp"

namespace KRV {

json GetProperties(const json& item)
{
    json properties = json::array();
    for (const char* key : {"name", "id", "updated_at"})
        properties.push_back(BaseItem::toGroup("Korvel", key, item.at(key)));
    for (const json& tab : item.at("tabs"))
        if (tab.is_object() && tab.contains("attributes"))
            for (const json& attribute : tab.at("attributes"))
                properties.push_back(
                    BaseItem::toGroup(tab.value("name", json()), attribute.at("name"), attribute.at("value")));
    return properties;
}

void MessageBoxComplexSystemExist(const GS::UniString& name)
{
    DG::InformationAlert(GS::UniString(), texts::NamedTypeImported(name), texts::okButton);
}

void MessageBoxComplexSystemNotExist(const GS::UniString& name)
{
    DG::InformationAlert(GS::UniString(), texts::NamedTypeImportedWithoutElements(name), texts::okButton);
}

int SetAttributes(const json& item, const GS::UniString& importType)
{
    const GS::UniString name(item.at("name").get<std::string>());
    if (name.Trimmed().IsEmpty()) {
        // "KV_" alone would be the record of every element without a name.
        LogError("SetAttributes: the " + importType.ToUtf8() + " has no name; nothing was stored.");
        return hosterr::badName;
    }
    if (!OverrideObjectIfExist(name, importType))
        return texts::userKeptExisting;
    KorvelProperties properties;
    from_json(GetProperties(item), properties);
    const GS::UniString value = properties.GetPropertyValueByName("name");
    if (GSErrCode err = CreateModulData(value, StoredText(properties)); err != NoError)
        return err; // logged
    const std::string kind = item.value("import_type", "");
    const port::ElemKind type = kind == "curtain wall" ? port::ElemKind::curtainWall
                                : kind == "stair"      ? port::ElemKind::stair
                                                       : port::ElemKind::any;
    GS::Array<API_Guid> elements;
    GSErrCode result = port::ElementList(type, elements);
    if (result != NoError) {
        LogArchicadErrorCodeMessage(result, "SetAttributes - ", port::elementListCall);
        return result; // the type is stored; which elements carry its name is not known
    }
    bool matched = false;
    for (const API_Guid& element : elements) {
        GS::UniString ifcName; // every element starts without a name
        if (GSErrCode err = GetIFCNameFromElementGuid(element, ifcName); err != NoError) {
            if (result == NoError)
                result = err; // logged
            continue;
        }
        if (ifcName != value)
            continue;
        matched = true;
        if (GSErrCode err = WriteElementProperties(element, properties, texts::undoGroupProperties);
            err != NoError && result == NoError)
            result = err;
    }
    if (matched)
        MessageBoxComplexSystemExist(value);
    else
        MessageBoxComplexSystemNotExist(value);
    return result;
}

} // namespace KRV
