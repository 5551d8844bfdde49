#pragma once
// Classification systems and their item trees. Items and their children are found by
// guid in constant time.
#include <unordered_map>
#include <vector>

#include "API_Guid.h"
#include "GS/UniString.hpp"
#include "GuidHash.hpp"

namespace sim {

// A system and an item as the stand-alone host keeps them.
struct EditionDate {
    short year = 0, month = 0, day = 0;
};
struct ClassificationSystem {
    API_Guid guid{};
    GS::UniString name;
    GS::UniString description;
    GS::UniString source;
    GS::UniString editionVersion;
    EditionDate editionDate;
};
struct ClassificationItem {
    API_Guid guid{};
    GS::UniString id;
    GS::UniString name;
    GS::UniString description;
};

struct ClassificationItemNode {
    ClassificationItem item;
    API_Guid system{};
    API_Guid parent{}; // null for a root item
};

class ClassificationStore {
public:
    const ClassificationSystem* FindSystem(const API_Guid& guid) const;
    const ClassificationSystem* FindSystem(const GS::UniString& name, const GS::UniString& editionVersion) const;
    const ClassificationItemNode* FindItem(const API_Guid& guid) const;

    void AddSystem(const ClassificationSystem& system);
    // Inserts the item before `nextSibling` among its siblings (at the end when null or
    // not a sibling). The store trusts the caller: a node whose guid is taken, or whose
    // parent is its own descendant, goes in as given (a faulty host can be staged so).
    void AddItem(const ClassificationItemNode& node, const API_Guid& nextSibling = APINULLGuid);

    std::size_t SystemCount() const { return systems.size(); }
    std::size_t ItemCount() const { return items.size(); }
    template <typename F> void ForEachSystem(F visit) const
    {
        for (const auto& s : systems)
            visit(s);
    }
    // The items under `parent` of a system (null: its root items), in sibling order.
    std::vector<const ClassificationItemNode*> Children(const API_Guid& system, const API_Guid& parent) const;

private:
    std::vector<ClassificationSystem> systems;
    std::vector<ClassificationItemNode> items;
    std::unordered_map<API_Guid, std::size_t> itemIndex;                  // first node of a guid
    std::unordered_map<API_Guid, std::vector<std::size_t>> childrenIndex; // parent -> nodes in order
};

} // namespace sim
