#pragma once
// An item's catalogue property list, in the catalogue's order.
#include <vector>

#include "KorvelProperty.hpp"

namespace KRV {

// The ordered data-sheet properties of one item; duplicated names are kept.
class KorvelProperties {
public:
    KorvelProperties() = default;
    KorvelProperties(const KorvelProperties&) = default;
    KorvelProperties& operator=(const KorvelProperties&) = default;
    KorvelProperties(KorvelProperties&&) = default;
    KorvelProperties& operator=(KorvelProperties&&) = default;
    virtual ~KorvelProperties() = default;

    std::vector<KorvelProperty> GetProperties() const { return properties; }
    // The list itself, without a copy (valid while this object lives).
    const std::vector<KorvelProperty>& View() const { return properties; }
    void AddProperty(const json& property);
    void AddProperty(KorvelProperty property) { properties.push_back(std::move(property)); }
    void Reserve(std::size_t count) { properties.reserve(count); }
    // The first property of that name; "" when there is none.
    GS::UniString GetPropertyValueByName(const GS::UniString& name) const;
    bool empty() const { return properties.empty(); }

    bool operator==(const KorvelProperties& other) const { return properties == other.properties; }
    bool operator!=(const KorvelProperties& other) const { return !(*this == other); }

private:
    std::vector<KorvelProperty> properties;
};

void from_json(const json& j, KorvelProperties& properties);

} // namespace KRV
