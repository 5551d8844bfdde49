// JSON numbers read as integers.
#include "JsonInteger.hpp"

#include <cmath>

namespace KRV {

namespace {

[[noreturn]] void DoesNotFit(const nlohmann::json& value, Int64 min, Int64 max)
{
    throw nlohmann::json::out_of_range::create(
        406, "number " + value.dump() + " is out of range [" + std::to_string(min) + ", " + std::to_string(max) + "]",
        &value);
}

} // namespace

Int64 ReadInteger(const nlohmann::json& value, Int64 min, Int64 max)
{
    Int64 result = 0;
    switch (value.type()) {
    case nlohmann::json::value_t::number_integer:
        result = value.get<Int64>();
        break;
    case nlohmann::json::value_t::number_unsigned: {
        const auto unsignedValue = value.get<UInt64>();
        if (unsignedValue > static_cast<UInt64>(std::numeric_limits<Int64>::max()))
            DoesNotFit(value, min, max);
        result = static_cast<Int64>(unsignedValue);
        break;
    }
    case nlohmann::json::value_t::number_float: {
        // Only a value inside [-2^63, 2^63) converts without undefined behaviour.
        const double truncated = std::trunc(value.get<double>());
        if (!(truncated >= -9223372036854775808.0 && truncated < 9223372036854775808.0))
            DoesNotFit(value, min, max);
        result = static_cast<Int64>(truncated);
        break;
    }
    default:
        // Booleans too: the library itself would read true as 1.
        throw nlohmann::json::type_error::create(302, std::string("type must be number, but is ") + value.type_name(),
                                                 &value);
    }
    if (result < min || result > max)
        DoesNotFit(value, min, max);
    return result;
}

} // namespace KRV
