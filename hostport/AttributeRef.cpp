// How an attribute reference prints.
#include "AttributeRef.hpp"

namespace KRV::port {

std::string AttrRef::ToString() const
{
    const char* kind = type == AttrType::composite ? "composite"
                       : type == AttrType::profile ? "profile"
                                                   : "building material";
    return std::string(kind) + " " + std::to_string(index);
}

} // namespace KRV::port
