#pragma once
// Which attribute of the project: its kind and its index, as the add-on orders, hashes and
// prints them, whatever the host generation makes of an attribute index.
#include <cstddef>
#include <functional>
#include <string>

#include "GS/Types.hpp"

namespace KRV::port {

enum class AttrType { buildingMaterial, composite, profile };

class AttrRef {
public:
    AttrRef() = default;
    AttrRef(AttrType type, Int32 index) : type(type), index(index) {}
    AttrType Type() const { return type; }
    Int32 Index() const { return index; }
    // Index 0 names no attribute.
    bool IsNone() const { return index == 0; }
    // "building material 3", "composite 1", "profile 2".
    std::string ToString() const;

    friend bool operator==(const AttrRef& a, const AttrRef& b) { return a.type == b.type && a.index == b.index; }
    friend bool operator!=(const AttrRef& a, const AttrRef& b) { return !(a == b); }
    friend bool operator<(const AttrRef& a, const AttrRef& b)
    {
        return a.type != b.type ? a.type < b.type : a.index < b.index;
    }

private:
    AttrType type = AttrType::buildingMaterial;
    Int32 index = 0;
};

} // namespace KRV::port

template <> struct std::hash<KRV::port::AttrRef> {
    std::size_t operator()(const KRV::port::AttrRef& ref) const noexcept
    {
        return (static_cast<std::size_t>(ref.Type()) << 32) ^ static_cast<std::uint32_t>(ref.Index());
    }
};
