#pragma once
#include "JsonText.hpp"

namespace KRV {

// Stores the data of an imported curtain wall or stair type; 0 on success.
int SetAttributes(const json& data, const GS::UniString& importType);

} // namespace KRV
