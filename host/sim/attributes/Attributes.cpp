// Attributes: building materials, composites and the other types by index and name.
#include <cstring>
#include <utility>

#include "APIdefs_Attributes.h"
#include "AttributeCalls.hpp"
#include "BM.h"
#include "Edge.hpp"
#include "Host.hpp"
#include "ProfileVectorImage.hpp"

using sim::Host;

namespace {

sim::AttributeStore& Store()
{
    return Host::Get().GetProject().attributes;
}

std::string NameOf(const API_Attr_Head& head)
{
    if (head.uniStringNamePtr != nullptr)
        return head.uniStringNamePtr->ToUtf8();
    return std::string(head.name, strnlen(head.name, API_AttrNameLen));
}

sim::Attribute* Lookup(const API_Attr_Head& head)
{
    std::optional<sim::AttrKind> kind = sim::KindOf(head.typeID);
    if (!kind)
        return nullptr;
    if (sim::IndexOf(head.index) != 0)
        return Store().Find(*kind, sim::IndexOf(head.index));
    return Store().FindByName(*kind, NameOf(head));
}

bool ValidName(const std::string& name)
{
    return !name.empty();
}

void SetAttributeName(API_Attr_Head& head, const GS::UniString& name)
{
    std::string cut = GS::TruncateUtf8(name.ToUtf8(), API_AttrNameLen - 1);
    std::memset(head.name, 0, API_AttrNameLen);
    std::memcpy(head.name, cut.data(), cut.size());
}

void FillRecord(const sim::Attribute& a, API_Attribute* out)
{
    GS::UniString* namePtr = out->header.uniStringNamePtr;
    const bool isMaterial = a.kind == sim::AttrKind::buildingMaterial;
    GS::UniString* description = isMaterial ? out->buildingMaterial.description : nullptr;
    GS::UniString* manufacturer = isMaterial ? out->buildingMaterial.manufacturer : nullptr;
    GS::UniString* id = isMaterial ? out->buildingMaterial.id : nullptr;
    std::memset(static_cast<void*>(out), 0, sizeof(API_Attribute));
    out->header.typeID = sim::TypeIdOf(a.kind);
    out->header.index = sim::HostIndex(a.index);
    out->header.guid = a.guid;
    out->header.flags = static_cast<decltype(out->header.flags)>(a.flags);
    SetAttributeName(out->header, GS::UniString(a.name));
    out->header.uniStringNamePtr = namePtr;
    if (namePtr != nullptr)
        *namePtr = GS::UniString(a.name);
    if (const sim::BuildingMaterialValues* m = a.Material()) {
        API_BuildingMaterialType& bm = out->buildingMaterial;
        bm.connPriority = m->connPriority;
        bm.cutFill = sim::HostIndex(m->cutFill);
        bm.cutFillPen = m->cutFillPen;
        bm.cutFillBackgroundPen = m->cutFillBackgroundPen;
        bm.cutMaterial = sim::HostIndex(m->cutMaterial);
        bm.cutFillOrientation = static_cast<decltype(bm.cutFillOrientation)>(m->cutFillOrientation);
        bm.thermalConductivity = m->thermalConductivity;
        bm.density = m->density;
        bm.heatCapacity = m->heatCapacity;
        bm.showUncutLines = m->showUncutLines;
        bm.description = description;
        bm.manufacturer = manufacturer;
        bm.id = id;
        if (description != nullptr)
            *description = GS::UniString(m->description);
        if (manufacturer != nullptr)
            *manufacturer = GS::UniString(m->manufacturer);
        if (id != nullptr)
            *id = GS::UniString(m->id);
    } else if (const sim::CompositeValues* c = a.Composite()) {
        out->compWall.nComps = static_cast<short>(c->declaredComponents >= 0 ? c->declaredComponents
                                                                             : static_cast<int>(c->components.size()));
        sim::SetLineCount(out->compWall, static_cast<short>(c->lines.size()));
        double total = 0;
        for (const auto& component : c->components)
            total += component.fillThick;
        out->compWall.totalThick = total;
    }
}

// Takes the record's values into the stored attribute (not its name, index or guid).
void TakeRecord(sim::Attribute& a, const API_Attribute& in)
{
    a.flags = in.header.flags;
    if (sim::BuildingMaterialValues* m = a.Material()) {
        const API_BuildingMaterialType& bm = in.buildingMaterial;
        m->connPriority = bm.connPriority;
        m->cutFill = sim::IndexOf(bm.cutFill);
        m->cutFillPen = bm.cutFillPen;
        m->cutFillBackgroundPen = bm.cutFillBackgroundPen;
        m->cutMaterial = sim::IndexOf(bm.cutMaterial);
        m->cutFillOrientation = static_cast<Int32>(bm.cutFillOrientation);
        m->thermalConductivity = bm.thermalConductivity;
        m->density = bm.density;
        m->heatCapacity = bm.heatCapacity;
        m->showUncutLines = bm.showUncutLines;
        m->description = bm.description != nullptr ? bm.description->ToUtf8() : std::string();
        m->manufacturer = bm.manufacturer != nullptr ? bm.manufacturer->ToUtf8() : std::string();
        m->id = bm.id != nullptr ? bm.id->ToUtf8() : std::string();
    }
}

using sim::FromHost;
using sim::ToHost;

template <typename T> auto FromHandle(T** handle)
{
    std::vector<decltype(FromHost(std::declval<T>()))> out;
    if (handle == nullptr)
        return out;
    std::size_t count = static_cast<std::size_t>(BMGetHandleSize(reinterpret_cast<GSHandle>(handle))) / sizeof(T);
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(FromHost((*handle)[i]));
    return out;
}

template <typename Own> auto ToHandle(const std::vector<Own>& items)
{
    using T = decltype(ToHost(std::declval<Own>()));
    GSHandle h = BMAllocateHandle(static_cast<GSSize>(items.size() * sizeof(T)), ALLOCATE_CLEAR, 0);
    if (h != nullptr)
        for (std::size_t i = 0; i < items.size(); ++i)
            reinterpret_cast<T*>(*h)[i] = ToHost(items[i]);
    return reinterpret_cast<T**>(h);
}

} // namespace

namespace sim::attributes {

GSErrCode Get(API_Attribute* attribute)
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    sim::Attribute* a = Lookup(attribute->header);
    if (a == nullptr)
        return sim::IndexOf(attribute->header.index) != 0 ? APIERR_BADINDEX : APIERR_BADNAME;
    FillRecord(*a, attribute);
    return NoError;
}

UInt32 Count(API_AttrTypeID typeID)
{
    std::optional<sim::AttrKind> kind = sim::KindOf(typeID);
    return kind ? static_cast<UInt32>(Store().Count(*kind)) : 0;
}

} // namespace sim::attributes

GSErrCode ACAPI_Attribute_Get(API_Attribute* attribute)
{
    SIM_ENTER("ACAPI_Attribute_Get");
    return sim::attributes::Get(attribute);
}

GSErrCode ACAPI_Attribute_Search(API_Attr_Head* head)
{
    SIM_ENTER("ACAPI_Attribute_Search");
    if (head == nullptr)
        return APIERR_BADPARS;
    std::optional<sim::AttrKind> kind = sim::KindOf(head->typeID);
    sim::Attribute* a = kind ? Store().FindByName(*kind, NameOf(*head)) : nullptr;
    if (a == nullptr)
        return APIERR_BADNAME;
    head->index = sim::HostIndex(a->index);
    head->guid = a->guid;
    return NoError;
}

namespace sim::attributes {

GSErrCode Create(API_Attribute* attribute, const Definition& defs)
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    std::optional<sim::AttrKind> kind = sim::KindOf(attribute->header.typeID);
    if (!kind)
        return APIERR_BADPARS;
    std::string name = NameOf(attribute->header);
    if (!ValidName(name))
        return APIERR_BADNAME;
    if (Store().FindByName(*kind, name) != nullptr)
        return APIERR_ATTREXIST;
    sim::Attribute a(*kind);
    a.name = name;
    a.guid = GSGuid2APIGuid(GS::Guid::Generate());
    TakeRecord(a, *attribute);
    if (sim::CompositeValues* c = a.Composite(); c != nullptr && defs.given) {
        c->components = FromHandle(defs.components);
        c->lines = FromHandle(defs.lines);
    }
    const sim::Attribute& stored = Store().Add(std::move(a));
    attribute->header.index = sim::HostIndex(stored.index);
    attribute->header.guid = stored.guid;
    return NoError;
}

GSErrCode Modify(API_Attribute* attribute, const Definition& defs)
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    sim::Attribute* a = Lookup(attribute->header);
    if (a == nullptr)
        return APIERR_BADINDEX;
    TakeRecord(*a, *attribute);
    if (sim::CompositeValues* c = a->Composite(); c != nullptr && defs.given && defs.components != nullptr) {
        c->components = FromHandle(defs.components);
        c->lines = FromHandle(defs.lines);
    }
    attribute->header.index = sim::HostIndex(a->index);
    attribute->header.guid = a->guid;
    return NoError;
}

Definition Of(const API_AttributeDefExt* defs)
{
    return defs != nullptr ? Definition{true, defs->cwall_compItems, defs->cwall_compLItems} : Definition{};
}

} // namespace sim::attributes

GSErrCode ACAPI_Attribute_CreateExt(API_Attribute* attribute, API_AttributeDefExt* defs)
{
    SIM_ENTER("ACAPI_Attribute_CreateExt");
    return sim::attributes::Create(attribute, sim::attributes::Of(defs));
}

GSErrCode ACAPI_Attribute_ModifyExt(API_Attribute* attribute, API_AttributeDefExt* defs)
{
    SIM_ENTER("ACAPI_Attribute_ModifyExt");
    return sim::attributes::Modify(attribute, sim::attributes::Of(defs));
}

GSErrCode ACAPI_Attribute_GetDefExt(API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDefExt* defs)
{
    SIM_ENTER("ACAPI_Attribute_GetDefExt");
    if (defs == nullptr)
        return APIERR_BADPARS;
    sim::Attribute* a = sim::FindAttribute(Store(), typeID, sim::IndexOf(index));
    if (a == nullptr)
        return APIERR_BADINDEX;
    std::memset(defs, 0, sizeof(API_AttributeDefExt));
    if (const sim::CompositeValues* c = a->Composite()) {
        // Both handles or none: out of memory (or a throwing allocation) leaves nothing behind.
        auto components = ToHandle(c->components);
        API_CWallLineComponent** lines = nullptr;
        try {
            lines = ToHandle(c->lines);
        } catch (...) {
            BMKillHandle(reinterpret_cast<GSHandle*>(&components));
            throw;
        }
        if (components == nullptr || lines == nullptr) {
            BMKillHandle(reinterpret_cast<GSHandle*>(&components));
            BMKillHandle(reinterpret_cast<GSHandle*>(&lines));
            return APIERR_MEMFULL;
        }
        defs->cwall_compItems = components;
        defs->cwall_compLItems = lines;
    }
    if (const sim::ProfileValues* profile = a->Profile())
        defs->profile_vectorImageItems = new ProfileVectorImage(profile->records);
    return NoError;
}

GSErrCode ACAPI_DisposeAttrDefsHdlsExt(API_AttributeDefExt* defs)
{
    SIM_ENTER("ACAPI_DisposeAttrDefsHdlsExt");
    if (defs == nullptr)
        return APIERR_BADPARS;
    BMKillHandle(reinterpret_cast<GSHandle*>(&defs->cwall_compItems));
    BMKillHandle(reinterpret_cast<GSHandle*>(&defs->cwall_compLItems));
    delete defs->profile_vectorImageItems;
    defs->profile_vectorImageItems = nullptr;
    return NoError;
}

GSErrCode ACAPI_Attribute_GetDef(API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDef* defs)
{
    SIM_ENTER("ACAPI_Attribute_GetDef");
    if (defs == nullptr)
        return APIERR_BADPARS;
    sim::Attribute* a = sim::FindAttribute(Store(), typeID, sim::IndexOf(index));
    if (a == nullptr)
        return APIERR_BADINDEX;
    std::memset(defs, 0, sizeof(API_AttributeDef));
    if (const sim::CompositeValues* c = a->Composite()) {
        defs->cwall_compItems = ToHandle(c->components);
        if (defs->cwall_compItems == nullptr)
            return APIERR_MEMFULL;
        if (API_CWallLineComponent*** lines = sim::LinesOf(*defs)) {
            *lines = ToHandle(c->lines);
            if (*lines == nullptr) {
                BMKillHandle(reinterpret_cast<GSHandle*>(&defs->cwall_compItems));
                return APIERR_MEMFULL;
            }
        }
    }
    return NoError;
}

GSErrCode ACAPI_DisposeAttrDefsHdls(API_AttributeDef* defs)
{
    SIM_ENTER("ACAPI_DisposeAttrDefsHdls");
    if (defs == nullptr)
        return APIERR_BADPARS;
    BMKillHandle(reinterpret_cast<GSHandle*>(&defs->cwall_compItems));
    if (API_CWallLineComponent*** lines = sim::LinesOf(*defs))
        BMKillHandle(reinterpret_cast<GSHandle*>(lines));
    return NoError;
}
