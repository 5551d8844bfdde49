#pragma once
// Scope guards for host memory the add-on owns, released on every path.
#include "APIdefs_Attributes.h"
#include "BM.h"
#include "CatchAll.hpp"

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

class AttrDefsGuard {
public:
    explicit AttrDefsGuard(API_AttributeDefExt& defs) : defs(defs) {}
    ~AttrDefsGuard()
    {
        NothingEscapes("AttrDefsGuard", [&] { ACAPI_DisposeAttrDefsHdlsExt(&defs); });
    }
    AttrDefsGuard(const AttrDefsGuard&) = delete;
    AttrDefsGuard& operator=(const AttrDefsGuard&) = delete;

private:
    API_AttributeDefExt& defs;
};

// The number of composite components a definition's handle holds.
std::size_t ComponentCount(const API_AttributeDefExt& defs);

// A zero-filled handle holding the text and its terminating zero; null when the host
// has no memory for it.
GSHandle TextHandle(const GS::UniString& text);
// The zero-terminated text a handle holds.
GS::UniString HandleText(GSHandle handle);
// The same text as bytes, without the text object.
std::string HandleBytes(GSHandle handle);

} // namespace KRV
