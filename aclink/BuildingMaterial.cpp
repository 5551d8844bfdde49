// Building materials: the override question, creation or modification, and putting a
// material into a composite layer.
#include "ACLink.hpp"
#include "AddOnData.hpp"
#include "Attributes.hpp"
#include "DG/Panel.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "LibraryParts.hpp"
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
    GS::UniString foundName;
    const GSErrCode found = port::SearchLibraryPart(name, foundName);
    if (found == NoError && foundName == name)
        return MessageBoxAskToOverride(name, kind) != 2;
    // Not knowing whether it is there, the user could not be asked before it is replaced.
    if (found != NoError && found != hosterr::badName) {
        LogArchicadErrorCodeMessage(found, "OverrideObjectIfExist::", port::searchLibraryPartCall);
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
    port::Attribute existing(port::AttrRef(port::AttrType::buildingMaterial, 0));
    existing.head.name = item.GetName();
    const GSErrCode found = port::GetAttribute(existing);
    if (found == hosterr::badName)
        return true; // not in the project
    // A material that could not be read would be overwritten with defaults, unasked.
    if (found != NoError) {
        LogArchicadErrorCodeMessage(found, "OverrideBuildingMaterialIfExist::", port::getAttributeCall);
        item.status = "failed";
        return false;
    }
    if (!item.overrideSilently && MessageBoxAskToOverride(item.GetName(), "material") == 2)
        return false;
    // An overwrite keeps the project's graphic settings of the material, and the physical
    // values and texts the catalogue does not carry.
    GS::UniString description = item.GetDescription();
    GS::UniString manufacturer = item.GetManufacturer();
    if (GSErrCode err = GetPropertyDefinitionValues(existing.head.ref, description, manufacturer); err != NoError) {
        // The user's own texts could not be read: writing the catalogue's over them would lose them.
        LogArchicadErrorCodeMessage(err, "OverrideBuildingMaterialIfExist::GetPropertyDefinitionValues");
        item.status = "failed";
        return false;
    }
    item.SetBuildingMaterialProp(existing.material);
    item.SetPhysicalProp(existing.material);
    item.SetDescription(description);
    item.SetManufacturer(manufacturer);
    return true;
}

bool ACLink::CreateMaterial(Material& item)
{
    GS::UniString description = item.GetDescription();
    GS::UniString manufacturer = item.GetManufacturer();
    port::Attribute record(port::AttrRef(port::AttrType::buildingMaterial, 0));
    record.head.name = item.GetName();
    port::BuildingMaterialValues& bm = record.material;
    bm.connPriority = item.GetConnPriority();
    if (bm.connPriority == 0) {
        Int32 elemPriority = 0;
        if (GSErrCode err = port::ElementPriority(8, elemPriority); err != NoError) {
            // Without it the material would join every other at priority 0.
            LogArchicadErrorCodeMessage(err, "ACLink::CreateMaterial - ", port::elementPriorityCall);
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

    GSErrCode err = port::CreateBuildingMaterial(record, manufacturer, description);
    if (err == NoError) {
        item.status = "imported";
    } else if (err == hosterr::attributeExists) {
        err = port::ModifyBuildingMaterial(record, manufacturer, description);
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
    item.SetIndex(record.head.ref.Index());
    item.SetGuid(record.head.guid);
    if (!item.WriteProperties() || (item.inSystem && item.ReplaceMaterial() != NoError)) {
        item.status = "failed"; // logged
        return false;
    }
    return true;
}

GSErrCode Material::ReplaceMaterial()
{
    GSErrCode result = NoError;
    port::Attribute composite(port::AttrRef(port::AttrType::composite, systemInternalId));
    result = port::GetAttribute(composite);
    if (result != NoError)
        LogArchicadErrorCodeMessage(result, "Material::ReplaceMaterial::", port::getAttributeCall);
    if (result == NoError) {
        port::CompositeDefinition defs;
        result = port::ReadCompositeDefinition(systemInternalId, defs);
        if (result != NoError)
            LogArchicadErrorCodeMessage(result, "Material::ReplaceMaterial::", port::compositeDefinitionCall);
        if (result == NoError) {
            const auto count = static_cast<Int32>(defs.ComponentCount());
            // A layer the composite does not have is left alone.
            if (internalLayerIndex < 0 || internalLayerIndex >= count) {
                LogWarning("Material::ReplaceMaterial: the composite has no layer " +
                           std::to_string(internalLayerIndex) + "; it is left as it was.");
                result = hosterr::badIndex;
            } else {
                const auto layer = static_cast<std::size_t>(internalLayerIndex);
                port::CompositeComponent component = defs.Component(layer);
                component.buildingMaterial = index;
                defs.SetComponent(layer, component);
                result = port::ModifyComposite(composite, defs);
                if (result != NoError)
                    LogArchicadErrorCodeMessage(result, "Material::ReplaceMaterial::", port::modifyCompositeCall);
            }
        }
    }
    if (!WriteProperties() && result == NoError)
        result = hosterr::general; // logged
    return result;
}

} // namespace KRV
