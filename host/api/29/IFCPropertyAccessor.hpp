#pragma once
// IFCAPI::PropertyAccessor: the IFC attributes of an object.
#include <vector>

#include "IFCAttribute.hpp"
#include "IFCObjectID.hpp"
#include "Result.hpp"

namespace IFCAPI {

class PropertyAccessor {
public:
    PropertyAccessor(const IFCAPI::ObjectID& objectID) : objectID(objectID) {}
    // APIERR_BADID for an object the project no longer has.
    ACAPI::Result<std::vector<Attribute>> GetAttributes() const;

private:
    ObjectID objectID;
};

} // namespace IFCAPI
