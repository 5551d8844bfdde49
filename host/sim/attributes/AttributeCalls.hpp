#pragma once
// The attribute calls whose name or parameters differ between generations: one
// implementation, which each generation's entry points call.
#include "APIdefs_Attributes.h"

namespace sim::attributes {

// What a create or modify is given of a composite's definition.
struct Definition {
    bool given = false;
    API_CWallComponent** components = nullptr;
    API_CWallLineComponent** lines = nullptr;
};
Definition Of(const API_AttributeDefExt* defs);

GSErrCode Get(API_Attribute* attribute);
UInt32 Count(API_AttrTypeID typeID);
GSErrCode Create(API_Attribute* attribute, const Definition& defs);
GSErrCode Modify(API_Attribute* attribute, const Definition& defs);

} // namespace sim::attributes
