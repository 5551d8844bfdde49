#pragma once
#include <optional>
#include <vector>

#include "APIdefs_Elements.h"

namespace KRV {

// What a wall, slab or roof is built of; nothing for other elements or a failed read (logged).
std::optional<API_ElemStructure> StructureOf(const API_Guid& element);

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
