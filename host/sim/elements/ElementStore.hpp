#pragma once
// Elements in creation order: a head every element has (guid, type, user data,
// classification, properties, IFC attributes, observer, the library part it is placed
// from) and one payload per element type. Look-ups by guid take constant time.
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "APIdefs_Elements.h"
#include "Annotations.hpp"
#include "GuidHash.hpp"

namespace sim {

// Walls, slabs and roofs: what they are built of (a wall also its kind and end thickness).
struct ShellPayload {
    API_ElemStructure structure{};
    short kind = 0;
    double thicknessEnd = 0; // walls: the thickness at the other end
};
// Columns and beams: their segments.
struct MemberPayload {
    std::vector<API_AssemblySegmentData> segments;
};
// Windows, doors and objects (their library part is in the head): the 3D box, and the
// type of element an object stands in for.
struct PlacedPayload {
    bool hasBox = false;
    API_Box3D box{};
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
    API_ElemTypeID type = API_ZombieElemID;
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

// The payload an element of that type carries.
ElementPayload PayloadFor(API_ElemTypeID type);
// Whether elements of that type are placed from a library part.
bool IsPlacedFromLibraryPart(API_ElemTypeID type);

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
    // Visits the elements of one type in creation order.
    template <typename F> void ForEachOfType(API_ElemTypeID type, F visit) const
    {
        auto it = byType.find(type);
        if (it != byType.end())
            for (const Element* e : it->second)
                visit(*e);
    }

private:
    std::vector<std::unique_ptr<Element>> order;
    std::unordered_map<Int32, std::vector<Element*>> byType;
    std::unordered_map<API_Guid, Element*> byGuid;
};

} // namespace sim
