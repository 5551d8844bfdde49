#pragma once
// Property groups and definitions, the host's built-in ones included. Look-ups by guid, by
// name within a group and by the classification item a definition is available for take
// constant time.
#include <memory>
#include <string>
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
    std::size_t order = 0; // in the order made, set by the store
};

class PropertyStore {
public:
    PropertyStore(); // with the host's built-in group and definitions

    const API_PropertyGroup* FindGroup(const API_Guid& guid) const;
    PropertyDefinition* Find(const API_Guid& guid);
    const PropertyDefinition* Find(const API_Guid& guid) const;

    const API_PropertyGroup* FindGroupByName(const GS::UniString& name) const;
    const PropertyDefinition* FindByName(const API_Guid& group, const GS::UniString& name) const;
    // The custom definitions available for an item, in the order they were made.
    std::vector<const PropertyDefinition*> AvailableFor(const std::vector<API_Guid>& items) const;

    // The caller has checked that the guid is free.
    void AddGroup(const API_PropertyGroup& group);
    PropertyDefinition& AddDefinition(const PropertyDefinition& definition);
    // A definition's new name, group or availability, with the indexes kept.
    void ChangeDefinition(PropertyDefinition& stored, const API_PropertyDefinition& definition);

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
    static std::string NameKey(const API_Guid& group, const GS::UniString& name);
    void Index(PropertyDefinition& d);
    void Unindex(PropertyDefinition& d);

    std::vector<API_PropertyGroup> groups;
    std::unordered_map<std::string, std::size_t> groupByName;
    std::unordered_map<std::string, PropertyDefinition*> byName;
    std::unordered_map<API_Guid, std::vector<PropertyDefinition*>> byItem;
    std::unordered_map<API_Guid, std::size_t> groupIndex;
    std::vector<std::unique_ptr<PropertyDefinition>> definitions;
    std::unordered_map<API_Guid, PropertyDefinition*> byGuid;
};

} // namespace sim
