// "CurtainWallInfo" and "StairCalculationInfo": assemblies grouped by their IFC name.
#include <algorithm>
#include <unordered_map>

#include "ElementNames.hpp"
#include "ErrorMessages.hpp"
#include "ExportManager.hpp"
#include "Trace.hpp"

namespace KRV {

namespace {

struct Assembly {
    GS::UniString type;
    GS::UniString id;
    GS::UniString name;
    GS::UniString bimUuid;
    double measure = 0;                     // a curtain wall's area, a stair's volume
    const StoredList* properties = nullptr; // in the request's cache
};

// Lists, reads, names and measures the assemblies of a type, first-seen order.
std::vector<Assembly> Scan(port::ElemKind type, ExportManager& manager)
{
    ReadCache& cache = manager.Cache();
    const GS::Array<API_Guid> elements =
        manager.Elements(type, port::editableOnly | port::onVisibleLayers, "CalculateAssemblies");
    std::vector<Assembly> groups;
    std::unordered_map<std::string, std::size_t> byName;
    for (const API_Guid& guid : elements) {
        KRV_ELEMENT_TRACE("Element guid: %s\n", APIGuidToString(guid).ToUtf8().c_str());
        port::Element element;
        if (!cache.Read(port::GetElement(guid, element), "CalculateAssemblies::", port::getElementCall))
            continue;       // the take-off is incomplete
        GS::UniString name; // every element starts without a name
        if (GetIFCNameFromElementGuid(guid, name) != NoError) {
            cache.Incomplete(); // logged: without its name it belongs to no group
            continue;
        }
        KRV_ELEMENT_TRACE("IFC name: %s\n", name.ToUtf8().c_str());
        const StoredList& properties = cache.RecordProperties(name);
        const GS::UniString bimUuid(std::string(properties.Id()));
        if (cache.Record(name))
            KRV_ELEMENT_TRACE("bim_uuid: %s\n", bimUuid.ToUtf8().c_str());
        port::Quantities q;
        const bool read = cache.Quantities(element.head, q);
        const double measure = !read ? 0.0 : type == port::ElemKind::curtainWall ? q.area : q.volume;
        auto found = byName.find(name.ToUtf8());
        if (found != byName.end()) {
            groups[found->second].measure += measure;
            continue;
        }
        Assembly assembly;
        assembly.type = type == port::ElemKind::curtainWall ? (read ? "Walls" : "") : "Stairs";
        assembly.id = APIGuidToString(guid); // the group's first element names it
        assembly.name = name;
        assembly.bimUuid = bimUuid;
        assembly.measure = measure;
        assembly.properties = &properties;
        byName.emplace(name.ToUtf8(), groups.size());
        groups.push_back(std::move(assembly));
    }
    // By name, ignoring case; names that compare equal keep their first-seen order.
    std::stable_sort(groups.begin(), groups.end(), [](const Assembly& a, const Assembly& b) {
        return a.name.Compare(b.name, GS::CaseInsensitive) == GS::UniString::Less;
    });
    return groups;
}

// The groups as a list of objects whose members `write` gives; null when there are none.
template <typename Write> void WriteGroups(JsonWriter& out, const std::vector<Assembly>& groups, Write write)
{
    if (groups.empty()) {
        out.Null();
        return;
    }
    out.BeginArray();
    for (const Assembly& a : groups) {
        out.BeginObject();
        write(a);
        out.EndObject();
    }
    out.EndArray();
}

} // namespace

void ExportManager::CalculateCurtainWalls(JsonWriter& out)
{
    WriteGroups(out, Scan(port::ElemKind::curtainWall, *this), [&out](const Assembly& a) {
        out.Member("area", a.measure);
        out.Key("attributes");
        WriteProperties(out, *a.properties);
        out.Member("bim_uuid", a.bimUuid.ToUtf8());
        out.Member("id", a.id.ToUtf8());
        out.Member("name", a.name.ToUtf8());
        out.Member("type", a.type.ToUtf8());
    });
}

void ExportManager::CalculateStairs(JsonWriter& out)
{
    WriteGroups(out, Scan(port::ElemKind::stair, *this), [&out](const Assembly& a) {
        out.Key("attributes");
        WriteProperties(out, *a.properties);
        out.Member("bim_uuid", a.bimUuid.ToUtf8());
        out.Member("family_name", "Assembled Stair");
        out.Member("id", a.id.ToUtf8());
        out.Member("landing_type_material_name", "");
        out.Member("left_support_type_name", "");
        out.Member("right_support_type_name", "");
        out.Member("run_type_material_name", "");
        out.Member("type", "Stairs");
        out.Member("type_name", a.name.ToUtf8());
        out.Member("volume", a.measure);
    });
}

} // namespace KRV
