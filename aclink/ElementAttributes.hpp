#pragma once
// Catalogue types for elements named by their IFC "Name" (curtain walls, stairs, or any
// element): the properties are stored under that name and put on the matching elements.
#include "JsonText.hpp"

namespace KRV {

// Stores the item's properties as "KV_" + its name and writes them on the elements whose
// IFC name is that name; 0 on success, -128 when the user keeps the existing type.
int SetAttributes(const json& item, const GS::UniString& importType);
// The property list of an item payload: "name", "id", "updated_at", then its tabs.
json GetProperties(const json& item);

void MessageBoxComplexSystemExist(const GS::UniString& name);
void MessageBoxComplexSystemNotExist(const GS::UniString& name);

} // namespace KRV
