#pragma once
#include <memory>
#include <vector>

#include "BaseImporter.hpp"

namespace KRV {

class ImportManager {
public:
    // One importer per catalogue item of the request, in creation order. Each importer
    // parses its item when built, so the item's errors surface here.
    std::vector<std::unique_ptr<BaseImporter>> GetImporters(const GS::UniString& request);
};

// Carries out an import request (the page's "import" and its siblings, a dropped
// file); true when every importer succeeded.
bool ImportRequest(const GS::UniString& request);

} // namespace KRV
