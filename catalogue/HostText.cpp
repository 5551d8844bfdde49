// Texts in the host's fixed record fields.
#include "HostText.hpp"

#include <cstring>

namespace KRV {

void SetHeaderName(API_Attr_Head& head, const GS::UniString& name)
{
    std::string cut = GS::TruncateUtf8(name.ToUtf8(), API_AttrNameLen - 1);
    std::memset(head.name, 0, sizeof head.name);
    std::memcpy(head.name, cut.data(), cut.size());
}

GS::UniString GetHeaderName(const API_Attr_Head& head)
{
    return GS::UniString(std::string(head.name, strnlen(head.name, sizeof head.name)));
}

} // namespace KRV
