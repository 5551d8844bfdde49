#pragma once
// IFCAPI::Attribute: one IFC attribute of an object ("Name", "Description", ...).
#include <optional>

#include "GS/UniString.hpp"

namespace IFCAPI {

using IFCType = GS::UniString;

class Attribute {
public:
    Attribute(const GS::UniString& name, std::optional<GS::UniString> value, const IFCType& valueType)
        : name(name), value(std::move(value)), valueType(valueType)
    {
    }
    GS::UniString GetName() const { return name; }
    // An optional attribute may have no value.
    std::optional<GS::UniString> GetValue() const { return value; }
    IFCType GetValueType() const { return valueType; }

private:
    GS::UniString name;
    std::optional<GS::UniString> value;
    IFCType valueType;
};

} // namespace IFCAPI
