// The generation-29 type codes and records, and the stand-alone host's own kinds.
#include "Edge.hpp"

#include <cstring>
#include <new>

#include "BM.h"
#include "EdgeTables.hpp"
#include "RecordFields.hpp"

namespace sim {

namespace {

// Generation 29 numbers the types anew and has no pen attributes.
const std::pair<AttrKind, API_AttrTypeID> attrKinds[] = {{AttrKind::layer, API_LayerID},
                                                         {AttrKind::line, API_LinetypeID},
                                                         {AttrKind::fill, API_FilltypeID},
                                                         {AttrKind::composite, API_CompWallID},
                                                         {AttrKind::surface, API_MaterialID},
                                                         {AttrKind::layerCombination, API_LayerCombID},
                                                         {AttrKind::zoneCategory, API_ZoneCatID},
                                                         {AttrKind::profile, API_ProfileID},
                                                         {AttrKind::penTable, API_PenTableID},
                                                         {AttrKind::mepSystem, API_MEPSystemID},
                                                         {AttrKind::operationProfile, API_OperationProfileID},
                                                         {AttrKind::buildingMaterial, API_BuildingMaterialID}};

} // namespace

std::optional<AttrKind> KindOf(API_AttrTypeID type)
{
    return OwnOf(attrKinds, type);
}

API_AttrTypeID TypeIdOf(AttrKind kind)
{
    return HostOf(attrKinds, kind, API_ZombieAttrID); // zombie: a kind generation 29 does not have
}

AttrIndex IndexOf(const API_AttributeIndex& index)
{
    return index.ToInt32_Deprecated();
}

API_AttributeIndex HostIndex(AttrIndex index)
{
    return ACAPI_CreateAttributeIndex(index);
}

API_CWallComponent ToHost(const CompositeComponent& c)
{
    return API_CWallComponent{HostIndex(c.buildingMaterial), c.framePen, c.flagBits, c.fillThick};
}

CompositeComponent FromHost(const API_CWallComponent& c)
{
    return CompositeComponent{IndexOf(c.buildingMaterial), c.framePen, c.flagBits, c.fillThick};
}

// Generation 29's line record has no line type of its own: the store's stays as it was stored.
API_CWallLineComponent ToHost(const CompositeLine& l)
{
    return API_CWallLineComponent{HostIndex(l.ltypeInd), l.linePen};
}

CompositeLine FromHost(const API_CWallLineComponent& l)
{
    return CompositeLine{IndexOf(l.ltypeInd), l.linePen, 0};
}

void SetLineCount(API_CompWallType&, short) {}

API_CWallLineComponent*** LinesOf(API_AttributeDef&)
{
    return nullptr;
}

API_ElemTypeID TypeIdOf(const API_Elem_Head& head)
{
    return head.type.typeID;
}

void SetTypeId(API_Elem_Head& head, API_ElemTypeID type)
{
    head.type = API_ElemType(type);
}

decltype(API_IFCTranslatorIdentifier::innerReference) TranslatorReference(Int32 number)
{
    (void)number; // the host's own handle: the stand-alone host has none
    return nullptr;
}

void SetValueDescriptionFlag(API_AddParType&, short) {}

short ValueDescriptionFlagOf(const API_AddParType&)
{
    return 0;
}

// Generation 29 has no oversize parameter names: a door's or window's details carry the
// expressions of its wall thickness and its four frames, which stand in their places.
LibPart::Details DetailsOf(const API_LibPartDetails& details)
{
    const API_LibPartDoorWindowDetails& d = details.wind;
    return {TextOf(d.mirThickExpr), TextOf(d.leftFramExpr), TextOf(d.righFramExpr), TextOf(d.topFramExpr),
            TextOf(d.botFramExpr)};
}

void SetDatabase(API_Elem_Head&, const API_Guid&) {}

// Generation 29 knows three geometry kinds of wall; a kind code of the store that is none of
// them (generation 26's kind 5, measured by its surface) is a normal wall here.
void SetWallKind(API_WallType& wall, short kind)
{
    wall.type = kind == 1 ? APIWtyp_Trapez : kind == 2 ? APIWtyp_Poly : APIWtyp_Normal;
}

// Windows and doors are openings with a record of their own; the type an object stands in for
// is its owner's type.
void SetPlacement(API_Element& element, ElemKind kind, Int32 libInd, Int32 relatedType)
{
    if (kind == ElemKind::window || kind == ElemKind::door) {
        element.window.openingBase.libInd = libInd;
        return;
    }
    element.object.libInd = libInd;
    element.object.ownerType = API_ElemType(static_cast<API_ElemTypeID>(relatedType));
}

// Segments come as arrays of the element's nSegments records (none: no array).
bool AllocateSegments(API_ElementMemo& memo, ElemKind kind, std::size_t count)
{
    if (count == 0)
        return true;
    if (kind == ElemKind::column)
        memo.columnSegments = new (std::nothrow) API_ColumnSegmentType[count]();
    else
        memo.beamSegments = new (std::nothrow) API_BeamSegmentType[count]();
    return kind == ElemKind::column ? memo.columnSegments != nullptr : memo.beamSegments != nullptr;
}

API_AssemblySegmentData* SegmentAt(API_ElementMemo& memo, ElemKind kind, std::size_t index)
{
    return kind == ElemKind::column ? &memo.columnSegments[index].assemblySegmentData
                                    : &memo.beamSegments[index].assemblySegmentData;
}

void DisposeSegments(API_ElementMemo& memo)
{
    delete[] memo.columnSegments;
    memo.columnSegments = nullptr;
    delete[] memo.beamSegments;
    memo.beamSegments = nullptr;
}

namespace {

double SurfaceAt(const ElementQuantities& q, std::size_t i)
{
    return i < q.surfaces.size() ? q.surfaces[i] : 0.0;
}

} // namespace

// A record per element kind: the store's measures go where the kind's record has them.
void FillQuantities(ElemKind kind, const ElementQuantities& q, API_ElementQuantity& out, const API_QuantitiesMask* mask)
{
    auto take = [&](double& target, double value, const double& marked) {
        if (mask == nullptr || Marked(marked))
            target = value;
    };
    static const API_ElementQuantityMask everything = [] {
        API_ElementQuantityMask m;
        std::memset(static_cast<void*>(&m), 0xFF, sizeof m);
        return m;
    }();
    const API_ElementQuantityMask& m = mask != nullptr ? mask->elements : everything;
    switch (kind) {
    case ElemKind::wall:
        take(out.wall.volume, q.volume, m.wall.volume);
        take(out.wall.surface1, q.surface, m.wall.surface1);
        take(out.wall.area, q.surface, m.wall.area);
        break;
    case ElemKind::column:
        take(out.column.minHeight, q.height, m.column.minHeight);
        take(out.column.maxHeight, q.height, m.column.maxHeight);
        take(out.column.coreSurface, SurfaceAt(q, 0), m.column.coreSurface);
        take(out.column.veneSurface, SurfaceAt(q, 1), m.column.veneSurface);
        take(out.column.coreVolume, q.volume, m.column.coreVolume);
        take(out.column.veneVolume, 0.0, m.column.veneVolume);
        break;
    case ElemKind::beam:
        take(out.beam.rightLength, q.length, m.beam.rightLength);
        take(out.beam.leftLength, q.length, m.beam.leftLength);
        take(out.beam.bottomSurface, SurfaceAt(q, 0), m.beam.bottomSurface);
        take(out.beam.topSurface, SurfaceAt(q, 1), m.beam.topSurface);
        take(out.beam.edgeSurfaceLeft, SurfaceAt(q, 2), m.beam.edgeSurfaceLeft);
        take(out.beam.edgeSurfaceRight, SurfaceAt(q, 3), m.beam.edgeSurfaceRight);
        take(out.beam.edgeSurface, SurfaceAt(q, 4), m.beam.edgeSurface);
        take(out.beam.volume, q.volume, m.beam.volume);
        break;
    case ElemKind::window:
    case ElemKind::door:
        take(out.window.width1, q.width, m.window.width1);
        take(out.window.width2, q.width, m.window.width2);
        take(out.window.height1, q.height, m.window.height1);
        take(out.window.height2, q.height, m.window.height2);
        take(out.window.surface, q.surface, m.window.surface);
        take(out.window.volume, q.volume, m.window.volume);
        break;
    case ElemKind::slab:
        take(out.slab.volume, q.volume, m.slab.volume);
        break;
    case ElemKind::roof:
        take(out.roof.volume, q.volume, m.roof.volume);
        break;
    case ElemKind::curtainWall:
        take(out.cw.contourSurface, q.area, m.cw.contourSurface);
        take(out.cw.length, q.length, m.cw.length);
        take(out.cw.height, q.height, m.cw.height);
        break;
    case ElemKind::stair:
        take(out.stair.volume, q.volume, m.stair.volume);
        take(out.stair.area, q.area, m.stair.area);
        take(out.stair.height, q.height, m.stair.height);
        break;
    default:
        break;
    }
}

// A file dropped on a drawing window arrives as a merge, marked as dragged and dropped.
API_IOParams FileParams(Int32 refCon, bool dropped, IO::Location* location)
{
    API_IOParams params{};
    params.refCon = static_cast<short>(refCon);
    params.method = dropped ? IO_MERGE : IO_OPEN;
    params.fileLoc = location;
    params.fromDragDrop = dropped;
    return params;
}

API_IOMethod SupportedFlag(bool dropped)
{
    return dropped ? Merge2DSupported : Open2DSupported;
}

HostDateType HostDate(const EditionDate& date)
{
    return std::chrono::year_month_day{std::chrono::year{date.year},
                                       std::chrono::month{static_cast<unsigned>(date.month)},
                                       std::chrono::day{static_cast<unsigned>(date.day)}};
}

EditionDate DateOf(const HostDateType& date)
{
    return {static_cast<short>(static_cast<int>(date.year())), static_cast<short>(static_cast<unsigned>(date.month())),
            static_cast<short>(static_cast<unsigned>(date.day()))};
}

bool ValidDate(const HostDateType& date)
{
    return date.ok();
}

} // namespace sim
