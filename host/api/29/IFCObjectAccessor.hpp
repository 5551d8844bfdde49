#pragma once
// IFCAPI: the IFC data of the project's elements. Every call needs the host's IFC add-on
// (APIERR_MODULNOTINSTALLED otherwise).
#include "APIdefs_Elements.h"
#include "IFCObjectID.hpp"
#include "Result.hpp"

namespace IFCAPI {

class ObjectAccessor;
ObjectAccessor GetObjectAccessor();

class ObjectAccessor {
public:
    // The IFC object of the element in the head (only its guid is read); APIERR_BADPARS for
    // an element the project does not have.
    ACAPI::Result<ObjectID> CreateElementObjectID(const API_Elem_Head& elementHead) const;

private:
    ObjectAccessor() = default;
    friend ObjectAccessor GetObjectAccessor();
};

inline ObjectAccessor GetObjectAccessor()
{
    return ObjectAccessor();
}

} // namespace IFCAPI
