#pragma once
// Guids as keys of the stores' hash tables (the hash comes with API_Guid).
#include <unordered_map>

#include "API_Guid.h"
