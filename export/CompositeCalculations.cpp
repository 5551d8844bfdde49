// "SystemInfo": the walls, slabs and roofs grouped by what they are built of.
#include <algorithm>
#include <map>

#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "HostText.hpp"

namespace KRV {

namespace {

struct CompositeUseInfo {
    Int32 typeCode = 0;
    double area = 0;
    double thickness = 0;
    std::string attributeKey;
    const char* systemType = "";
    json group;
};

struct Shell {
    API_ModelElemStructureType structure;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    double thickness;
};

Shell ShellOf(const ShellFacts& facts)
{
    return {facts.structure.modelElemStructureType, facts.structure.composite, facts.structure.buildingMaterial,
            facts.structure.thickness};
}

// The area from the quantities: the volume over the thickness, or the surface for that kind
// of wall.
double AreaOf(const API_Guid& guid, const ShellFacts& facts)
{
    API_ElementQuantity quantity;
    const bool read = ReadQuantities(guid, quantity);
    double thickness = 0;
    switch (facts.type) {
    case API_WallID:
        // This kind of wall is measured by its surface.
        if (facts.wallType == 5)
            return read ? quantity.surface : 0.0;
        thickness = (facts.structure.thickness + facts.wallThicknessEnd) * 0.5;
        break;
    case API_SlabID:
    case API_RoofID:
        thickness = facts.structure.thickness;
        break;
    default:
        return 0.0;
    }
    if (!read || thickness <= 1e-05)
        return 0.0;
    return quantity.volume / thickness;
}

} // namespace

void AddJsonArray(json& source, json& target)
{
    if (!source.is_array()) {
        source = nullptr;
        return;
    }
    if (!target.is_array())
        target = json::array();
    for (json& item : source)
        target.push_back(std::move(item));
    source = json::array();
}

GS::UniString GetLayerType(short flagBits)
{
    if ((flagBits & 0x0002) != 0)
        return "Core";
    if ((flagBits & 0x0020) != 0)
        return "Finish";
    return "Other";
}

bool ReadQuantities(const API_Guid& guid, API_ElementQuantity& quantity)
{
    quantity = API_ElementQuantity{};
    API_Quantities quantities{};
    quantities.elements = &quantity;
    API_QuantitiesMask mask;
    ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(mask);
    API_QuantityPar params{};
    return ReadSucceeded(ACAPI_Element_GetQuantities(guid, &params, &quantities, &mask),
                         "ReadQuantities::ACAPI_Element_GetQuantities");
}

GS::Array<API_Guid> ExportManager::Elements(API_ElemTypeID type, UInt32 filter, const char* where)
{
    GS::Array<API_Guid> elements;
    if (GSErrCode err = ACAPI_Element_GetElemList(type, &elements, filter, APINULLGuid); err != NoError) {
        LogArchicadErrorCodeMessage(err, (std::string(where) + "::ACAPI_Element_GetElemList").c_str());
        complete = false;
        elements.Clear();
    }
    return elements;
}

double GetArea(API_Element& element)
{
    return AreaOf(element.header.guid, FactsOf(element));
}

std::vector<API_CWallComponent> GetBuildingMaterialFillsFromComposite(ReadCache& cache, API_Attribute& composite)
{
    return cache.Components(composite);
}

json GetCalculationJsonFromAttribute(ReadCache& cache, API_Attribute& buildingMaterial)
{
    json layer = json::object();
    json attributes = json::array();
    GS::UniString bimUuid;
    if (const CachedAttribute* cached = cache.Attribute(API_BuildingMaterialID, buildingMaterial.header.index)) {
        for (const KorvelProperty& property : cached->properties.View())
            if (property.GetGroup() == "VORO Attributes")
                attributes.push_back(property);
        bimUuid = cached->properties.GetPropertyValueByName("id");
    }
    layer["thickness"] = 1e-05;
    layer["internal_material_id"] = "";
    layer["index"] = buildingMaterial.header.index;
    layer["type"] = "";
    layer["name"] = GetHeaderName(buildingMaterial.header).ToUtf8();
    layer["bim_uuid"] = bimUuid.ToUtf8();
    layer["attributes"] = attributes;
    return layer;
}

json GetCalculationJsonFromAttributeVell(ReadCache& cache, API_Attribute& buildingMaterial)
{
    json group = json::object();
    group["name"] = GetHeaderName(buildingMaterial.header).ToUtf8();
    group["id"] = buildingMaterial.header.index;
    group["bim_uuid"] = "";
    json layer = GetCalculationJsonFromAttribute(cache, buildingMaterial);
    layer["bim_uuid"] = "";
    group["layers"] = json::array({layer});
    return group;
}

json GetCalculationJsonFromComplexAttribute(ReadCache& cache, API_Attribute& composite, double)
{
    json group = json::object();
    const CachedAttribute* cached = cache.Attribute(API_CompWallID, composite.header.index);
    group["name"] = GetHeaderName(composite.header).ToUtf8();
    group["id"] = composite.header.index;
    group["bim_uuid"] = cached != nullptr ? cached->properties.GetPropertyValueByName("id").ToUtf8() : "";
    group["layers"] = json::array();
    for (const API_CWallComponent& component : GetBuildingMaterialFillsFromComposite(cache, composite)) {
        const CachedAttribute* material = cache.Attribute(API_BuildingMaterialID, component.buildingMaterial);
        API_Attribute record{};
        record.header.index = component.buildingMaterial;
        if (material != nullptr)
            record = material->record;
        json layer = GetCalculationJsonFromAttribute(cache, record);
        layer["thickness"] = component.fillThick * 100.0;
        layer["type"] = GetLayerType(component.flagBits).ToUtf8();
        group["layers"].push_back(std::move(layer));
    }
    return group;
}

json ExportManager::CalculateCompositeElements(API_ElemTypeID type)
{
    const Int32 typeCode = type == API_WallID ? 1 : type == API_SlabID ? 3 : 2;
    const char* systemType = type == API_WallID ? "Wall" : type == API_SlabID ? "Slab" : "Roof";
    const GS::Array<API_Guid> elements = Elements(type, 8, "CalculateCompositeElements");
    std::vector<CompositeUseInfo> records;
    // Groups by attribute: one for a composite, one per thickness for a building material.
    std::map<std::pair<API_AttrTypeID, API_AttributeIndex>, std::vector<std::size_t>> byKey;
    for (const API_Guid& guid : elements) {
        // Read by the refresh of the same request already, or now.
        ShellFacts facts;
        if (const ShellFacts* known = KnownShell(guid)) {
            facts = *known;
        } else {
            API_Element element{};
            element.header.guid = guid;
            if (!ReadSucceeded(ACAPI_Element_Get(&element), "CalculateCompositeElements::ACAPI_Element_Get"))
                continue; // a record the host could not read is no group of its own
            facts = FactsOf(element);
        }
        const Shell shell = ShellOf(facts);
        const bool composite = shell.structure == API_CompositeStructure;
        if (!composite && shell.structure != API_BasicStructure)
            continue; // profiled
        const CachedAttribute* attribute = cache.Attribute(composite ? API_CompWallID : API_BuildingMaterialID,
                                                           composite ? shell.composite : shell.buildingMaterial);
        if (attribute == nullptr)
            continue;
        const double area = AreaOf(guid, facts);
        const double thickness = shell.thickness * 100.0;
        // One attribute, one guid: its type and index stand for the guid as the key.
        auto& candidates = byKey[{attribute->record.header.typeID, attribute->record.header.index}];
        CompositeUseInfo* found = nullptr;
        for (std::size_t index : candidates)
            if (composite || std::abs(records[index].thickness - thickness) < 1e-05) {
                found = &records[index];
                break;
            }
        if (found != nullptr) {
            found->area += area;
            continue; // the JSON of the first element stays
        }
        API_Attribute record = attribute->record;
        json group;
        if (composite) {
            group = GetCalculationJsonFromComplexAttribute(cache, record, area);
            group["subtype"] = "Composite";
        } else {
            group = GetCalculationJsonFromAttributeVell(cache, record);
            group["layers"][0]["thickness"] = thickness;
            group["subtype"] = "Basic";
        }
        candidates.push_back(records.size());
        records.push_back({typeCode, area, thickness, APIGuidToString(attribute->record.header.guid).ToUtf8(),
                           systemType, std::move(group)});
    }
    // By name (ignoring case), then subtype; ties keep the order the elements came in, so one
    // project always gives one reply. The keys are made once, not in every comparison.
    struct SortKey {
        GS::UniString name;
        std::string subtype;
        std::size_t record;
    };
    std::vector<SortKey> keys;
    keys.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        keys.push_back({GS::UniString(records[i].group.at("name").get_ref<const std::string&>()),
                        records[i].group.at("subtype").get<std::string>(), i});
    std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
        const auto order = a.name.Compare(b.name, GS::CaseInsensitive);
        if (order != GS::UniString::Equal)
            return order == GS::UniString::Less;
        return a.subtype < b.subtype;
    });
    json result = json::array();
    for (const SortKey& key : keys) {
        CompositeUseInfo& record = records[key.record];
        json entry = std::move(record.group);
        entry["system_type"] = record.systemType;
        entry["type_id"] = record.typeCode;
        entry["area"] = record.area;
        result.push_back(std::move(entry));
    }
    return result;
}

json ExportManager::CalculateComposites()
{
    json result = json::array();
    for (API_ElemTypeID type : {API_WallID, API_SlabID, API_RoofID}) {
        json list = CalculateCompositeElements(type);
        AddJsonArray(list, result);
    }
    return result;
}

} // namespace KRV
