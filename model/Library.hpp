#pragma once
// A library container file ("lcf") as the host needs it.
#include "BaseItem.hpp"
#include "GS/Array.hpp"
#include "GS/UniString.hpp"

namespace KRV {

// A library container file ("lcf") holding many objects.
class Library : public virtual BaseItem {
public:
    Library() = default;
    Library(const Library&) = default;
    Library& operator=(const Library&) = default;
    Library(Library&&) = default;
    Library& operator=(Library&&) = default;
    virtual ~Library() = default;

    virtual GS::UniString GetName() const = 0;
    virtual void SetName(const GS::UniString& value) = 0;
    virtual GS::UniString GetFile() const = 0;
    virtual void SetFile(const GS::UniString& value) = 0;
    virtual GS::UniString GetPath() const = 0;
    virtual void SetPath(const GS::UniString& value) = 0;
    virtual GS::UniString GetImage() const = 0;
    virtual void SetImage(const GS::UniString& value) = 0;
};

} // namespace KRV
