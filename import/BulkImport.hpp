#pragma once
#include "GS/UniString.hpp"
#include "JsonText.hpp"

namespace KRV {

// Imports a JSON array of catalogue items one after the other; answers one status
// entry per item.
class BulkImport {
public:
    explicit BulkImport(const GS::UniString& request) : request(request) {}
    json Import();

private:
    const GS::UniString& request;
};

} // namespace KRV
