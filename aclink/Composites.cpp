// Composites: the override questions, creation or overwrite with the layer materials,
// and the replacement of an old composite on the walls, slabs and roofs that use it.
#include <cmath>
#include <limits>
#include <set>

#include "ACLink.hpp"
#include "APIdefs_UserData.h"
#include "Classification.hpp"
#include "Commands.hpp"
#include "ElementEvents.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "HostText.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "StoredList.hpp"
#include "Texts.hpp"
#include "UserData.hpp"
#include "WriteTwice.hpp"

namespace KRV {

namespace {

// The composite field of a wall, slab or roof record.
API_AttributeIndex* CompositeField(API_Element& element)
{
    return WithShell(
        element, [](auto& shell) { return &shell.composite; }, static_cast<API_AttributeIndex*>(nullptr));
}

// The element built of the composite `to` (`field` its record's composite), in an undo step
// of its own; false, logged, when the host refuses.
bool ChangeComposite(API_Element& element, API_AttributeIndex& field, API_AttributeIndex to)
{
    field = to;
    API_Element mask;
    ACAPI_ELEMENT_MASK_SETFULL(mask);
    const GSErrCode changed = port::UndoableCommand(texts::undoReplaceComposite, [&]() -> GSErrCode {
        return ACAPI_Element_Change(&element, &mask, nullptr, 0, true);
    });
    LogArchicadErrorCodeMessage(changed, "ACLink::CreateComplexMaterial - ACAPI_Element_Change");
    return changed == NoError;
}

// An element changed back to its old composite gets that one's catalogue data again, over
// what the new one's left of it.
void RestoreData(const API_Guid& element, API_Attribute& old)
{
    GS::UniString text;
    KorvelProperties properties;
    if (GetUserData(old, text) != NoError || text.IsEmpty() ||
        !ReadStoredList(text, "the composite " + GetHeaderName(old.header).ToUtf8(), properties))
        return; // logged, or no data to give back
    if (WriteElementProperties(element, properties, texts::undoGroupProperties) == NoError)
        SetUserDataToElem(element, StoredText(properties)); // logged when it fails
}

// The old composite's elements get the new one, with its catalogue data. False when the
// host refused the change of an element, or its data could not follow it (the others
// still change).
bool ReplaceComposite(const ComplexMaterial& item, API_Attribute& written)
{
    if (item.replaceId == 0) {
        // The replacement asked for did not happen, though the composite itself was written.
        LogError("ACLink::CreateComplexMaterial: the composite to replace has no index; nothing was replaced.");
        return false;
    }
    API_Attribute old{};
    old.header.typeID = API_CompWallID;
    old.header.index = item.replaceId;
    if (GSErrCode err = ACAPI_Attribute_Get(&old); err == hosterr::badIndex) {
        LogError("ACLink::CreateComplexMaterial: the composite " + std::to_string(item.replaceId) +
                 " to replace is not in the project; nothing was replaced.");
        return false;
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ACLink::CreateComplexMaterial - ACAPI_Attribute_Get");
        return false; // whether it is there is not known: nothing was replaced
    }
    bool replaced = true;
    std::vector<API_Element> elements;
    if (GSErrCode err = GetElementsFromAttrib(old, elements); err != NoError)
        return false; // logged: which elements use it is not known
    GS::UniString text;
    if (GSErrCode err = GetUserData(written, text); err != NoError && err != hosterr::noUserData)
        return false; // logged: the elements would change without their catalogue data
    KorvelProperties properties;
    const bool withData =
        !text.IsEmpty() && ReadStoredList(text, "the composite " + GetHeaderName(written.header).ToUtf8(), properties);
    const GS::UniString stored = withData ? StoredText(properties) : GS::UniString(); // the same for every element
    for (API_Element element : elements) {
        API_AttributeIndex* composite = CompositeField(element);
        if (composite == nullptr)
            continue;
        if (!ChangeComposite(element, *composite, written.header.index)) {
            replaced = false; // logged: the element keeps its old composite, and that one's data
            continue;
        }
        CompositeChanged(element.header.guid, old.header.index, written.header.index);
        if (!withData)
            continue;
        // The element's stored list after its properties, as everywhere.
        GSErrCode err = WriteElementProperties(element.header.guid, properties, texts::undoGroupProperties);
        if (err == NoError)
            err = WriteTwice("SetUserDataToElem", [&] { return SetUserDataToElem(element.header.guid, stored); });
        if (err == NoError)
            continue;
        // A wall on the new composite without its data would be missing from schedules and
        // the IFC file: it goes back to the old composite, with the old one's data.
        replaced = false;
        const std::string guid = APIGuidToString(element.header.guid).ToUtf8();
        if (!ChangeComposite(element, *composite, old.header.index)) {
            LogError("ACLink::CreateComplexMaterial: the element " + guid + " is built of the composite " +
                     GetHeaderName(written.header).ToUtf8() +
                     " without its catalogue data, and could not be changed back.");
            continue;
        }
        CompositeChanged(element.header.guid, written.header.index, old.header.index);
        LogError("ACLink::CreateComplexMaterial: the catalogue data of the composite " +
                 GetHeaderName(written.header).ToUtf8() + " could not be written on the element " + guid +
                 ", which keeps the composite " + GetHeaderName(old.header).ToUtf8() + ".");
        RestoreData(element.header.guid, old);
    }
    return replaced;
}

// Takes over the existing composite's separator lines, frame pens and flag bits, position
// by position, into the new definition. A line goes with the component after it: the old
// composite's outer line is not a line between components of the new one.
GSErrCode TakeOverExisting(API_AttributeIndex existing, API_AttributeDefExt& defs, std::size_t layers)
{
    API_AttributeDefExt old{};
    AttrDefsGuard guard(old);
    if (GSErrCode err = ACAPI_Attribute_GetDefExt(API_CompWallID, existing, &old); err != NoError) {
        // The project's lines and pens could not be read: the catalogue's would replace them.
        LogArchicadErrorCodeMessage(err, "ACLink::CreateComplexMaterial - ACAPI_Attribute_GetDefExt");
        return err;
    }
    const std::size_t oldComponents = ComponentCount(old);
    const std::size_t oldLines =
        old.cwall_compLItems != nullptr
            ? static_cast<std::size_t>(BMGetHandleSize(reinterpret_cast<GSHandle>(old.cwall_compLItems))) /
                  sizeof(API_CWallLineComponent)
            : 0;
    for (std::size_t k = 0; k < layers; ++k) {
        if (k < oldLines && k < oldComponents) {
            (*defs.cwall_compLItems)[k].ltypeInd = (*old.cwall_compLItems)[k].ltypeInd;
            (*defs.cwall_compLItems)[k].linePen = (*old.cwall_compLItems)[k].linePen;
        }
        if (k < oldComponents) {
            (*defs.cwall_compItems)[k].framePen = (*old.cwall_compItems)[k].framePen;
            (*defs.cwall_compItems)[k].flagBits = (*old.cwall_compItems)[k].flagBits;
        }
    }
    return NoError;
}

} // namespace

bool OverrideComplexMaterialIfExist(ComplexMaterial& item)
{
    API_Attr_Head head{};
    head.typeID = API_CompWallID;
    SetHeaderName(head, item.GetName());
    const GSErrCode found = ACAPI_Attribute_Search(&head);
    if (found != NoError && found != hosterr::badName) {
        // Not knowing whether it is there, the user could not be asked before it is replaced.
        LogArchicadErrorCodeMessage(found, "OverrideComplexMaterialIfExist::ACAPI_Attribute_Search");
        item.status = "failed";
        return false;
    }
    if (found == NoError && MessageBoxAskToOverride(item.GetName(), "material") == 2)
        return false;
    bool accepted = true;
    std::set<GS::UniString> handled;
    item.ForEachLayer([&](Material& layer) {
        if (!accepted || handled.count(layer.GetName()) != 0)
            return;
        if (OverrideBuildingMaterialIfExist(layer)) {
            handled.insert(layer.GetName());
        } else {
            accepted = false;
            if (layer.status == "failed")
                item.status = "failed"; // logged
        }
    });
    return accepted;
}

bool ACLink::CreateComplexMaterial(ComplexMaterial& item)
{
    const int layers = item.GetLayersCount();
    // The host counts components in 16 bits, and a thickness must be a number.
    bool finite = true;
    double sum = 0.0;
    item.ForEachLayer([&](Material& layer) {
        finite = finite && std::isfinite(layer.GetThickness());
        sum += layer.GetThickness();
    });
    finite = finite && std::isfinite(sum);
    if (layers < 0 || layers + 1 > std::numeric_limits<short>::max() || !finite) {
        LogError("ACLink::CreateComplexMaterial: the composite " + item.GetName().ToUtf8() + " has " +
                 std::to_string(layers) + " layers" + (finite ? "" : " and a thickness that is not a number") +
                 ", which the project cannot hold.");
        item.status = "failed";
        return false;
    }
    if (!OverrideComplexMaterialIfExist(item))
        return false;
    const auto n = static_cast<std::size_t>(layers);
    API_AttributeDefExt defs{};
    AttrDefsGuard guard(defs); // before the first handle: the second may fail or throw
    defs.cwall_compItems = reinterpret_cast<API_CWallComponent**>(
        BMAllocateHandle(static_cast<GSSize>(n * sizeof(API_CWallComponent)), ALLOCATE_CLEAR, 0));
    defs.cwall_compLItems = reinterpret_cast<API_CWallLineComponent**>(
        BMAllocateHandle(static_cast<GSSize>((n + 1) * sizeof(API_CWallLineComponent)), ALLOCATE_CLEAR, 0));
    if (defs.cwall_compItems == nullptr || defs.cwall_compLItems == nullptr) {
        LogError("ACLink::CreateComplexMaterial: no memory for the composite " + item.GetName().ToUtf8() + ".");
        item.status = "failed";
        return false;
    }

    std::size_t i = 0;
    double total = 0.0;
    GS::UniString failedLayer;
    item.ForEachLayer([&](Material& layer) {
        if (!failedLayer.IsEmpty())
            return; // the composite will not be written: no more layers either
        layer.overrideSilently = true;
        const bool readable = OverrideBuildingMaterialIfExist(layer);
        layer.overrideSilently = false;
        if (!readable || !CreateMaterial(layer))
            failedLayer = layer.GetName();
        API_CWallComponent& component = (*defs.cwall_compItems)[i++];
        component.buildingMaterial = layer.GetIndex();
        component.flagBits = layer.GetFlagBits();
        component.fillThick = layer.GetThickness();
        total += layer.GetThickness();
    });
    if (!failedLayer.IsEmpty()) {
        // A component without its material would point at whatever material had that index.
        LogError("ACLink::CreateComplexMaterial: the layer material " + failedLayer.ToUtf8() +
                 " could not be written, so the composite " + item.GetName().ToUtf8() + " was not written.");
        item.status = "failed";
        return false;
    }
    for (std::size_t k = 0; k <= n; ++k) {
        (*defs.cwall_compLItems)[k].ltypeInd = item.GetLtypeInd();
        (*defs.cwall_compLItems)[k].linePen = item.GetLinePen();
    }

    API_Attribute record{};
    record.header.typeID = API_CompWallID;
    record.header.flags = static_cast<GSFlags>(item.GetTypeID());
    SetHeaderName(record.header, item.GetName());
    record.compWall.totalThick = total;
    record.compWall.nComps = static_cast<short>(n);
    record.compWall.nLines = static_cast<short>(n + 1);

    GSErrCode err = ACAPI_Attribute_CreateExt(&record, &defs);
    if (err == NoError) {
        item.status = "imported";
    } else if (err == hosterr::attributeExists) {
        API_Attr_Head existing = record.header;
        if (GSErrCode found = ACAPI_Attribute_Search(&existing); found != NoError) {
            LogArchicadErrorCodeMessage(found, "ACLink::CreateComplexMaterial - ACAPI_Attribute_Search");
            item.status = "failed";
            return false;
        }
        if (TakeOverExisting(existing.index, defs, n) != NoError) {
            item.status = "failed";
            return false;
        }
        record.header.index = existing.index;
        record.header.guid = existing.guid;
        if (GSErrCode modified = ACAPI_Attribute_ModifyExt(&record, &defs); modified != NoError) {
            LogArchicadErrorCodeMessage(modified, "ACLink::ModifyComplexMaterial");
            item.status = "failed";
            return false;
        }
        item.status = "overwritten";
    } else {
        LogArchicadErrorCodeMessage(err, "ACLink::CreateComplexMaterial");
        item.status = "failed";
        return false;
    }
    if (!item.WriteProperties(&record)) {
        item.status = "failed"; // logged
        return false;
    }
    if (item.replace && !ReplaceComposite(item, record)) {
        item.status = "failed";
        return false;
    }
    return true;
}

} // namespace KRV
