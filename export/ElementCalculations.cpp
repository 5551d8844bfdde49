// "ProductInfo": windows, doors, objects, columns and beams, grouped by product.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "APIdefs_LibParts.h"
#include "ElementNames.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "HostText.hpp"
#include "ProfileVectorImage.hpp"
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
    const StoredTexts* properties = nullptr; // in the request's cache
};

const char* Category(API_ElemTypeID type)
{
    switch (type) {
    case API_ObjectID:
        return "Furniture";
    case API_ColumnID:
        return "Columns";
    case API_BeamID:
        return "Structural Framing";
    case API_WindowID:
        return "Windows";
    case API_DoorID:
        return "Doors";
    default:
        return "Unknown object type.";
    }
}

// The building material a column's or beam's first segment is made of; 0 when none.
API_AttributeIndex SegmentMaterial(const API_Element& element, ReadCache& cache)
{
    const bool column = element.header.typeID == API_ColumnID;
    API_ElementMemo memo{};
    MemoGuard release(memo);
    if (!cache.Read(ACAPI_Element_GetMemo(element.header.guid, &memo,
                                          column ? APIMemoMask_ColumnSegment : APIMemoMask_BeamSegment),
                    "SegmentMaterial::ACAPI_Element_GetMemo"))
        return 0;
    GSHandle segments =
        column ? reinterpret_cast<GSHandle>(memo.columnSegments) : reinterpret_cast<GSHandle>(memo.beamSegments);
    const std::size_t size = column ? sizeof(API_ColumnSegmentType) : sizeof(API_BeamSegmentType);
    API_AttributeIndex material = 0;
    if (segments != nullptr && static_cast<std::size_t>(BMGetHandleSize(segments)) >= size) {
        const API_AssemblySegmentData& first =
            column ? (*memo.columnSegments)[0].assemblySegmentData : (*memo.beamSegments)[0].assemblySegmentData;
        if (first.modelElemStructureType == API_BasicStructure) {
            material = first.buildingMaterial;
        } else if ([[maybe_unused]] const CachedAttribute* profile =
                       cache.Attribute(port::AttrRef(port::AttrType::profile, first.profileAttr))) {
            KRV_ELEMENT_TRACE("profile name: %s\n", profile->attribute.head.name.ToUtf8().c_str());
            material = cache.ProfileMaterial(first.profileAttr);
        }
    }
    return material;
}

void Measure(const API_Element& element, double density, ElemInfo& info, ReadCache& cache)
{
    const API_ElemTypeID type = element.header.typeID;
    if (type == API_ObjectID) {
        API_ElemInfo3D info3D{};
        const GSErrCode err = ACAPI_Element_Get3DInfo(element.header, &info3D);
        if (err != NoError) {
            cache.Read(err, "Measure::ACAPI_Element_Get3DInfo", hosterr::no3D); // none is no failure
            return;
        }
        const double dx = info3D.bounds.xMax - info3D.bounds.xMin;
        const double dy = info3D.bounds.yMax - info3D.bounds.yMin;
        const double dz = info3D.bounds.zMax - info3D.bounds.zMin;
        info.area = dx * dy;
        info.volume = dz * info.area;
        info.length = 2 * dx + 2 * dy;
        info.weight = density * info.volume;
        return;
    }
    API_ElementQuantity q;
    if (!cache.Quantities(element.header.guid, q))
        return;
    switch (type) {
    case API_ColumnID:
        info.length = q.height;
        info.area = q.surfaces[0] + q.surfaces[1];
        info.volume = q.volume;
        break;
    case API_BeamID:
        info.length = q.length;
        info.area = q.surfaces[0] + q.surfaces[1] + q.surfaces[2] + q.surfaces[3] + q.surfaces[4];
        info.volume = q.volume;
        break;
    case API_WindowID:
        info.length = 2 * (q.width + q.height);
        info.area = q.surface;
        info.volume = q.volume;
        break;
    case API_DoorID:
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

void ExportManager::CalculateElements(API_ElemTypeID type, const char* defaultUnit, JsonWriter& out)
{
    const GS::Array<API_Guid> elements = Elements(type, 10, "CalculateElements");
    std::vector<ElemInfo> groups;
    std::unordered_map<std::string, std::size_t> byKey;
    struct Facts {
        GS::UniString densityText;
        double density = 0;
        GS::UniString referenceUnit;
        GS::UniString bimUuid;
    };
    std::unordered_map<const StoredTexts*, Facts> facts;
    const bool placedFromPart = type == API_WindowID || type == API_DoorID || type == API_ObjectID;
    for (const API_Guid& guid : elements) {
        KRV_ELEMENT_TRACE("Element guid: %s\n", APIGuidToString(guid).ToUtf8().c_str());
        API_Element element{};
        element.header.guid = guid;
        if (!cache.Read(ACAPI_Element_Get(&element), "CalculateElements::ACAPI_Element_Get"))
            continue; // the take-off is incomplete
        // The library part comes with the element's record (read once per part).
        std::string uniqueId;
        GS::UniString productName;
        if (!placedFromPart) {
            KRV_ELEMENT_TRACE("The element is not GDL based!\n");
        } else if (element.object.libInd > 0) {
            const auto& part = cache.LibraryPart(element.object.libInd);
            if (part.first.empty())
                continue; // a part the host cannot find
            uniqueId = part.first;
            productName = part.second;
            KRV_ELEMENT_TRACE("Lib part name: %s\n", productName.ToUtf8().c_str());
        }
        // The IFC name decides for objects and names what has no product; a window or door
        // placed from a part is known by the part (its name is read only for the trace).
        GS::UniString ifcName; // every element starts without a name
        if (type == API_ObjectID || productName.IsEmpty() || KORVEL_ELEMENT_TRACE) {
            if (GetIFCNameFromElementGuid(guid, ifcName) != NoError)
                cache.Incomplete(); // logged
            KRV_ELEMENT_TRACE("IFC name: %s\n", ifcName.ToUtf8().c_str());
            ifcName.Trim();
        }
        if (type == API_ObjectID) {
            const Int32 related = element.object.relatedElemType;
            // Parts of curtain walls and stairs are counted with their assembly.
            if (ifcName.IsEmpty() || related == 39 || related == 48 || related == 49 || related == 50)
                continue;
        }
        std::string key;
        if (!productName.IsEmpty()) {
            key = uniqueId;
        } else {
            if (type == API_ObjectID)
                continue;
            productName = type == API_BeamID     ? GS::UniString("Beam ") + ifcName
                          : type == API_ColumnID ? GS::UniString("Column ") + ifcName
                                                 : ifcName;
            key = productName.ToUtf8();
        }
        if (key.empty())
            continue;

        // The stored catalogue data: a column's or beam's building material, a product's record.
        static const StoredTexts none;
        const StoredTexts* properties = &none;
        if (!placedFromPart) {
#if KORVEL_ELEMENT_TRACE
            GS::UniString info;
            API_Guid element_guid = guid;
            ACAPI_Database(APIDb_GetElementInfoStringID, &element_guid, &info); // only for the trace
            KRV_ELEMENT_TRACE("column info: %s\n", info.ToUtf8().c_str());
#endif
            const API_AttributeIndex index = SegmentMaterial(element, cache);
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
            fact.bimUuid = std::string(properties->ValueByName("id"));
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
    const std::pair<API_ElemTypeID, const char*> types[] = {
        {API_WindowID, "pcs"}, {API_DoorID, "pcs"}, {API_ObjectID, "pcs"}, {API_ColumnID, "m3"}, {API_BeamID, "m3"}};
    out.BeginArray();
    for (const auto& [type, unit] : types)
        CalculateElements(type, unit, out);
    out.EndArray();
}

} // namespace KRV
