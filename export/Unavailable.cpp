// Reports this build does not have yet: each says so in the log and fails.
#include "Exports.hpp"
#include "Logger.hpp"

namespace KRV {

bool ExportUpdateStatus(GS::UniString&)
{
    LogError("The update status report is not available in this version of the add-on.");
    return false;
}

bool ExportCalculationData(GS::UniString&)
{
    LogError("The quantity take-off is not available in this version of the add-on.");
    return false;
}

bool ExportAndUploadIFC(GS::Ref<GS::Array<GS::UniString>>)
{
    LogError("The IFC export is not available in this version of the add-on.");
    return false;
}

} // namespace KRV
