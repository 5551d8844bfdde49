// The host's attribute heads and the port's attribute references.
#include "internal/Records.hpp"
#include "internal/Generation.hpp"

namespace KRV::port {

AttrRef RefOf(const API_Attr_Head& head)
{
    const AttrType type = head.typeID == API_CompWallID  ? AttrType::composite
                          : head.typeID == API_ProfileID ? AttrType::profile
                                                         : AttrType::buildingMaterial;
    return AttrRef(type, gen::IndexOf(head.index));
}

API_AttrTypeID TypeIdOf(AttrType type)
{
    return type == AttrType::composite ? API_CompWallID
           : type == AttrType::profile ? API_ProfileID
                                       : API_BuildingMaterialID;
}

API_Attr_Head HeadOf(const AttrRef& ref)
{
    API_Attr_Head head{};
    head.typeID = TypeIdOf(ref.Type());
    head.index = gen::HostIndex(ref.Index());
    return head;
}

AttributeHead PortHead(const API_Attr_Head& head)
{
    AttributeHead port;
    port.ref = RefOf(head);
    port.flags = head.flags;
    port.name = GS::UniString(FieldText(head.name));
    port.guid = head.guid;
    return port;
}

API_Attr_Head HostHead(const AttributeHead& head)
{
    API_Attr_Head host = HeadOf(head.ref);
    host.flags = static_cast<decltype(host.flags)>(head.flags);
    CopyText(host.name, head.name.ToUtf8());
    host.guid = head.guid;
    return host;
}

} // namespace KRV::port
