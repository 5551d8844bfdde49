#pragma once
// The bulk import: many catalogue items in one request, a result per item.
#include <utility>

#include "GS/UniString.hpp"
#include "JsonText.hpp"

namespace KRV {

// Imports a JSON array of catalogue items one after the other; answers one status
// entry per item.
class BulkImport {
public:
    // The request is kept as a copy: an importer may outlive the text it was given.
    explicit BulkImport(GS::UniString request) : request(std::move(request)) {}
    json Import();

private:
    const GS::UniString request;
};

} // namespace KRV
