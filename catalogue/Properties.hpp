#pragma once
// Catalogue properties as host properties: a group per data-sheet tab, a custom text
// definition per property name, available for the target's classification items.
#include <functional>
#include <unordered_map>

#include "API_Guid.h"
#include "AttributeRef.hpp"
#include "GS/Array.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

// While one lives, property groups and each group's definitions are listed from the host
// once, not once per property: within one request the add-on alone changes them. Scopes
// nest; outside any, every look-up asks the host.
class DefinitionCacheScope {
public:
    DefinitionCacheScope();
    ~DefinitionCacheScope();
    DefinitionCacheScope(const DefinitionCacheScope&) = delete;
    DefinitionCacheScope& operator=(const DefinitionCacheScope&) = delete;
};

// Defines the property (once) and writes its value on the element, or on the attribute
// when `element` is null. Runs inside the caller's undoable command.
int DefineNewKorvelProperty(const KorvelProperty& property, const port::AttrRef& attribute, API_Guid element);
// Runs `write` in an undoable command of that name (or directly, without a name); answers
// its failure or the command's, logging the command's (`where` names the operation).
GSErrCode RunWrite(const char* command, const char* where, const std::function<GSErrCode()>& write);
// Gives the element the Korvel classification and each catalogue property's value. With
// `command`, each property is an undo step of that name and the classification belongs to
// the first, since the host changes an element only inside a command (without properties
// there is nothing to classify it for); without one, the caller already runs inside the
// host's own command (an element event) and the element is classified first. A list the
// host refused part of (or threw at) is written once more, whole; answers the second
// attempt's first failure, or NoError.
GSErrCode WriteElementProperties(const API_Guid& element, const KorvelProperties& properties, const char* command);
// Resets the element's properties of the group "Korvel" to their defaults.
void SetDefaultValuesForKorvelProperties(API_Guid element);
// The attribute's catalogue properties as the host holds them now: group, name and value.
// `groupNames`, when given, keeps the groups' names between calls, so a pass over many
// attributes reads each group once.
KorvelProperties ReadProperties(const port::AttrRef& attribute,
                                std::unordered_map<API_Guid, GS::UniString>* groupNames = nullptr);
// The building material's own description and manufacturer, as the host's built-in
// properties hold them; a text the host cannot give is left as it was.
int GetPropertyDefinitionValues(const port::AttrRef& attribute, GS::UniString& description,
                                GS::UniString& manufacturer);

} // namespace KRV
