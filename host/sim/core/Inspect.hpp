#pragma once
// How tests and tools read (and, to stage a situation, touch) the project: by position
// and in order, whatever shape the stores have inside.
#include <vector>

#include "Project.hpp"

namespace sim::inspect {

// The attribute of that kind and index (from 1); raises std::out_of_range when there is none.
Attribute& AttributeAt(Project& project, AttrKind kind, AttrIndex index);
// The element at that position of the creation order (from 0); raises std::out_of_range.
Element& ElementAt(Project& project, std::size_t position);
std::vector<Element*> Elements(Project& project);

std::vector<API_PropertyGroup> Groups(const Project& project);
// Custom groups' names, in the order they were made.
std::vector<std::string> CustomGroupNames(const Project& project);
std::vector<const PropertyDefinition*> Definitions(const Project& project, bool withBuiltIn = false);

std::vector<ClassificationSystem> Systems(const Project& project);
// Every item of every system, depth first in sibling order.
std::vector<ClassificationItemNode*> Items(Project& project);

} // namespace sim::inspect
