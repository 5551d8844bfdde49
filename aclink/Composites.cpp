// Composites: the override questions, creation or overwrite with the layer materials,
// and the replacement of an old composite on the walls, slabs and roofs that use it.
#include <cmath>
#include <limits>
#include <set>

#include "ACLink.hpp"
#include "Attributes.hpp"
#include "Classification.hpp"
#include "Commands.hpp"
#include "ElementEvents.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "StoredList.hpp"
#include "Texts.hpp"
#include "UserData.hpp"
#include "WriteTwice.hpp"

namespace KRV {

namespace {

// The wall, slab or roof built of the composite `to`, in an undo step of its own; false,
// logged, when the host refuses.
bool ChangeComposite(const port::Element& element, Int32 to)
{
    const GSErrCode changed = port::UndoableCommand(
        texts::undoReplaceComposite, [&]() -> GSErrCode { return port::ChangeShellComposite(element, to); });
    LogArchicadErrorCodeMessage(changed, "ACLink::CreateComplexMaterial - ", port::changeElementCall);
    return changed == NoError;
}

// An element changed back to its old composite gets that one's catalogue data again, over
// what the new one's left of it.
void RestoreData(const API_Guid& element, const port::Attribute& old)
{
    GS::UniString text;
    KorvelProperties properties;
    if (GetUserData(old.head, text) != NoError || text.IsEmpty() ||
        !ReadStoredList(text, "the composite " + old.head.name.ToUtf8(), properties))
        return; // logged, or no data to give back
    if (WriteElementProperties(element, properties, texts::undoGroupProperties) == NoError)
        SetUserDataToElem(element, StoredText(properties)); // logged when it fails
}

// The old composite's elements get the new one, with its catalogue data. False when the
// host refused the change of an element, or its data could not follow it (the others
// still change).
bool ReplaceComposite(const ComplexMaterial& item, const port::Attribute& written)
{
    if (item.replaceId == 0) {
        // The replacement asked for did not happen, though the composite itself was written.
        LogError("ACLink::CreateComplexMaterial: the composite to replace has no index; nothing was replaced.");
        return false;
    }
    port::Attribute old(port::AttrRef(port::AttrType::composite, item.replaceId));
    if (GSErrCode err = port::GetAttribute(old); err == hosterr::badIndex) {
        LogError("ACLink::CreateComplexMaterial: the composite " + std::to_string(item.replaceId) +
                 " to replace is not in the project; nothing was replaced.");
        return false;
    } else if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ACLink::CreateComplexMaterial - ", port::getAttributeCall);
        return false; // whether it is there is not known: nothing was replaced
    }
    bool replaced = true;
    std::vector<port::Element> elements;
    if (GSErrCode err = GetElementsFromAttrib(old.head.ref, elements); err != NoError)
        return false; // logged: which elements use it is not known
    // The list the import just stored, handed on as it was written; without one, what the
    // composite holds already.
    GS::UniString stored;
    KorvelProperties properties;
    bool withData = false;
    if (const KorvelProperties* storedProperties = item.StoredProperties(stored)) {
        properties = *storedProperties;
        withData = true;
    } else {
        GS::UniString text;
        if (GSErrCode err = GetUserData(written.head, text); err != NoError && err != hosterr::noUserData)
            return false; // logged: the elements would change without their catalogue data
        withData = !text.IsEmpty() && ReadStoredList(text, "the composite " + written.head.name.ToUtf8(), properties);
        stored = withData ? StoredText(properties) : GS::UniString(); // the same for every element
    }
    for (const port::Element& element : elements) {
        if (!port::IsShell(element.head.kind))
            continue;
        if (!ChangeComposite(element, written.head.ref.Index())) {
            replaced = false; // logged: the element keeps its old composite, and that one's data
            continue;
        }
        CompositeChanged(element.head.guid, old.head.ref.Index(), written.head.ref.Index());
        if (!withData)
            continue;
        // The element's stored list after its properties, as everywhere.
        GSErrCode err = WriteElementProperties(element.head.guid, properties, texts::undoGroupProperties);
        if (err == NoError)
            err = WriteTwice("SetUserDataToElem", [&] { return SetUserDataToElem(element.head.guid, stored); });
        if (err == NoError)
            continue;
        // A wall on the new composite without its data would be missing from schedules and
        // the IFC file: it goes back to the old composite, with the old one's data.
        replaced = false;
        const std::string guid = APIGuidToString(element.head.guid).ToUtf8();
        if (!ChangeComposite(element, old.head.ref.Index())) {
            LogError("ACLink::CreateComplexMaterial: the element " + guid + " is built of the composite " +
                     written.head.name.ToUtf8() + " without its catalogue data, and could not be changed back.");
            continue;
        }
        CompositeChanged(element.head.guid, written.head.ref.Index(), old.head.ref.Index());
        LogError("ACLink::CreateComplexMaterial: the catalogue data of the composite " + written.head.name.ToUtf8() +
                 " could not be written on the element " + guid + ", which keeps the composite " +
                 old.head.name.ToUtf8() + ".");
        RestoreData(element.head.guid, old);
    }
    return replaced;
}

// Takes over the existing composite's separator lines, frame pens and flag bits, position
// by position, into the new definition. A line goes with the component after it: the old
// composite's outer line is not a line between components of the new one.
GSErrCode TakeOverExisting(Int32 existing, port::CompositeDefinition& defs, std::size_t layers)
{
    port::CompositeDefinition old;
    if (GSErrCode err = port::ReadCompositeDefinition(existing, old); err != NoError) {
        // The project's lines and pens could not be read: the catalogue's would replace them.
        LogArchicadErrorCodeMessage(err, "ACLink::CreateComplexMaterial - ", port::compositeDefinitionCall);
        return err;
    }
    const std::size_t oldComponents = old.ComponentCount();
    const std::size_t oldLines = old.LineCount();
    for (std::size_t k = 0; k < layers; ++k) {
        if (k < oldLines && k < oldComponents) {
            port::CompositeLine line = defs.Line(k);
            line.lineType = old.Line(k).lineType;
            line.pen = old.Line(k).pen;
            defs.SetLine(k, line);
        }
        if (k < oldComponents) {
            port::CompositeComponent component = defs.Component(k);
            component.framePen = old.Component(k).framePen;
            component.flagBits = old.Component(k).flagBits;
            defs.SetComponent(k, component);
        }
    }
    return NoError;
}

} // namespace

bool OverrideComplexMaterialIfExist(ComplexMaterial& item)
{
    port::AttributeHead head;
    head.ref = port::AttrRef(port::AttrType::composite, 0);
    head.name = item.GetName();
    const GSErrCode found = port::SearchAttribute(head);
    if (found != NoError && found != hosterr::badName) {
        // Not knowing whether it is there, the user could not be asked before it is replaced.
        LogArchicadErrorCodeMessage(found, "OverrideComplexMaterialIfExist::", port::searchAttributeCall);
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
    port::CompositeDefinition defs;
    if (!defs.Allocate(n, n + 1)) {
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
        port::CompositeComponent component = defs.Component(i);
        component.buildingMaterial = layer.GetIndex();
        component.flagBits = layer.GetFlagBits();
        component.thickness = layer.GetThickness();
        defs.SetComponent(i++, component);
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
        port::CompositeLine line = defs.Line(k);
        line.lineType = item.GetLtypeInd();
        line.pen = item.GetLinePen();
        defs.SetLine(k, line);
    }

    port::Attribute record(port::AttrRef(port::AttrType::composite, 0));
    record.head.flags = static_cast<UInt32>(item.GetTypeID());
    record.head.name = item.GetName();
    record.composite.totalThickness = total;
    record.composite.componentCount = static_cast<short>(n);
    record.composite.lineCount = static_cast<short>(n + 1);

    GSErrCode err = port::CreateComposite(record, defs);
    if (err == NoError) {
        item.status = "imported";
    } else if (err == hosterr::attributeExists) {
        port::AttributeHead existing = record.head;
        if (GSErrCode found = port::SearchAttribute(existing); found != NoError) {
            LogArchicadErrorCodeMessage(found, "ACLink::CreateComplexMaterial - ", port::searchAttributeCall);
            item.status = "failed";
            return false;
        }
        if (TakeOverExisting(existing.ref.Index(), defs, n) != NoError) {
            item.status = "failed";
            return false;
        }
        record.head.ref = existing.ref;
        record.head.guid = existing.guid;
        if (GSErrCode modified = port::ModifyComposite(record, defs); modified != NoError) {
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
    if (!item.WriteProperties()) {
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
