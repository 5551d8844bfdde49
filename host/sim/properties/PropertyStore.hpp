#pragma once
// Property groups and definitions, the host's built-in ones included. Look-ups by guid
// take constant time.
#include <memory>
#include <unordered_map>
#include <vector>

#include "APIdefs_Properties.h"
#include "GuidHash.hpp"

namespace sim {

// Where a built-in definition takes its value from.
enum class BuiltInField { None, Description, Manufacturer };

struct PropertyDefinition {
    API_PropertyDefinition definition;
    BuiltInField field = BuiltInField::None;
};

class PropertyStore {
public:
    PropertyStore(); // with the host's built-in group and definitions

    const API_PropertyGroup* FindGroup(const API_Guid& guid) const;
    PropertyDefinition* Find(const API_Guid& guid);
    const PropertyDefinition* Find(const API_Guid& guid) const;

    // The caller has checked that the guid is free.
    void AddGroup(const API_PropertyGroup& group);
    PropertyDefinition& AddDefinition(const PropertyDefinition& definition);

    // Groups and definitions in the order they were made, built-in ones first.
    template <typename F> void ForEachGroup(F visit) const
    {
        for (const API_PropertyGroup& g : groups)
            visit(g);
    }
    template <typename F> void ForEachDefinition(F visit) const
    {
        for (const auto& d : definitions)
            visit(*d);
    }

private:
    std::vector<API_PropertyGroup> groups;
    std::unordered_map<API_Guid, std::size_t> groupIndex;
    std::vector<std::unique_ptr<PropertyDefinition>> definitions;
    std::unordered_map<API_Guid, PropertyDefinition*> byGuid;
};

} // namespace sim
