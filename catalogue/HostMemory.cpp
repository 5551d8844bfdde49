// Scope guards for host memory the add-on owns, released on every path.
#include "HostMemory.hpp"

#include <cstring>

namespace KRV {

GSHandle TextHandle(const GS::UniString& text)
{
    const std::string bytes = text.ToUtf8();
    GSHandle handle = BMAllocateHandle(static_cast<GSSize>(bytes.size() + 1), ALLOCATE_CLEAR, 0);
    if (handle != nullptr)
        std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

GS::UniString HandleText(GSHandle handle)
{
    return GS::UniString(HandleBytes(handle));
}

std::string HandleBytes(GSHandle handle)
{
    if (handle == nullptr || *handle == nullptr)
        return std::string();
    GSSize size = BMGetHandleSize(handle);
    return std::string(*handle, strnlen(*handle, static_cast<std::size_t>(size)));
}

} // namespace KRV
