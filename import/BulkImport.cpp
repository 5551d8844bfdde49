#include "BulkImport.hpp"

#include "Logger.hpp"

namespace KRV {

json BulkImport::Import()
{
    LogError("Bulk import is not available in this version of the add-on.");
    return json::array();
}

} // namespace KRV
