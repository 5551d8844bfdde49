#pragma once
// The project's elements as the add-on reads and changes them: kinds of its own, what walls,
// slabs and roofs are built of, columns' and beams' segments, quantities, lists, observers
// and the element events the host sends.
#include <functional>
#include <optional>
#include <string>

#include "API_Guid.h"
#include "GS/Array.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

// `any` in a list asks for every kind; an element of a kind the add-on has no name for is
// `other` (its host type stays in ElemHead::hostType, for names and debug lines).
enum class ElemKind { any, wall, column, beam, window, door, object, slab, roof, curtainWall, stair, other };

struct ElemHead {
    API_Guid guid{};
    ElemKind kind = ElemKind::any;
    Int32 hostType = 0;
};

// Walls, slabs and roofs are built of a composite, a building material or a profile, in the
// order the add-on walks them.
constexpr ElemKind shellKinds[] = {ElemKind::wall, ElemKind::slab, ElemKind::roof};
constexpr bool IsShell(ElemKind kind)
{
    return kind == ElemKind::wall || kind == ElemKind::slab || kind == ElemKind::roof;
}

enum class Structure { basic, composite, profile };

struct ShellStructure {
    Structure structure = Structure::basic;
    Int32 composite = 0;
    Int32 buildingMaterial = 0;
    Int32 profile = 0;
    double thickness = 0.0; // a wall's at its start
};

struct Element {
    ElemHead head;
    ShellStructure shell;          // walls, slabs, roofs
    short wallType = 0;            // walls: their kind's code
    double wallThicknessEnd = 0.0; // walls
    Int32 libraryPart = 0;         // windows, doors, objects: the index of the part placed
    Int32 standsFor = 0;           // objects: the host type of the element one stands in for (0: none)
};

// What a column's or beam's segment is built of.
struct SegmentStructure {
    Structure structure = Structure::basic;
    Int32 buildingMaterial = 0;
    Int32 profile = 0;
};

// The quantities the take-off reads; each kind fills its own.
struct Quantities {
    double volume = 0.0;
    double surface = 0.0; // walls (the kind measured by it), windows, doors
    double area = 0.0;    // curtain walls
    double length = 0.0;  // beams
    double height = 0.0;  // columns, windows, doors
    double width = 0.0;   // windows, doors
    double sides[5] = {}; // a column's two surfaces, a beam's five
};

struct Bounds3D {
    double xMin = 0, yMin = 0, zMin = 0;
    double xMax = 0, yMax = 0, zMax = 0;
};

// List filters, to combine.
constexpr UInt32 editableOnly = 0x0002;
constexpr UInt32 onVisibleLayers = 0x0008;

extern const char* const elementListCall;
extern const char* const getElementCall;
extern const char* const changeElementCall;
extern const char* const quantitiesCall;
extern const char* const bounds3DCall;
extern const char* const segmentsCall;
extern const char* const attachObserverCall;
extern const char* const parentElementCall;
extern const char* const elementTypeNameCall;
extern const char* const elementPartIdCall;
extern const char* const elementInfoCall;

// Every element of the kind (`any`: of every kind), in creation order.
GSErrCode ElementList(ElemKind kind, GS::Array<API_Guid>& elements, UInt32 filter = 0);
GSErrCode GetElement(const API_Guid& guid, Element& element);
// The wall, slab or roof built of the composite `composite`, undoable: to run inside a command.
GSErrCode ChangeShellComposite(const Element& element, Int32 composite);
GSErrCode ElementQuantities(const ElemHead& element, Quantities& quantities);
// hosterr::no3D when the element has no 3D model.
GSErrCode ElementBounds(const ElemHead& element, Bounds3D& bounds);
// Hands a column's or beam's first segment (none when it has no segment) to `visit` while the
// host's memo of it is held; not called when the memo cannot be read.
GSErrCode WithFirstSegment(const ElemHead& element,
                           const std::function<void(const std::optional<SegmentStructure>& segment)>& visit);
GSErrCode AttachObserver(const API_Guid& element);
// The element the one of the current event was made from; hosterr::badId when there is none.
GSErrCode ParentElement(API_Guid& parent);
// The host's name for the element's type; hosterr::badElementType for a type it has none for.
GSErrCode ElementTypeName(const ElemHead& element, GS::UniString& name);
// The unique id of the library part the element is placed from; hosterr::badElementType for
// an element not placed from one.
GSErrCode ElementLibraryPartId(const ElemHead& element, std::string& uniqueId);
// The host's one-line description of the element (for debug lines).
GSErrCode ElementInfoString(const API_Guid& element, GS::UniString& info);

// An element event: what happened, to which element, in which database.
enum class ElementEventCode {
    beginEvents,
    endEvents,
    created,
    copied,
    changed,
    edited,
    deleted,
    undoCreated,
    undoModified,
    undoDeleted,
    redoCreated,
    redoModified,
    redoDeleted,
    propertyValueChanged,
    classificationChanged,
    other
};
struct ElementEvent {
    ElementEventCode code = ElementEventCode::other;
    ElemHead element;
    API_Guid database{};
};
using ElementEventHandler = GSErrCode (*)(const ElementEvent& event);
// The handler gets the events of new elements and of the elements the add-on observes.
void InstallElementEventHandler(ElementEventHandler handler);

} // namespace KRV::port
