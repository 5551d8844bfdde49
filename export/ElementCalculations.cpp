// "ProductInfo": windows, doors, objects, columns and beams, grouped by product.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "ElementNames.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "HostErrors.hpp"
#include "Trace.hpp"

namespace KRV {

namespace {

struct ElemInfo {
    GS::UniString category;
    GS::UniString guid;
    GS::UniString name;
    GS::UniString referenceUnit;
    GS::UniString bimUuid;
    double area = 0, volume = 0, length = 0, weight = 0;
    Int32 pieces = 0;
    const StoredList* properties = nullptr; // in the request's cache
};

const char* Category(port::ElemKind kind)
{
    switch (kind) {
    case port::ElemKind::object:
        return "Furniture";
    case port::ElemKind::column:
        return "Columns";
    case port::ElemKind::beam:
        return "Structural Framing";
    case port::ElemKind::window:
        return "Windows";
    case port::ElemKind::door:
        return "Doors";
    default:
        return "Unknown object type.";
    }
}

// The building material a column's or beam's first segment is made of; 0 when none.
Int32 SegmentMaterial(const port::Element& element, ReadCache& cache)
{
    Int32 material = 0;
    const GSErrCode err = port::WithFirstSegment(element.head, [&](const std::optional<port::SegmentStructure>& first) {
        if (!first)
            return;
        if (first->structure == port::Structure::basic) {
            material = first->buildingMaterial;
        } else if ([[maybe_unused]] const CachedAttribute* profile =
                       cache.Attribute(port::AttrRef(port::AttrType::profile, first->profile))) {
            KRV_ELEMENT_TRACE("profile name: %s\n", profile->attribute.head.name.ToUtf8().c_str());
            material = cache.ProfileMaterial(first->profile);
        }
    });
    return cache.Read(err, "SegmentMaterial::", port::segmentsCall) ? material : 0;
}

void Measure(const port::Element& element, double density, ElemInfo& info, ReadCache& cache)
{
    const port::ElemKind type = element.head.kind;
    if (type == port::ElemKind::object) {
        port::Bounds3D bounds;
        const GSErrCode err = port::ElementBounds(element.head, bounds);
        if (err != NoError) {
            cache.Read(err, "Measure::", port::bounds3DCall, hosterr::no3D); // none is no failure
            return;
        }
        const double dx = bounds.xMax - bounds.xMin;
        const double dy = bounds.yMax - bounds.yMin;
        const double dz = bounds.zMax - bounds.zMin;
        info.area = dx * dy;
        info.volume = dz * info.area;
        info.length = 2 * dx + 2 * dy;
        info.weight = density * info.volume;
        return;
    }
    port::Quantities q;
    if (!cache.Quantities(element.head, q))
        return;
    switch (type) {
    case port::ElemKind::column:
        info.length = q.height;
        info.area = q.sides[0] + q.sides[1];
        info.volume = q.volume;
        break;
    case port::ElemKind::beam:
        info.length = q.length;
        info.area = q.sides[0] + q.sides[1] + q.sides[2] + q.sides[3] + q.sides[4];
        info.volume = q.volume;
        break;
    case port::ElemKind::window:
        info.length = 2 * (q.width + q.height);
        info.area = q.surface;
        info.volume = q.volume;
        break;
    case port::ElemKind::door:
        info.length = q.width + 2 * q.height;
        info.area = q.surface;
        info.volume = q.volume;
        break;
    default:
        return;
    }
    info.weight = density * info.volume;
}

void WriteEntry(JsonWriter& out, const ElemInfo& info)
{
    out.BeginObject();
    out.Member("area", info.area);
    out.Key("attributes");
    WriteProperties(out, *info.properties);
    out.Member("bim_uuid", info.bimUuid.ToUtf8());
    out.Member("default_value", info.referenceUnit.ToUtf8());
    out.Member("id", info.guid.ToUtf8());
    out.Member("length", info.length);
    out.Member("name", info.name.ToUtf8());
    out.Member("pieces", info.pieces);
    out.Member("volume", info.volume);
    out.Member("weight", info.weight);
    out.EndObject();
}

} // namespace

void ExportManager::CalculateElements(port::ElemKind type, const char* defaultUnit, JsonWriter& out)
{
    const GS::Array<API_Guid> elements =
        Elements(type, port::editableOnly | port::onVisibleLayers, "CalculateElements");
    std::vector<ElemInfo> groups;
    std::unordered_map<std::string, std::size_t> byKey;
    struct Facts {
        GS::UniString densityText;
        double density = 0;
        GS::UniString referenceUnit;
        GS::UniString bimUuid;
    };
    std::unordered_map<const StoredList*, Facts> facts;
    const bool placedFromPart =
        type == port::ElemKind::window || type == port::ElemKind::door || type == port::ElemKind::object;
    for (const API_Guid& guid : elements) {
        KRV_ELEMENT_TRACE("Element guid: %s\n", APIGuidToString(guid).ToUtf8().c_str());
        port::Element element;
        if (!cache.Read(port::GetElement(guid, element), "CalculateElements::", port::getElementCall))
            continue; // the take-off is incomplete
        // The library part comes with the element's record (read once per part).
        std::string uniqueId;
        GS::UniString productName;
        if (!placedFromPart) {
            KRV_ELEMENT_TRACE("The element is not GDL based!\n");
        } else if (element.libraryPart > 0) {
            const auto& part = cache.LibraryPart(element.libraryPart);
            if (part.first.empty())
                continue; // a part the host cannot find
            uniqueId = part.first;
            productName = part.second;
            KRV_ELEMENT_TRACE("Lib part name: %s\n", productName.ToUtf8().c_str());
        }
        // The IFC name decides for objects and names what has no product; a window or door
        // placed from a part is known by the part (its name is read only for the trace).
        GS::UniString ifcName; // every element starts without a name
        if (type == port::ElemKind::object || productName.IsEmpty() || KORVEL_ELEMENT_TRACE) {
            if (GetIFCNameFromElementGuid(guid, ifcName) != NoError)
                cache.Incomplete(); // logged
            KRV_ELEMENT_TRACE("IFC name: %s\n", ifcName.ToUtf8().c_str());
            ifcName.Trim();
        }
        if (type == port::ElemKind::object) {
            const Int32 related = element.standsFor;
            // Parts of curtain walls and stairs are counted with their assembly.
            if (ifcName.IsEmpty() || related == 39 || related == 48 || related == 49 || related == 50)
                continue;
        }
        std::string key;
        if (!productName.IsEmpty()) {
            key = uniqueId;
        } else {
            if (type == port::ElemKind::object)
                continue;
            productName = type == port::ElemKind::beam     ? GS::UniString("Beam ") + ifcName
                          : type == port::ElemKind::column ? GS::UniString("Column ") + ifcName
                                                           : ifcName;
            key = productName.ToUtf8();
        }
        if (key.empty())
            continue;

        // The stored catalogue data: a column's or beam's building material, a product's record.
        static const StoredList none;
        const StoredList* properties = &none;
        if (!placedFromPart) {
#if KORVEL_ELEMENT_TRACE
            GS::UniString info;
            port::ElementInfoString(guid, info); // only for the trace
            KRV_ELEMENT_TRACE("column info: %s\n", info.ToUtf8().c_str());
#endif
            const Int32 index = SegmentMaterial(element, cache);
            if (const CachedAttribute* material =
                    index != 0 ? cache.Attribute(port::AttrRef(port::AttrType::buildingMaterial, index)) : nullptr) {
                KRV_ELEMENT_TRACE("material name: %s\n", material->attribute.head.name.ToUtf8().c_str());
                properties = &material->properties;
            }
        } else {
            properties = &cache.RecordProperties(productName);
        }
        // What a property list says, worked out once per list.
        auto [factsAt, fresh] = facts.try_emplace(properties);
        Facts& fact = factsAt->second;
        if (fresh) {
            fact.densityText = std::string(properties->ValueByName("Density"));
            fact.density = LeadingNumber(fact.densityText);
            fact.referenceUnit = GS::UniString(std::string(properties->ValueByName("Reference Unit"))).ToLowerCase();
            fact.bimUuid = std::string(properties->Id());
        }
        if (!properties->empty())
            KRV_ELEMENT_TRACE("Ref unit: %s bim_uuid: %s density: %s\n", fact.referenceUnit.ToUtf8().c_str(),
                              fact.bimUuid.ToUtf8().c_str(), fact.densityText.ToUtf8().c_str());
        ElemInfo measured;
        Measure(element, fact.density, measured, cache);

        auto found = byKey.find(key);
        if (found != byKey.end()) {
            // The group keeps what its first element found; later ones only add measures.
            ElemInfo& group = groups[found->second];
            group.area += measured.area;
            group.volume += measured.volume;
            group.length += measured.length;
            group.weight += measured.weight;
            group.pieces += 1;
            continue;
        }
        measured.category = Category(type);
        measured.guid = APIGuidToString(guid); // the group's first element names it
        measured.name = productName;
        measured.referenceUnit =
            properties->empty() || fact.referenceUnit.IsEmpty() ? GS::UniString(defaultUnit) : fact.referenceUnit;
        measured.bimUuid = fact.bimUuid;
        measured.pieces = 1;
        measured.properties = properties;
        byKey.emplace(key, groups.size());
        groups.push_back(std::move(measured));
    }
    std::vector<std::pair<GS::UniString, std::size_t>> keys;
    for (const auto& [key, index] : byKey)
        keys.emplace_back(GS::UniString(key), index);
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, index] : keys)
        WriteEntry(out, groups[index]);
}

void ExportManager::CalculateObjects(JsonWriter& out)
{
    const std::pair<port::ElemKind, const char*> types[] = {{port::ElemKind::window, "pcs"},
                                                            {port::ElemKind::door, "pcs"},
                                                            {port::ElemKind::object, "pcs"},
                                                            {port::ElemKind::column, "m3"},
                                                            {port::ElemKind::beam, "m3"}};
    out.BeginArray();
    for (const auto& [type, unit] : types)
        CalculateElements(type, unit, out);
    out.EndArray();
}

} // namespace KRV
