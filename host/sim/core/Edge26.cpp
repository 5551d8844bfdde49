// The generation-26 type codes and the stand-alone host's own kinds.
#include "Edge.hpp"

#include <utility>

namespace sim {

namespace {

const std::pair<AttrKind, API_AttrTypeID> attrKinds[] = {{AttrKind::pen, API_PenID},
                                                         {AttrKind::layer, API_LayerID},
                                                         {AttrKind::line, API_LinetypeID},
                                                         {AttrKind::fill, API_FilltypeID},
                                                         {AttrKind::composite, API_CompWallID},
                                                         {AttrKind::surface, API_MaterialID},
                                                         {AttrKind::zoneCategory, API_ZoneCatID},
                                                         {AttrKind::profile, API_ProfileID},
                                                         {AttrKind::buildingMaterial, API_BuildingMaterialID}};

const std::pair<ElemKind, API_ElemTypeID> elemKinds[] = {
    {ElemKind::wall, API_WallID},  {ElemKind::column, API_ColumnID},
    {ElemKind::beam, API_BeamID},  {ElemKind::window, API_WindowID},
    {ElemKind::door, API_DoorID},  {ElemKind::object, API_ObjectID},
    {ElemKind::lamp, API_LampID},  {ElemKind::slab, API_SlabID},
    {ElemKind::roof, API_RoofID},  {ElemKind::curtainWall, API_CurtainWallID},
    {ElemKind::stair, API_StairID}};

template <typename Own, typename Host, std::size_t N>
std::optional<Own> OwnOf(const std::pair<Own, Host> (&table)[N], Host code)
{
    for (const auto& [own, id] : table)
        if (id == code)
            return own;
    return std::nullopt;
}

template <typename Own, typename Host, std::size_t N>
Host HostOf(const std::pair<Own, Host> (&table)[N], Own kind, Host none)
{
    for (const auto& [own, id] : table)
        if (own == kind)
            return id;
    return none;
}

} // namespace

std::optional<AttrKind> KindOf(API_AttrTypeID type)
{
    return OwnOf(attrKinds, type);
}

API_AttrTypeID TypeIdOf(AttrKind kind)
{
    return HostOf(attrKinds, kind, API_ZombieAttrID); // zombie: a kind generation 26 does not have
}

std::optional<ElemKind> KindOf(API_ElemTypeID type)
{
    return OwnOf(elemKinds, type);
}

API_ElemTypeID TypeIdOf(ElemKind kind)
{
    return HostOf(elemKinds, kind, API_ZombieElemID);
}

API_ModelElemStructureType TypeIdOf(StructureKind kind)
{
    return kind == StructureKind::composite ? API_CompositeStructure
           : kind == StructureKind::profile ? API_ProfileStructure
                                            : API_BasicStructure;
}

StructureKind KindOf(API_ModelElemStructureType type)
{
    return type == API_CompositeStructure ? StructureKind::composite
           : type == API_ProfileStructure ? StructureKind::profile
                                          : StructureKind::basic;
}

Attribute* FindAttribute(AttributeStore& store, API_AttrTypeID type, API_AttributeIndex index)
{
    std::optional<AttrKind> kind = KindOf(type);
    return kind ? store.Find(*kind, index) : nullptr;
}

} // namespace sim
