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

} // namespace

std::optional<AttrKind> KindOf(API_AttrTypeID type)
{
    for (const auto& [kind, id] : attrKinds)
        if (id == type)
            return kind;
    return std::nullopt;
}

API_AttrTypeID TypeIdOf(AttrKind kind)
{
    for (const auto& [own, id] : attrKinds)
        if (own == kind)
            return id;
    return API_ZombieAttrID; // a kind generation 26 does not have
}

Attribute* FindAttribute(AttributeStore& store, API_AttrTypeID type, API_AttributeIndex index)
{
    std::optional<AttrKind> kind = KindOf(type);
    return kind ? store.Find(*kind, index) : nullptr;
}

} // namespace sim
