// The generation-26 type codes and records, and the stand-alone host's own kinds.
#include "Edge.hpp"

#include <cstring>

#include "BM.h"
#include "EdgeTables.hpp"
#include "RecordFields.hpp"

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
    return OwnOf(attrKinds, type);
}

API_AttrTypeID TypeIdOf(AttrKind kind)
{
    return HostOf(attrKinds, kind, API_ZombieAttrID); // zombie: a kind generation 26 does not have
}

AttrIndex IndexOf(const API_AttributeIndex& index)
{
    return index;
}

API_AttributeIndex HostIndex(AttrIndex index)
{
    return index;
}

API_CWallComponent ToHost(const CompositeComponent& c)
{
    return API_CWallComponent{c.buildingMaterial, c.framePen, c.flagBits, c.fillThick};
}

CompositeComponent FromHost(const API_CWallComponent& c)
{
    return CompositeComponent{c.buildingMaterial, c.framePen, c.flagBits, c.fillThick};
}

API_CWallLineComponent ToHost(const CompositeLine& l)
{
    return API_CWallLineComponent{static_cast<short>(l.ltypeInd), l.linePen, l.lineType, 0};
}

CompositeLine FromHost(const API_CWallLineComponent& l)
{
    return CompositeLine{l.ltypeInd, l.linePen, l.lineType};
}

void SetLineCount(API_CompWallType& composite, short lines)
{
    composite.nLines = lines;
}

API_CWallLineComponent*** LinesOf(API_AttributeDef& defs)
{
    return &defs.cwall_compLItems;
}

API_ElemTypeID TypeIdOf(const API_Elem_Head& head)
{
    return head.typeID;
}

void SetTypeId(API_Elem_Head& head, API_ElemTypeID type)
{
    head.typeID = type;
}

decltype(API_IFCTranslatorIdentifier::innerReference) TranslatorReference(Int32 number)
{
    return number;
}

void SetValueDescriptionFlag(API_AddParType& parameter, short flag)
{
    parameter.valueDescriptionFlag = flag;
}

short ValueDescriptionFlagOf(const API_AddParType& parameter)
{
    return parameter.valueDescriptionFlag;
}

LibPart::Details DetailsOf(const API_LibPartDetails& details)
{
    return {TextOf(details.thickParName), TextOf(details.leftOversizeParName), TextOf(details.rightOversizeParName),
            TextOf(details.upperOversizeParName), TextOf(details.lowerOversizeParName)};
}

void SetDatabase(API_Elem_Head& head, const API_Guid& database)
{
    head.databaseId = {database};
}

void SetWallKind(API_WallType& wall, short kind)
{
    wall.type = kind;
}

// Windows and doors share the object's record.
void SetPlacement(API_Element& element, ElemKind, Int32 libInd, Int32 relatedType)
{
    element.object.libInd = libInd;
    element.object.relatedElemType = relatedType;
}

bool AllocateSegments(API_ElementMemo& memo, ElemKind kind, std::size_t count)
{
    const std::size_t size = kind == ElemKind::column ? sizeof(API_ColumnSegmentType) : sizeof(API_BeamSegmentType);
    GSHandle h = BMAllocateHandle(static_cast<GSSize>(count * size), ALLOCATE_CLEAR, 0);
    if (h == nullptr)
        return false;
    if (kind == ElemKind::column)
        memo.columnSegments = reinterpret_cast<API_ColumnSegmentType**>(h);
    else
        memo.beamSegments = reinterpret_cast<API_BeamSegmentType**>(h);
    return true;
}

API_AssemblySegmentData* SegmentAt(API_ElementMemo& memo, ElemKind kind, std::size_t index)
{
    return kind == ElemKind::column ? &(*memo.columnSegments)[index].assemblySegmentData
                                    : &(*memo.beamSegments)[index].assemblySegmentData;
}

void DisposeSegments(API_ElementMemo& memo)
{
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo.columnSegments));
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo.beamSegments));
}

// One record serves every kind: each field holds its measure.
void FillQuantities(ElemKind, const ElementQuantities& q, API_ElementQuantity& out, const API_QuantitiesMask* mask)
{
    API_ElementQuantity all{};
    all.volume = q.volume;
    all.surface = q.surface;
    all.area = q.area;
    all.length = q.length;
    all.height = q.height;
    all.width = q.width;
    for (std::size_t i = 0; i < q.surfaces.size() && i < 5; ++i)
        all.surfaces[i] = q.surfaces[i];
    auto take = [&](double& target, const double& value, const double& marked) {
        if (mask == nullptr || Marked(marked))
            target = value;
    };
    const API_ElementQuantity* m = mask != nullptr ? &mask->elements : &all;
    take(out.volume, all.volume, m->volume);
    take(out.surface, all.surface, m->surface);
    take(out.area, all.area, m->area);
    take(out.length, all.length, m->length);
    take(out.height, all.height, m->height);
    take(out.width, all.width, m->width);
    for (int i = 0; i < 5; ++i)
        take(out.surfaces[i], all.surfaces[i], m->surfaces[i]);
}

API_IOParams FileParams(Int32 refCon, bool dropped, IO::Location* location)
{
    return API_IOParams{refCon, dropped ? IO_DROP : IO_OPEN, location};
}

API_IOMethod SupportedFlag(bool dropped)
{
    return dropped ? IO_DROP : IO_OPEN;
}

HostDateType HostDate(const EditionDate& date)
{
    return {date.year, date.month, date.day};
}

EditionDate DateOf(const HostDateType& date)
{
    return {date.year, date.month, date.day};
}

bool ValidDate(const HostDateType&)
{
    return true;
}

} // namespace sim
