// Generation-26 attribute heads and the port's attribute references.
#include "HostRecords.hpp"

namespace KRV::port {

AttrRef RefOf(const API_Attr_Head& head)
{
    const AttrType type = head.typeID == API_CompWallID  ? AttrType::composite
                          : head.typeID == API_ProfileID ? AttrType::profile
                                                         : AttrType::buildingMaterial;
    return AttrRef(type, head.index);
}

API_Attr_Head HeadOf(const AttrRef& ref)
{
    API_Attr_Head head{};
    head.typeID = ref.Type() == AttrType::composite ? API_CompWallID
                  : ref.Type() == AttrType::profile ? API_ProfileID
                                                    : API_BuildingMaterialID;
    head.index = ref.Index();
    return head;
}

} // namespace KRV::port
