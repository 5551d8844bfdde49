#pragma once
// What walls, slabs and roofs are built of, read once per request, and which elements use a composite.
#include <optional>
#include <type_traits>
#include <vector>

#include "API_Guid.h"
#include "Elements.hpp"

namespace KRV {

// What a wall, slab or roof is built of; nothing for other elements or a failed read (logged).
std::optional<port::ShellStructure> StructureOf(const API_Guid& element);

// What the take-off needs of a wall, slab or roof besides its quantities.
struct ShellFacts {
    port::ElemKind kind = port::ElemKind::any;
    port::ShellStructure structure;
    short wallType = 0;
    double wallThicknessEnd = 0;

    // Whether it is measured by its surface rather than its volume (a kind of wall).
    bool MeasuredBySurface() const { return kind == port::ElemKind::wall && wallType == 5; }
    // Its thickness: a wall's is the mean of its two ends.
    double Thickness() const
    {
        return kind == port::ElemKind::wall ? (structure.thickness + wallThicknessEnd) * 0.5 : structure.thickness;
    }
};
ShellFacts FactsOf(const port::Element& element);

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
GSErrCode ElementsBuiltOf(Int32 composite, bool visibleOnly, const char* where, std::vector<API_Guid>& elements);
// The element is now built of the composite `to` instead of `from`.
void CompositeChanged(const API_Guid& element, Int32 from, Int32 to);

} // namespace KRV
