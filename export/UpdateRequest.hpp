#pragma once
// The page's update status request, read once: each item's catalogue id and its change
// time on the service, found by id. Items that cannot be compared are left out, each with a
// warning naming it; a request that is no object with a list raises std::invalid_argument.
#include <string>
#include <unordered_map>
#include <vector>

#include "GS/Types.hpp"
#include "JsonText.hpp"

namespace KRV {

class UpdateRequest {
public:
    struct Item {
        json id;
        Int64 time;
    };

    explicit UpdateRequest(const GS::UniString& text);
    // The items whose id equals `id` (JSON equality), in the request's order.
    std::vector<const Item*> Matching(const json& id) const;

private:
    std::unordered_map<std::string, std::vector<Item>> items;
};

} // namespace KRV
