#pragma once
// Import requests: the table of import types, and the dispatch of a request by its type.
#include <memory>
#include <vector>

#include "BaseImporter.hpp"
#include "JsonText.hpp"

namespace KRV {

// One row per "import_type" a request may carry. A row either makes importers for the
// request's items (`importers`), or stores the item itself without one (`store`: the named
// types, which answer 0 on success).
struct ImportType {
    const char* name;
    const char* description;
    void (*importers)(const json& data, std::vector<std::unique_ptr<BaseImporter>>& into);
    int (*store)(const json& data, const GS::UniString& type);
};
// Every import type, in the order the docs list them.
const std::vector<ImportType>& ImportTypes();
// The row of that name; null when there is none.
const ImportType* FindImportType(const std::string& name);

class ImportManager {
public:
    // One importer per catalogue item of the request, in creation order. Each importer
    // parses its item when built, so the item's errors surface here. A named type (stored
    // without importers) gives none.
    std::vector<std::unique_ptr<BaseImporter>> GetImporters(const GS::UniString& request);
};

// Carries out an import request (the page's "import" and its siblings, a dropped
// file); true when every importer succeeded.
bool ImportRequest(const GS::UniString& request);

} // namespace KRV
