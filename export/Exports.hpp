#pragma once
// The page's report requests and the IFC export: the text carries the request in and
// the reply out.
#include "GS/Array.hpp"
#include "GS/Ref.hpp"
#include "GS/UniString.hpp"

namespace KRV {

// Which imported items are outdated; false when no report could be made.
bool ExportUpdateStatus(GS::UniString& text);
// The project's quantity take-off; false when none could be made.
bool ExportCalculationData(GS::UniString& text);
// Saves the project as IFC and uploads it; true on success.
bool ExportAndUploadIFC(GS::Ref<GS::Array<GS::UniString>> args);

} // namespace KRV
