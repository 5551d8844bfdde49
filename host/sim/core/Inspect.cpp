// How tests and tools read (and, to stage a situation, touch) the project.
#include "Inspect.hpp"

#include <functional>
#include <stdexcept>

namespace sim::inspect {

Attribute& AttributeAt(Project& project, AttrKind kind, AttrIndex index)
{
    Attribute* a = project.attributes.Find(kind, index);
    if (a == nullptr)
        throw std::out_of_range("no attribute " + std::to_string(index) + " of kind " +
                                std::to_string(static_cast<int>(kind)));
    return *a;
}

std::vector<Element*> Elements(Project& project)
{
    std::vector<Element*> out;
    project.elements.ForEach([&](const Element& e) { out.push_back(project.elements.Find(e.guid)); });
    return out;
}

Element& ElementAt(Project& project, std::size_t position)
{
    std::vector<Element*> all = Elements(project);
    if (position >= all.size())
        throw std::out_of_range("no element " + std::to_string(position));
    return *all[position];
}

std::vector<API_PropertyGroup> Groups(const Project& project)
{
    std::vector<API_PropertyGroup> out;
    project.properties.ForEachGroup([&](const API_PropertyGroup& g) { out.push_back(g); });
    return out;
}

std::vector<std::string> CustomGroupNames(const Project& project)
{
    std::vector<std::string> out;
    for (const API_PropertyGroup& g : Groups(project))
        if (g.groupType == API_PropertyCustomGroupType)
            out.push_back(g.name.ToUtf8());
    return out;
}

std::vector<const PropertyDefinition*> Definitions(const Project& project, bool withBuiltIn)
{
    std::vector<const PropertyDefinition*> out;
    project.properties.ForEachDefinition([&](const PropertyDefinition& d) {
        if (withBuiltIn || d.field == BuiltInField::None)
            out.push_back(&d);
    });
    return out;
}

std::vector<ClassificationSystem> Systems(const Project& project)
{
    std::vector<ClassificationSystem> out;
    project.classifications.ForEachSystem([&](const ClassificationSystem& s) { out.push_back(s); });
    return out;
}

std::vector<ClassificationItemNode*> Items(Project& project)
{
    std::vector<ClassificationItemNode*> out;
    std::function<void(const API_Guid&, const API_Guid&, int)> walk = [&](const API_Guid& system,
                                                                          const API_Guid& parent, int depth) {
        if (depth > 64)
            return;
        for (const ClassificationItemNode* node : project.classifications.Children(system, parent)) {
            out.push_back(const_cast<ClassificationItemNode*>(node));
            walk(system, node->item.guid, depth + 1);
        }
    };
    for (const ClassificationSystem& s : Systems(project))
        walk(s.guid, APINULLGuid, 0);
    return out;
}

} // namespace sim::inspect
