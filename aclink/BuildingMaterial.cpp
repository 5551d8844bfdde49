// Building materials: the override question, creation or modification, and putting a
// material into a composite layer.
#include <cstring>
#include <cwchar>

#include "ACLink.hpp"
#include "APIdefs_LibParts.h"
#include "APIdefs_UserData.h"
#include "AddOnData.hpp"
#include "DG/Panel.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "HostText.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "Texts.hpp"

namespace KRV {

int MessageBoxAskToOverride(const GS::UniString& name, const GS::UniString& kind)
{
    return DG::WarningAlert(GS::UniString(), texts::ReplaceExistingQuestion(name, kind), texts::continueButton,
                            texts::rejectButton);
}

bool OverrideObjectIfExist(const GS::UniString& name, const GS::UniString& kind)
{
    API_LibPart part{};
    CopyText(part.docu_UName, name.ToUtf8());
    LibPartLocationGuard location(part);
    const GSErrCode found = ACAPI_LibPart_Search(&part, false, false);
    if (found == NoError &&
        GS::UniString(std::string(part.docu_UName, strnlen(part.docu_UName, API_UniLongNameLen))) == name)
        return MessageBoxAskToOverride(name, kind) != 2;
    // Not knowing whether it is there, the user could not be asked before it is replaced.
    if (found != NoError && found != hosterr::badName) {
        LogArchicadErrorCodeMessage(found, "OverrideObjectIfExist::ACAPI_LibPart_Search");
        return false;
    }
    GS::Array<GS::UniString> keys;
    if (GSErrCode err = port::RecordKeys(keys); err != NoError) {
        LogArchicadErrorCodeMessage(err, "OverrideObjectIfExist::", port::recordKeysCall);
        return false;
    }
    for (const GS::UniString& key : keys)
        if (key == texts::RecordName(name))
            return MessageBoxAskToOverride(name, kind) != 2;
    return true;
}

bool OverrideBuildingMaterialIfExist(Material& item)
{
    API_Attribute existing{};
    existing.header.typeID = API_BuildingMaterialID;
    SetHeaderName(existing.header, item.GetName());
    const GSErrCode found = ACAPI_Attribute_Get(&existing);
    if (found == hosterr::badName)
        return true; // not in the project
    // A material that could not be read would be overwritten with defaults, unasked.
    if (found != NoError) {
        LogArchicadErrorCodeMessage(found, "OverrideBuildingMaterialIfExist::ACAPI_Attribute_Get");
        item.status = "failed";
        return false;
    }
    if (!item.overrideSilently && MessageBoxAskToOverride(item.GetName(), "material") == 2)
        return false;
    // An overwrite keeps the project's graphic settings of the material, and the physical
    // values and texts the catalogue does not carry.
    GS::UniString description = item.GetDescription();
    GS::UniString manufacturer = item.GetManufacturer();
    if (GSErrCode err = GetPropertyDefinitionValues(
            port::AttrRef(port::AttrType::buildingMaterial, existing.header.index), description, manufacturer);
        err != NoError) {
        // The user's own texts could not be read: writing the catalogue's over them would lose them.
        LogArchicadErrorCodeMessage(err, "OverrideBuildingMaterialIfExist::GetPropertyDefinitionValues");
        item.status = "failed";
        return false;
    }
    item.SetBuildingMaterialProp(existing.buildingMaterial);
    item.SetPhysicalProp(existing.buildingMaterial);
    item.SetDescription(description);
    item.SetManufacturer(manufacturer);
    return true;
}

bool ACLink::CreateMaterial(Material& item)
{
    GS::UniString description = item.GetDescription();
    GS::UniString manufacturer = item.GetManufacturer();
    API_Attribute record{};
    record.header.typeID = API_BuildingMaterialID;
    SetHeaderName(record.header, item.GetName());
    API_BuildingMaterialType& bm = record.buildingMaterial;
    bm.connPriority = item.GetConnPriority();
    if (bm.connPriority == 0) {
        Int32 uiPriority = 8;
        Int32 elemPriority = 0;
        if (GSErrCode err = ACAPI_Goodies(APIAny_UI2ElemPriorityID, &uiPriority, &elemPriority); err != NoError) {
            // Without it the material would join every other at priority 0.
            LogArchicadErrorCodeMessage(err, "ACLink::CreateMaterial - ACAPI_Goodies UI2ElemPriority");
            item.status = "failed";
            return false;
        }
        bm.connPriority = elemPriority;
    }
    bm.cutFill = item.GetCutFill();
    bm.cutFillPen = item.GetCutFillPen();
    bm.cutFillBackgroundPen = item.GetCutFillBackgroundPen();
    bm.cutMaterial = item.GetCutMaterial();
    bm.cutFillOrientation = item.GetCutFillOrientation();
    bm.thermalConductivity = item.GetThermalConductivity();
    bm.density = item.GetDensity();
    bm.heatCapacity = item.GetHeatCapacity();
    bm.showUncutLines = item.GetShowUncutLines();
    bm.manufacturer = &manufacturer;
    bm.description = &description;

    GSErrCode err = ACAPI_Attribute_Create(&record, nullptr);
    if (err == NoError) {
        item.status = "imported";
    } else if (err == hosterr::attributeExists) {
        err = ACAPI_Attribute_Modify(&record, nullptr);
        if (err != NoError) {
            LogArchicadErrorCodeMessage(err, "ACLink::ModifyMaterial");
            item.status = "failed";
            return false;
        }
        item.status = "overwritten";
    } else {
        LogArchicadErrorCodeMessage(err, "ACLink::CreateMaterial");
        item.status = "failed";
        return false;
    }
    item.SetIndex(record.header.index);
    item.SetGuid(record.header.guid);
    if (!item.WriteProperties(nullptr) || (item.inSystem && item.ReplaceMaterial() != NoError)) {
        item.status = "failed"; // logged
        return false;
    }
    return true;
}

GSErrCode Material::ReplaceMaterial()
{
    GSErrCode result = NoError;
    API_Attribute composite{};
    composite.header.typeID = API_CompWallID;
    composite.header.index = systemInternalId;
    result = ACAPI_Attribute_Get(&composite);
    if (result != NoError)
        LogArchicadErrorCodeMessage(result, "Material::ReplaceMaterial::ACAPI_Attribute_Get");
    if (result == NoError) {
        API_AttributeDefExt defs{};
        result = ACAPI_Attribute_GetDefExt(API_CompWallID, systemInternalId, &defs);
        AttrDefsGuard guard(defs);
        if (result != NoError)
            LogArchicadErrorCodeMessage(result, "Material::ReplaceMaterial::ACAPI_Attribute_GetDefExt");
        if (result == NoError) {
            const auto count = static_cast<Int32>(ComponentCount(defs));
            // A layer the composite does not have is left alone.
            if (internalLayerIndex < 0 || internalLayerIndex >= count) {
                LogWarning("Material::ReplaceMaterial: the composite has no layer " +
                           std::to_string(internalLayerIndex) + "; it is left as it was.");
                result = hosterr::badIndex;
            } else {
                (*defs.cwall_compItems)[internalLayerIndex].buildingMaterial = index;
                result = ACAPI_Attribute_ModifyExt(&composite, &defs);
                if (result != NoError)
                    LogArchicadErrorCodeMessage(result, "Material::ReplaceMaterial::ACAPI_Attribute_ModifyExt");
            }
        }
    }
    if (!WriteProperties(nullptr) && result == NoError)
        result = hosterr::general; // logged
    return result;
}

} // namespace KRV
