#pragma once
// Where the entry points meet the stores: the host's type codes and records of one generation
// turned into the stand-alone host's own kinds and back. What both generations spell alike is
// in core/Edge.cpp; the rest in gen<N>/Edge.cpp.
#include <optional>

#include "APIdefs_Attributes.h"
#include "APIdefs_Classification.h"
#include "APIdefs_Elements.h"
#include "APIdefs_IFC.h"
#include "APIdefs_LibParts.h"
#include "APIdefs_Registration.h"
#include "AttributeStore.hpp"
#include "ClassificationStore.hpp"
#include "DatabaseStore.hpp"
#include "ElementStore.hpp"
#include "LibPartStore.hpp"

namespace sim {

// Nothing for a code the host does not know.
std::optional<AttrKind> KindOf(API_AttrTypeID type);
API_AttrTypeID TypeIdOf(AttrKind kind);
// The attribute of that type and index; nothing for a type the host does not know.
Attribute* FindAttribute(AttributeStore& store, API_AttrTypeID type, AttrIndex index);

// An attribute index as the store numbers it, and back.
AttrIndex IndexOf(const API_AttributeIndex& index);
API_AttributeIndex HostIndex(AttrIndex index);

// A composite's components and separator lines.
API_CWallComponent ToHost(const CompositeComponent& component);
CompositeComponent FromHost(const API_CWallComponent& component);
API_CWallLineComponent ToHost(const CompositeLine& line);
CompositeLine FromHost(const API_CWallLineComponent& line);
// The number of separator lines in a composite's record, where the generation has it.
void SetLineCount(API_CompWallType& composite, short lines);
// The separator lines' handle of a plain definition; null where the generation has none.
API_CWallLineComponent*** LinesOf(API_AttributeDef& defs);

std::optional<ElemKind> KindOf(API_ElemTypeID type);
API_ElemTypeID TypeIdOf(ElemKind kind);
// The type of the element in a head, and setting it.
API_ElemTypeID TypeIdOf(const API_Elem_Head& head);
void SetTypeId(API_Elem_Head& head, API_ElemTypeID type);
// The database an element is in, where the generation's head carries it.
void SetDatabase(API_Elem_Head& head, const API_Guid& database);
// A wall's kind code as the store keeps it.
void SetWallKind(API_WallType& wall, short kind);
// The library part an element is placed from (its index), and the type of the element an
// object stands in for (0: none), wherever the generation's records keep them.
void SetPlacement(API_Element& element, ElemKind kind, Int32 libInd, Int32 relatedType);
// A column's or beam's segment records in a memo: `count` zeroed records, then each one.
bool AllocateSegments(API_ElementMemo& memo, ElemKind kind, std::size_t count);
API_AssemblySegmentData* SegmentAt(API_ElementMemo& memo, ElemKind kind, std::size_t index);
void DisposeSegments(API_ElementMemo& memo);
// The element's quantities into the generation's record: what the mask asks for (everything
// without a mask).
void FillQuantities(ElemKind kind, const ElementQuantities& quantities, API_ElementQuantity& out,
                    const API_QuantitiesMask* mask);

API_ModelElemStructureType TypeIdOf(StructureKind kind);
std::optional<StructureKind> KindOf(API_ModelElemStructureType type);

API_AddParID TypeIdOf(ParamType type);
ParamType TypeOf(API_AddParID type);
API_LibTypeID TypeIdOf(PartKind kind);
// A parameter's value description flag, where the generation's record has one (0 where not).
void SetValueDescriptionFlag(API_AddParType& parameter, short flag);
short ValueDescriptionFlagOf(const API_AddParType& parameter);
// The details of a part's parameter section, as the store keeps them.
LibPart::Details DetailsOf(const API_LibPartDetails& details);

// A file arriving at the add-on's handler: dropped on the host, or opened through it; and the
// registration flag that lets a file type arrive that way.
API_IOParams FileParams(Int32 refCon, bool dropped, IO::Location* location);
API_IOMethod SupportedFlag(bool dropped);

// A classification system's edition date; whether the generation takes it (an invalid date
// is refused where the generation's record is a calendar date).
using HostDateType = decltype(API_ClassificationSystem::editionDate);
HostDateType HostDate(const EditionDate& date);
EditionDate DateOf(const HostDateType& date);
bool ValidDate(const HostDateType& date);

// What a translator carries for the host's own use.
decltype(API_IFCTranslatorIdentifier::innerReference) TranslatorReference(Int32 number);

using DatabaseTypeId = decltype(API_DatabaseInfo::typeID);
DatabaseTypeId TypeIdOf(DatabaseKind kind);
std::optional<DatabaseKind> KindOf(DatabaseTypeId type);

} // namespace sim
