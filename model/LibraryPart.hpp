#pragma once
// A library part file ("gsm") as the host needs it, and its record once registered.
#include "BaseItem.hpp"
#include "GS/UniString.hpp"
#include "LibraryParts.hpp"

namespace KRV {

// A single host object file ("gsm") and the host's record of it once registered.
class LibraryPart : public virtual BaseItem {
public:
    LibraryPart();
    LibraryPart(const LibraryPart&) = default;
    LibraryPart& operator=(const LibraryPart&) = default;
    LibraryPart(LibraryPart&&) = default;
    LibraryPart& operator=(LibraryPart&&) = default;
    virtual ~LibraryPart() = default;

    virtual void SetLibPart(const port::LibraryPartRecord& record) { libPart = record; }
    virtual GS::UniString GetName() const = 0;
    virtual void SetName(const GS::UniString& value) = 0;
    virtual GS::UniString GetFile() const = 0;
    virtual void SetFile(const GS::UniString& value) = 0;
    virtual GS::UniString GetPath() const = 0;
    virtual void SetPath(const GS::UniString& value) = 0;
    virtual GS::UniString GetImage() const = 0;
    virtual void SetImage(const GS::UniString& value) = 0;

    const port::LibraryPartRecord& GetLibPart() const { return libPart; }
    Int32 GetIndex() const { return libPart.Index(); }

private:
    port::LibraryPartRecord libPart;
};

} // namespace KRV
