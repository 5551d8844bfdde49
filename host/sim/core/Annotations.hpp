#pragma once
// What attributes and elements share: user data, classification, property values.
#include <map>
#include <string>
#include <vector>

#include "API_Guid.h"
#include "GS/Pair.hpp"
#include "GS/Types.hpp"

namespace sim {

// User data as the host keeps it: a copy of the bytes handed over.
struct StoredUserData {
    bool present = false;
    short version = 0;
    unsigned short platformSign = 0;
    Int32 flags = 0;
    std::string bytes;
};

struct StoredValue {
    std::string text;
    bool isDefault = false;
};

struct Annotations {
    StoredUserData userData;
    std::vector<GS::Pair<API_Guid, API_Guid>> classification; // (system, item)
    std::map<API_Guid, StoredValue> properties;               // by definition guid
};

} // namespace sim
