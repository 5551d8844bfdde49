#pragma once
// IFCAPI::ObjectID: which IFC object (an element's) a property accessor reads.
#include "API_Guid.h"
#include "GS/Types.hpp"

namespace IFCAPI {

class ObjectAccessor;

class ObjectID {
public:
    bool operator==(const ObjectID& other) const { return element == other.element; }
    bool operator!=(const ObjectID& other) const { return !(*this == other); }
    ULong GenerateHashValue() const { return static_cast<ULong>(std::hash<API_Guid>()(element)); }

private:
    friend class ObjectAccessor;
    friend class PropertyAccessor;
    explicit ObjectID(const API_Guid& element) : element(element) {}
    API_Guid element;
};

} // namespace IFCAPI
