#pragma once
// Scope guards for host memory the add-on owns, released on every path.
#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "APIdefs_LibParts.h"
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

// Releases an attribute definition's handles, of either form.
class AttrDefsGuard {
public:
    explicit AttrDefsGuard(API_AttributeDefExt& defs) : extended(&defs) {}
    explicit AttrDefsGuard(API_AttributeDef& defs) : plain(&defs) {}
    ~AttrDefsGuard()
    {
        NothingEscapes("AttrDefsGuard", [&] {
            if (extended != nullptr)
                ACAPI_DisposeAttrDefsHdlsExt(extended);
            else
                ACAPI_DisposeAttrDefsHdls(plain);
        });
    }
    AttrDefsGuard(const AttrDefsGuard&) = delete;
    AttrDefsGuard& operator=(const AttrDefsGuard&) = delete;

private:
    API_AttributeDefExt* extended = nullptr;
    API_AttributeDef* plain = nullptr;
};

// Releases an element memo's handles.
class MemoGuard {
public:
    explicit MemoGuard(API_ElementMemo& memo) : memo(memo) {}
    ~MemoGuard()
    {
        NothingEscapes("MemoGuard", [&] { ACAPI_DisposeElemMemoHdls(&memo); });
    }
    MemoGuard(const MemoGuard&) = delete;
    MemoGuard& operator=(const MemoGuard&) = delete;

private:
    API_ElementMemo& memo;
};

// Deletes the location the host leaves in a library part record after a search, a read or
// a registration, unless it is the caller's own.
class LibPartLocationGuard {
public:
    explicit LibPartLocationGuard(API_LibPart& part, const IO::Location* own = nullptr) : part(part), own(own) {}
    ~LibPartLocationGuard()
    {
        NothingEscapes("LibPartLocationGuard", [&] {
            if (part.location != own)
                delete part.location;
            part.location = nullptr;
        });
    }
    LibPartLocationGuard(const LibPartLocationGuard&) = delete;
    LibPartLocationGuard& operator=(const LibPartLocationGuard&) = delete;

private:
    API_LibPart& part;
    const IO::Location* own;
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
