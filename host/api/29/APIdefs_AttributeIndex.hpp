#pragma once
// The index of an attribute: a class of its own, made by ACAPI_CreateAttributeIndex; no
// conversion from or to an integer, no ordering and no arithmetic.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

class API_AttributeIndex {
public:
    API_AttributeIndex() = default;

    bool operator==(const API_AttributeIndex& other) const { return value == other.value; }
    bool operator!=(const API_AttributeIndex& other) const { return value != other.value; }

    Int32 ToInt32_Deprecated() const { return value; }
    ULong GenerateHashValue() const { return static_cast<ULong>(static_cast<UInt32>(value)); }
    GS::UniString ToUniString() const { return GS::UniString(std::to_string(value)); }
    bool IsPositive() const { return value > 0; }
    bool IsNegative() const { return value < 0; }

    friend API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index);

private:
    Int32 value;
};

inline API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index)
{
    API_AttributeIndex result;
    result.value = index;
    return result;
}

// "None": no attribute.
inline const API_AttributeIndex APIInvalidAttributeIndex = ACAPI_CreateAttributeIndex(0);
