#pragma once
// Elements in creation order: a head every element has (guid, kind, user data,
// classification, properties, IFC attributes, observer, the library part it is placed
// from) and one payload per element kind. Look-ups by guid take constant time. The
// records are the stand-alone host's own; each generation's entry points turn them into
// that generation's records.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "API_Guid.h"
#include "Annotations.hpp"
#include "AttributeStore.hpp"
#include "GuidHash.hpp"

namespace sim {

// The element kinds the stand-alone host keeps.
enum class ElemKind { wall, column, beam, window, door, object, lamp, slab, roof, curtainWall, stair };

// What an element (or a segment of one) is built of.
enum class StructureKind { basic, composite, profile };
struct Structure {
    StructureKind kind = StructureKind::basic;
    AttrIndex composite = 0;
    AttrIndex buildingMaterial = 0;
    AttrIndex profile = 0;
    double thickness = 0;
};
struct Segment {
    StructureKind kind = StructureKind::basic;
    AttrIndex buildingMaterial = 0;
    AttrIndex profile = 0;
};
struct Box3D {
    double xMin = 0, yMin = 0, zMin = 0, xMax = 0, yMax = 0, zMax = 0;
};

// Walls, slabs and roofs: what they are built of (a wall also its kind and end thickness).
struct ShellPayload {
    Structure structure;
    short kind = 0;          // walls: the wall kind's code (5: measured by surface)
    double thicknessEnd = 0; // walls: the thickness at the other end
};
// Columns and beams: their segments.
struct MemberPayload {
    std::vector<Segment> segments;
};
// Windows, doors and objects (their library part is in the head): the 3D box, and the
// type of element an object stands in for (the host's type code, the same in every
// generation).
struct PlacedPayload {
    bool hasBox = false;
    Box3D box;
    Int32 relatedType = 0;
};
// Curtain walls and stairs: nothing beyond the head and the quantities.
struct NoPayload {};

using ElementPayload = std::variant<NoPayload, ShellPayload, MemberPayload, PlacedPayload>;

// The quantities the host reports for an element, given outright (no geometry engine).
struct ElementQuantities {
    double volume = 0, surface = 0, area = 0, length = 0, height = 0, width = 0;
    std::vector<double> surfaces;
};

struct Element : Annotations {
    // head
    ElemKind kind = ElemKind::wall;
    API_Guid guid{};
    short floor = 0;
    std::vector<std::pair<std::string, std::string>> ifcAttributes; // name, value, in order
    bool observed = false;
    std::string libraryPart; // unique id of the library part it is placed from
    ElementQuantities quantities;
    // payload
    ElementPayload payload;

    ShellPayload* Shell() { return std::get_if<ShellPayload>(&payload); }
    const ShellPayload* Shell() const { return std::get_if<ShellPayload>(&payload); }
    MemberPayload* Member() { return std::get_if<MemberPayload>(&payload); }
    const MemberPayload* Member() const { return std::get_if<MemberPayload>(&payload); }
    PlacedPayload* Placed() { return std::get_if<PlacedPayload>(&payload); }
    const PlacedPayload* Placed() const { return std::get_if<PlacedPayload>(&payload); }
    // The IFC attribute "Name", or nothing.
    const std::string* IfcName() const;
};

// The payload an element of that kind carries.
ElementPayload PayloadFor(ElemKind kind);
// Whether elements of that kind are placed from a library part.
bool IsPlacedFromLibraryPart(ElemKind kind);

class ElementStore {
public:
    Element* Find(const API_Guid& guid);
    const Element* Find(const API_Guid& guid) const;
    std::size_t Count() const { return order.size(); }

    // Appends the element; the caller has checked that its guid is free.
    Element& Add(Element element);
    bool Remove(const API_Guid& guid);

    // Visits the elements in creation order.
    template <typename F> void ForEach(F visit) const
    {
        for (const auto& e : order)
            visit(*e);
    }
    // Visits the elements of one kind in creation order.
    template <typename F> void ForEachOfKind(ElemKind kind, F visit) const
    {
        auto it = byKind.find(kind);
        if (it != byKind.end())
            for (const Element* e : it->second)
                visit(*e);
    }

private:
    std::vector<std::unique_ptr<Element>> order;
    std::map<ElemKind, std::vector<Element*>> byKind;
    std::unordered_map<API_Guid, Element*> byGuid;
};

} // namespace sim
