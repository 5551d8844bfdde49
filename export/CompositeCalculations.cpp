// "SystemInfo": the walls, slabs and roofs grouped by what they are built of.
#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "JsonWriter.hpp"

namespace KRV {

namespace {

// A layer's entry as the reply lists it; its properties stay in the request's cache.
struct LayerEntry {
    double thickness = 1e-05;
    Int32 index = 0;
    std::string type;
    std::string name;
    std::string bimUuid;
    // Its "VORO Attributes" are listed; null when it has none (found while its list is at hand).
    const StoredList* properties = nullptr;
};

constexpr std::string_view listedGroup = "VORO Attributes";

// A group's entry: what its first element found, and the area of all of them.
struct GroupEntry {
    std::string name;
    Int32 id = 0;
    std::string bimUuid;
    std::vector<LayerEntry> layers;
    const char* subtype = "";
    double thickness = 0;
    double area = 0;
};

// The area from the quantities: the volume over the thickness, or the surface for that kind
// of wall.
double AreaOf(const API_Guid& guid, const ShellFacts& facts, ReadCache& cache)
{
    port::Quantities quantity;
    const bool read = cache.Quantities(port::ElemHead{guid, facts.kind, 0}, quantity);
    if (!port::IsShell(facts.kind))
        return 0.0;
    if (facts.MeasuredBySurface())
        return read ? quantity.surface : 0.0;
    const double thickness = facts.Thickness();
    if (!read || thickness <= 1e-05)
        return 0.0;
    return quantity.volume / thickness;
}

} // namespace

GS::UniString GetLayerType(short flagBits)
{
    if ((flagBits & 0x0002) != 0)
        return "Core";
    if ((flagBits & 0x0020) != 0)
        return "Finish";
    return "Other";
}

GS::Array<API_Guid> ExportManager::Elements(port::ElemKind kind, UInt32 filter, const char* where)
{
    GS::Array<API_Guid> elements;
    if (GSErrCode err = port::ElementList(kind, elements, filter); err != NoError) {
        LogArchicadErrorCodeMessage(err, std::string(where) + "::", port::elementListCall);
        cache.Incomplete();
        elements.Clear();
    }
    return elements;
}

void WriteProperties(JsonWriter& out, const StoredList& properties, std::optional<std::string_view> onlyGroup)
{
    out.BeginArray();
    for (std::size_t i = 0; i < properties.size(); ++i) {
        if (onlyGroup && properties.Group(i) != *onlyGroup)
            continue;
        const StoredList::Property property = properties[i];
        out.BeginObject();
        out.Member("group", property.group);
        out.Member("name", property.name);
        out.Member("type", property.type);
        out.Member("unit", property.unit);
        out.Member("value", property.value);
        out.EndObject();
    }
    out.EndArray();
}

namespace {

// A building material's layer: its name, id and catalogue properties.
LayerEntry MaterialLayer(ReadCache& cache, const port::Attribute& buildingMaterial)
{
    LayerEntry layer;
    layer.index = buildingMaterial.head.ref.Index();
    layer.name = buildingMaterial.head.name.ToUtf8();
    if (const CachedAttribute* cached = cache.Attribute(buildingMaterial.head.ref)) {
        layer.bimUuid = cached->properties.Id();
        for (std::size_t i = 0; i < cached->properties.size() && layer.properties == nullptr; ++i)
            if (cached->properties.Group(i) == listedGroup)
                layer.properties = &cached->properties;
    }
    return layer;
}

// A basic element's group: one layer of its building material, without catalogue ids.
GroupEntry BasicGroup(ReadCache& cache, const port::Attribute& buildingMaterial, double thickness)
{
    GroupEntry group;
    group.name = buildingMaterial.head.name.ToUtf8();
    group.id = buildingMaterial.head.ref.Index();
    LayerEntry layer = MaterialLayer(cache, buildingMaterial);
    layer.bimUuid.clear();
    layer.thickness = thickness;
    group.layers.push_back(std::move(layer));
    group.subtype = "Basic";
    return group;
}

// A composite's group: a layer for each component, as thick as it is.
GroupEntry CompositeGroup(ReadCache& cache, const port::Attribute& composite)
{
    GroupEntry group;
    const CachedAttribute* cached = cache.Attribute(composite.head.ref);
    group.name = composite.head.name.ToUtf8();
    group.id = composite.head.ref.Index();
    if (cached != nullptr)
        group.bimUuid = cached->properties.Id();
    for (const port::CompositeComponent& component : cache.Components(composite)) {
        const port::AttrRef materialRef(port::AttrType::buildingMaterial, component.buildingMaterial);
        const CachedAttribute* material = cache.Attribute(materialRef);
        port::Attribute record(materialRef);
        if (material != nullptr)
            record = material->attribute;
        LayerEntry layer = MaterialLayer(cache, record);
        layer.thickness = component.thickness * 100.0;
        layer.type = GetLayerType(component.flagBits).ToUtf8();
        group.layers.push_back(std::move(layer));
    }
    group.subtype = "Composite";
    return group;
}

void WriteGroup(JsonWriter& out, const GroupEntry& group, const char* systemType, Int32 typeCode)
{
    out.BeginObject();
    out.Member("area", group.area);
    out.Member("bim_uuid", group.bimUuid);
    out.Member("id", group.id);
    out.Key("layers");
    out.BeginArray();
    for (const LayerEntry& layer : group.layers) {
        out.BeginObject();
        out.Key("attributes");
        static const StoredList none;
        WriteProperties(out, layer.properties != nullptr ? *layer.properties : none, listedGroup);
        out.Member("bim_uuid", layer.bimUuid);
        out.Member("index", layer.index);
        out.Member("internal_material_id", "");
        out.Member("name", layer.name);
        out.Member("thickness", layer.thickness);
        out.Member("type", layer.type);
        out.EndObject();
    }
    out.EndArray();
    out.Member("name", group.name);
    out.Member("subtype", group.subtype);
    out.Member("system_type", systemType);
    out.Member("type_id", typeCode);
    out.EndObject();
}

} // namespace

void ExportManager::CalculateCompositeElements(port::ElemKind kind, JsonWriter& out)
{
    const Int32 typeCode = kind == port::ElemKind::wall ? 1 : kind == port::ElemKind::slab ? 3 : 2;
    const char* systemType = kind == port::ElemKind::wall ? "Wall" : kind == port::ElemKind::slab ? "Slab" : "Roof";
    const GS::Array<API_Guid> elements = Elements(kind, port::onVisibleLayers, "CalculateCompositeElements");
    std::vector<GroupEntry> groups;
    // Groups by attribute: one for a composite, one per thickness for a building material.
    std::unordered_map<port::AttrRef, std::vector<std::size_t>> byKey;
    for (const API_Guid& guid : elements) {
        // Read by the refresh of the same request already, or now.
        ShellFacts facts;
        if (const ShellFacts* known = KnownShell(guid)) {
            facts = *known;
        } else {
            port::Element element;
            if (!cache.Read(port::GetElement(guid, element), "CalculateCompositeElements::", port::getElementCall))
                continue; // the take-off is incomplete
            facts = FactsOf(element);
        }
        const port::ShellStructure& shell = facts.structure;
        const bool composite = shell.structure == port::Structure::composite;
        if (!composite && shell.structure != port::Structure::basic)
            continue; // profiled
        const CachedAttribute* attribute =
            cache.Attribute(composite ? port::AttrRef(port::AttrType::composite, shell.composite)
                                      : port::AttrRef(port::AttrType::buildingMaterial, shell.buildingMaterial));
        if (attribute == nullptr)
            continue;
        const double area = AreaOf(guid, facts, cache);
        const double thickness = shell.thickness * 100.0;
        // One attribute, one guid: its type and index stand for the guid as the key.
        auto& candidates = byKey[attribute->attribute.head.ref];
        GroupEntry* found = nullptr;
        for (std::size_t index : candidates)
            if (composite || std::abs(groups[index].thickness - thickness) < 1e-05) {
                found = &groups[index];
                break;
            }
        if (found != nullptr) {
            found->area += area;
            continue; // what the first element found stays
        }
        // Read now, in the order the elements come: what fails is logged in that order.
        GroupEntry group = composite ? CompositeGroup(cache, attribute->attribute)
                                     : BasicGroup(cache, attribute->attribute, thickness);
        group.thickness = thickness;
        group.area = area;
        candidates.push_back(groups.size());
        groups.push_back(std::move(group));
    }
    // By name (ignoring case), then subtype; ties keep the order the elements came in, so one
    // project always gives one reply. The keys are made once, not in every comparison.
    struct SortKey {
        GS::UniString name;
        std::string subtype;
        std::size_t group;
    };
    std::vector<SortKey> keys;
    keys.reserve(groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i)
        keys.push_back({GS::UniString(groups[i].name), groups[i].subtype, i});
    std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
        const auto order = a.name.Compare(b.name, GS::CaseInsensitive);
        if (order != GS::UniString::Equal)
            return order == GS::UniString::Less;
        return a.subtype < b.subtype;
    });
    for (const SortKey& key : keys)
        WriteGroup(out, groups[key.group], systemType, typeCode);
}

void ExportManager::CalculateComposites(JsonWriter& out)
{
    out.BeginArray();
    for (port::ElemKind type : port::shellKinds)
        CalculateCompositeElements(type, out);
    out.EndArray();
}

} // namespace KRV
