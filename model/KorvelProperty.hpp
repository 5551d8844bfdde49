#pragma once
// One catalogue property: group, name, unit, type and value, as texts.
#include <utility>

#include "GS/UniString.hpp"
#include "JsonText.hpp"

namespace KRV {

// One data-sheet property of a catalogue item; every field is text.
class KorvelProperty {
public:
    KorvelProperty() = default;
    KorvelProperty(const KorvelProperty&) = default;
    KorvelProperty& operator=(const KorvelProperty&) = default;
    KorvelProperty(KorvelProperty&&) = default;
    KorvelProperty& operator=(KorvelProperty&&) = default;
    virtual ~KorvelProperty() = default;

    const GS::UniString& GetGroup() const { return group; }
    const GS::UniString& GetName() const { return name; }
    const GS::UniString& GetUnit() const { return unit; }
    const GS::UniString& GetType() const { return type; }
    const GS::UniString& GetValue() const { return value; }
    void SetGroup(GS::UniString text) { group = std::move(text); }
    void SetName(GS::UniString text) { name = std::move(text); }
    void SetUnit(GS::UniString text) { unit = std::move(text); }
    void SetType(GS::UniString text) { type = std::move(text); }
    void SetValue(GS::UniString text) { value = std::move(text); }

    bool operator==(const KorvelProperty& other) const;
    bool operator!=(const KorvelProperty& other) const { return !(*this == other); }
    bool IsNameEqual(const KorvelProperty& other) const { return name == other.name; }
    bool IsValueEqual(const KorvelProperty& other) const { return value == other.value; }

    void Print() const;

private:
    GS::UniString group;
    GS::UniString name;
    GS::UniString unit;
    GS::UniString type;
    GS::UniString value;
};

void from_json(const json& j, KorvelProperty& property);
void to_json(json& j, const KorvelProperty& property);

} // namespace KRV
