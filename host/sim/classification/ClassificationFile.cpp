// The classifications' section of the project file: "classificationSystems" with their
// item trees.
#include <cstdio>

#include "ProjectFileSections.hpp"

namespace sim {

namespace {

// Each item once: a tree that lists an item among its own descendants is written up to
// the repeat, not round for ever.
json SaveItems(const ClassificationStore& store, const API_Guid& system, const API_Guid& parent,
               std::set<API_Guid>& written)
{
    json items = json::array();
    for (const ClassificationItemNode* node : store.Children(system, parent)) {
        if (!written.insert(node->item.guid).second)
            continue;
        json item = {{"guid", GuidText(node->item.guid)}, {"id", node->item.id.ToUtf8()}};
        if (!node->item.name.IsEmpty())
            item["name"] = node->item.name.ToUtf8();
        if (!node->item.description.IsEmpty())
            item["description"] = node->item.description.ToUtf8();
        json children = SaveItems(store, system, node->item.guid, written);
        if (!children.empty())
            item["children"] = children;
        items.push_back(item);
    }
    return items;
}

// Classification trees are a few levels deep; a file nesting them deeper is refused
// rather than read by a recursion that could exhaust the stack.
constexpr int maxClassificationDepth = 64;

void LoadItems(const json& items, ClassificationStore& store, const API_Guid& system, const API_Guid& parent,
               GuidRegister& guids, int depth)
{
    if (depth > maxClassificationDepth)
        throw ProjectFileError("classification items nest deeper than " + std::to_string(maxClassificationDepth) +
                               " levels");
    for (const json& j : items) {
        ClassificationItemNode node;
        node.item.guid = GuidOf(j, "guid");
        guids.Claim("classification items", node.item.guid);
        node.item.id = GS::UniString(j.at("id").get<std::string>());
        node.item.name = GS::UniString(j.value("name", ""));
        node.item.description = GS::UniString(j.value("description", ""));
        node.system = system;
        node.parent = parent;
        store.AddItem(node);
        if (j.contains("children"))
            LoadItems(j.at("children"), store, system, node.item.guid, guids, depth + 1);
    }
}

} // namespace

void SaveClassifications(const Project& project, json& file)
{
    file["classificationSystems"] = json::array();
    std::set<API_Guid> written;
    project.classifications.ForEachSystem([&](const ClassificationSystem& s) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", s.editionDate.year, s.editionDate.month, s.editionDate.day);
        file["classificationSystems"].push_back(
            {{"guid", GuidText(s.guid)},
             {"name", s.name.ToUtf8()},
             {"description", s.description.ToUtf8()},
             {"source", s.source.ToUtf8()},
             {"editionVersion", s.editionVersion.ToUtf8()},
             {"editionDate", date},
             {"items", SaveItems(project.classifications, s.guid, APINULLGuid, written)}});
    });
}

void LoadClassifications(const json& file, Project& project, GuidRegister& guids)
{
    if (!file.contains("classificationSystems"))
        return;
    for (const json& j : file.at("classificationSystems")) {
        ClassificationSystem s;
        s.guid = GuidOf(j, "guid");
        guids.Claim("classification systems", s.guid);
        s.name = GS::UniString(j.at("name").get<std::string>());
        s.description = GS::UniString(j.value("description", ""));
        s.source = GS::UniString(j.value("source", ""));
        s.editionVersion = GS::UniString(j.value("editionVersion", ""));
        int y = 0, m = 0, d = 0;
        std::sscanf(j.value("editionDate", "0000-00-00").c_str(), "%d-%d-%d", &y, &m, &d);
        s.editionDate = {static_cast<short>(y), static_cast<short>(m), static_cast<short>(d)};
        project.classifications.AddSystem(s);
        if (j.contains("items"))
            LoadItems(j.at("items"), project.classifications, s.guid, APINULLGuid, guids, 1);
    }
}

} // namespace sim
