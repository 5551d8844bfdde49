#pragma once
// JSON numbers read as integers. A JSON integer that fits is taken as it is; a
// floating-point number is taken towards zero, as the JSON library reads it, when the
// result fits. A number that does not fit (1e300 as a time stamp, say) is bad input:
// it raises the JSON library's out-of-range error, as a member of the wrong type raises
// its type error. Anything but a number raises "type must be number, but is ...".
#include <limits>
#include <nlohmann/json.hpp>

#include "GS/Types.hpp"

namespace KRV {

Int64 ReadInteger(const nlohmann::json& value, Int64 min, Int64 max);

template <typename T> T ReadInteger(const nlohmann::json& value)
{
    return static_cast<T>(ReadInteger(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

} // namespace KRV
