#pragma once
// What a person does to elements: place, copy, change, edit, rename and delete them. Each
// action delivers the element events the application would, bracketed as one series.
// Unknown guids and bad element descriptions raise std::invalid_argument.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "APIdefs_Elements.h"

namespace sim::user {

// Places an element given as in a project file; with `copyOf`, it is delivered as
// created from that element. Answers the new element's guid.
API_Guid PlaceElement(const nlohmann::json& element, const std::optional<API_Guid>& copyOf = {});
// A copy of the element, delivered as copied from it; answers the copy's guid.
API_Guid CopyElement(const API_Guid& source);
// Takes the members of `set` (as in a project file) into the element, delivers a change.
void ChangeElement(const API_Guid& element, const nlohmann::json& set);
void EditElement(const API_Guid& element);
// Sets the element's IFC attribute "Name" and delivers a change.
void RenameElement(const API_Guid& element, const std::string& name);
void DeleteElement(const API_Guid& element);
// Delivers any event code for the element (the parent, when given, is what the add-on asks for).
void NotifyElement(const API_Guid& element, API_ElementDBEventID code, const std::optional<API_Guid>& parent = {});

} // namespace sim::user
