#pragma once
// One element as a project file writes it; the user actions place elements from the
// same form.
#include <nlohmann/json.hpp>
#include <string>

#include "ElementStore.hpp"

namespace sim {

std::string ElementKindName(ElemKind kind);
// Raises ProjectFileError for a name that is no element type.
ElemKind ElementKindOf(const std::string& name);

nlohmann::json SaveElement(const Element& element);
// A new element from its JSON form (a guid is generated when none is given).
Element LoadElement(const nlohmann::json& j);
// Takes the members present in `j` into an element (its type and guid stay).
void LoadElementMembers(const nlohmann::json& j, Element& element);

} // namespace sim
