#pragma once
// What walls, slabs and roofs are built of, read once per request, and which elements use a composite.
#include <optional>
#include <type_traits>
#include <vector>

#include "APIdefs_Elements.h"

namespace KRV {

// The element types built of a composite, a building material or a profile, in the order
// the add-on walks them.
constexpr API_ElemTypeID shellTypes[] = {API_WallID, API_SlabID, API_RoofID};
constexpr bool IsShell(API_ElemTypeID type)
{
    return type == API_WallID || type == API_SlabID || type == API_RoofID;
}

// Calls `visit` with the part of a wall's, slab's or roof's record that says what it is
// built of (the wall, the slab, the roof's shell base) and answers what it answers;
// `otherwise` for any other element. The one place that knows where those fields are.
template <class Element, class Visit, class Result> Result WithShell(Element& element, Visit&& visit, Result otherwise)
{
    switch (element.header.typeID) {
    case API_WallID:
        return visit(element.wall);
    case API_SlabID:
        return visit(element.slab);
    case API_RoofID:
        return visit(element.roof.shellBase);
    default:
        return otherwise;
    }
}

// What a wall, slab or roof is built of; nothing for other elements or a failed read (logged).
std::optional<API_ElemStructure> StructureOf(const API_Guid& element);

// What the take-off needs of a wall, slab or roof besides its quantities.
struct ShellFacts {
    API_ElemTypeID type = API_ZombieElemID;
    API_ElemStructure structure{};
    short wallType = 0;
    double wallThicknessEnd = 0;

    // Whether it is measured by its surface rather than its volume (a kind of wall).
    bool MeasuredBySurface() const { return type == API_WallID && wallType == 5; }
    // Its thickness: a wall's is the mean of its two ends.
    double Thickness() const
    {
        return type == API_WallID ? (structure.thickness + wallThicknessEnd) * 0.5 : structure.thickness;
    }
};
ShellFacts FactsOf(const API_Element& element);

// While one lives, the walls, slabs and roofs StructureOf reads are kept, so a later pass
// of the same request (the take-off after the refresh) does not read them again: nothing
// changes what they are built of in between. Scopes nest.
class ShellFactsScope {
public:
    ShellFactsScope();
    ~ShellFactsScope();
    ShellFactsScope(const ShellFactsScope&) = delete;
    ShellFactsScope& operator=(const ShellFactsScope&) = delete;
};
// What a scope kept of the element; null without a scope or when it was not read.
const ShellFacts* KnownShell(const API_Guid& element);

// While one lives, which walls, slabs and roofs are built of which composite is read from
// the host once (the first time it is asked), and kept up to date through CompositeChanged:
// within one request only the add-on changes what elements are built of. Scopes nest;
// outside any, every question reads the elements.
class CompositeUseScope {
public:
    CompositeUseScope();
    ~CompositeUseScope();
    CompositeUseScope(const CompositeUseScope&) = delete;
    CompositeUseScope& operator=(const CompositeUseScope&) = delete;
};

// The walls, slabs and roofs built of the composite (`visibleOnly`: only those on visible
// layers), in the host's order. A failed read is logged with `where` and answered.
GSErrCode ElementsBuiltOf(API_AttributeIndex composite, bool visibleOnly, const char* where,
                          std::vector<API_Guid>& elements);
// The element is now built of the composite `to` instead of `from`.
void CompositeChanged(const API_Guid& element, API_AttributeIndex from, API_AttributeIndex to);

} // namespace KRV
