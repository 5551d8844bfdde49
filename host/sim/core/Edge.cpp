// The type codes whose names both generations share, and the stand-alone host's own kinds.
#include "Edge.hpp"

#include "EdgeTables.hpp"

namespace sim {

namespace {

const std::pair<ElemKind, API_ElemTypeID> elemKinds[] = {
    {ElemKind::wall, API_WallID},  {ElemKind::column, API_ColumnID},
    {ElemKind::beam, API_BeamID},  {ElemKind::window, API_WindowID},
    {ElemKind::door, API_DoorID},  {ElemKind::object, API_ObjectID},
    {ElemKind::lamp, API_LampID},  {ElemKind::slab, API_SlabID},
    {ElemKind::roof, API_RoofID},  {ElemKind::curtainWall, API_CurtainWallID},
    {ElemKind::stair, API_StairID}};

const std::pair<StructureKind, API_ModelElemStructureType> structureKinds[] = {
    {StructureKind::basic, API_BasicStructure},
    {StructureKind::composite, API_CompositeStructure},
    {StructureKind::profile, API_ProfileStructure}};

const std::pair<ParamType, API_AddParID> paramTypes[] = {
    {ParamType::integer, APIParT_Integer},     {ParamType::length, APIParT_Length},
    {ParamType::angle, APIParT_Angle},         {ParamType::real, APIParT_RealNum},
    {ParamType::lineType, APIParT_LineTyp},    {ParamType::material, APIParT_Mater},
    {ParamType::fill, APIParT_FillPat},        {ParamType::pen, APIParT_PenCol},
    {ParamType::text, APIParT_CString},        {ParamType::boolean, APIParT_Boolean},
    {ParamType::separator, APIParT_Separator}, {ParamType::title, APIParT_Title}};

const std::pair<PartKind, API_LibTypeID> partKinds[] = {{PartKind::object, APILib_ObjectID},
                                                        {PartKind::window, APILib_WindowID},
                                                        {PartKind::door, APILib_DoorID},
                                                        {PartKind::lamp, APILib_LampID}};

const std::pair<DatabaseKind, DatabaseTypeId> databaseKinds[] = {{DatabaseKind::floorPlan, APIWind_FloorPlanID},
                                                                 {DatabaseKind::section, APIWind_SectionID},
                                                                 {DatabaseKind::layout, APIWind_LayoutID}};

} // namespace

Attribute* FindAttribute(AttributeStore& store, API_AttrTypeID type, AttrIndex index)
{
    std::optional<AttrKind> kind = KindOf(type);
    return kind ? store.Find(*kind, index) : nullptr;
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
    return HostOf(structureKinds, kind, API_BasicStructure);
}

std::optional<StructureKind> KindOf(API_ModelElemStructureType type)
{
    return OwnOf(structureKinds, type);
}

API_AddParID TypeIdOf(ParamType type)
{
    return HostOf(paramTypes, type, APIParT_CString);
}

ParamType TypeOf(API_AddParID type)
{
    return OwnOf(paramTypes, type).value_or(ParamType::text); // a code no part file writes: kept as text
}

API_LibTypeID TypeIdOf(PartKind kind)
{
    return HostOf(partKinds, kind, APILib_ObjectID);
}

DatabaseTypeId TypeIdOf(DatabaseKind kind)
{
    return HostOf(databaseKinds, kind, APIWind_FloorPlanID);
}

std::optional<DatabaseKind> KindOf(DatabaseTypeId type)
{
    return OwnOf(databaseKinds, type);
}

} // namespace sim
