// Generation 26's attribute calls whose parameters generation 29 changed.
#include "AttributeCalls.hpp"
#include "Host.hpp"

GSErrCode ACAPI_Attribute_GetNum(API_AttrTypeID typeID, API_AttributeIndex* count)
{
    SIM_ENTER("ACAPI_Attribute_GetNum");
    if (count == nullptr)
        return APIERR_BADPARS;
    *count = static_cast<API_AttributeIndex>(sim::attributes::Count(typeID));
    return NoError;
}

GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, API_AttributeDefExt* defs)
{
    SIM_ENTER("ACAPI_Attribute_Create");
    return sim::attributes::Create(attribute, sim::attributes::Of(defs));
}

GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, API_AttributeDefExt* defs)
{
    SIM_ENTER("ACAPI_Attribute_Modify");
    return sim::attributes::Modify(attribute, sim::attributes::Of(defs));
}
