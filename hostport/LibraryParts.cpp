// Library parts as generation 26 keeps them: records with fixed name fields and a location
// the host allocates.
#include "LibraryParts.hpp"

#include "ACAPinc.h"
#include "CatchAll.hpp"
#include "internal/Records.hpp"

namespace KRV::port {

const char* const searchLibraryPartCall = "ACAPI_LibPart_Search";
const char* const getLibraryPartCall = "ACAPI_LibPart_Get";

namespace {

// Deletes the location the host leaves in a library part record, unless it is the caller's own.
class LocationGuard {
public:
    explicit LocationGuard(API_LibPart& part, const IO::Location* own = nullptr) : part(part), own(own) {}
    ~LocationGuard()
    {
        NothingEscapes("LibPartLocationGuard", [&] {
            if (part.location != own)
                delete part.location;
            part.location = nullptr;
        });
    }
    LocationGuard(const LocationGuard&) = delete;
    LocationGuard& operator=(const LocationGuard&) = delete;

private:
    API_LibPart& part;
    const IO::Location* own;
};

} // namespace

GSErrCode SearchLibraryPart(const GS::UniString& name, GS::UniString& found)
{
    API_LibPart part{};
    CopyText(part.docu_UName, name.ToUtf8());
    LocationGuard location(part);
    const GSErrCode err = ACAPI_LibPart_Search(&part, false, false);
    if (err == NoError)
        found = GS::UniString(FieldText(part.docu_UName));
    return err;
}

GSErrCode LibraryPartAt(Int32 index, std::string& uniqueId, GS::UniString& name)
{
    API_LibPart part{};
    part.index = index;
    LocationGuard location(part);
    const GSErrCode err = ACAPI_LibPart_Get(&part);
    if (err == NoError) {
        uniqueId = FieldText(part.ownUnID);
        name = GS::UniString(FieldText(part.docu_UName));
    }
    return err;
}

GSErrCode LibraryPartNameById(const std::string& uniqueId, GS::UniString& name)
{
    API_LibPart part{};
    CopyText(part.ownUnID, uniqueId);
    LocationGuard location(part);
    const GSErrCode err = ACAPI_LibPart_Search(&part, false, false);
    if (err == NoError)
        name = GS::UniString(FieldText(part.docu_UName));
    return err;
}

} // namespace KRV::port
