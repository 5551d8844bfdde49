// Generation 29's attribute calls whose parameters differ from generation 26's.
#include "AttributeCalls.hpp"
#include "Host.hpp"

GSErrCode ACAPI_Attribute_GetNum(API_AttrTypeID typeID, UInt32& count)
{
    SIM_ENTER("ACAPI_Attribute_GetNum");
    count = sim::attributes::Count(typeID);
    return NoError;
}

namespace {

// A plain definition has the components, no separator lines.
sim::attributes::Definition Of(const API_AttributeDef* defs)
{
    return defs != nullptr ? sim::attributes::Definition{true, defs->cwall_compItems, nullptr}
                           : sim::attributes::Definition{};
}

} // namespace

GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, API_AttributeDef* defs)
{
    SIM_ENTER("ACAPI_Attribute_Create");
    return sim::attributes::Create(attribute, Of(defs));
}

GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, API_AttributeDef* defs)
{
    SIM_ENTER("ACAPI_Attribute_Modify");
    return sim::attributes::Modify(attribute, Of(defs));
}
