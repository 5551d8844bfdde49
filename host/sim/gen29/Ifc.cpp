// IFCAPI: the IFC attributes of the project's elements, read through an object id.
#include "Calls.hpp"
#include "Host.hpp"
#include "IFCObjectAccessor.hpp"
#include "IFCPropertyAccessor.hpp"

namespace IFCAPI {

ACAPI::Result<ObjectID> ObjectAccessor::CreateElementObjectID(const API_Elem_Head& elementHead) const
{
    if (GSErrCode injected = sim::Host::Get().Enter("IFCAPI::ObjectAccessor::CreateElementObjectID");
        injected != NoError)
        return ACAPI::Error(injected, "The call failed.");
    if (sim::calls::IfcAttributes(elementHead.guid) == nullptr)
        return ACAPI::Error(APIERR_BADPARS, "The element is not in the project.");
    return ObjectID(elementHead.guid);
}

ACAPI::Result<std::vector<Attribute>> PropertyAccessor::GetAttributes() const
{
    if (GSErrCode injected = sim::Host::Get().Enter("IFCAPI::PropertyAccessor::GetAttributes"); injected != NoError)
        return ACAPI::Error(injected, "The call failed.");
    const auto* stored = sim::calls::IfcAttributes(objectID.element);
    if (stored == nullptr)
        return ACAPI::Error(APIERR_BADID, "The object is not in the project.");
    std::vector<Attribute> attributes;
    for (const auto& [name, value] : *stored)
        attributes.emplace_back(GS::UniString(name), GS::UniString(value), GS::UniString("IfcLabel"));
    return attributes;
}

} // namespace IFCAPI
