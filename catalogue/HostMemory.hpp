#pragma once
// Scope guards for host memory the add-on owns, released on every path.
#include <string>

#include "BM.h"
#include "CatchAll.hpp"
#include "GS/UniString.hpp"

namespace KRV {

class HandleGuard {
public:
    explicit HandleGuard(GSHandle handle = nullptr) : handle(handle) {}
    ~HandleGuard()
    {
        NothingEscapes("HandleGuard", [&] { BMKillHandle(&handle); });
    }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;
    GSHandle Get() const { return handle; }

private:
    GSHandle handle;
};

// A zero-filled handle holding the text and its terminating zero; null when the host
// has no memory for it.
GSHandle TextHandle(const GS::UniString& text);
// The zero-terminated text a handle holds.
GS::UniString HandleText(GSHandle handle);
// The same text as bytes, without the text object.
std::string HandleBytes(GSHandle handle);

} // namespace KRV
