#pragma once
// The page's update status request, read once: each item's catalogue id and its change
// time on the service, found by id. Items that cannot be compared are left out, each with a
// warning naming it. A request that is no object with a list cannot be compared with anything:
// looking an item up in it raises std::invalid_argument (so with nothing stored, there is
// nothing outdated to report all the same).
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
    std::string unreadable; // why the request cannot be read, when it cannot
};

} // namespace KRV
