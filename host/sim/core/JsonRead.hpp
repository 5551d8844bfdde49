#pragma once
// Integers in project files and session lines. A number that is not integral or does
// not fit the field raises the JSON library's out-of-range error, anything else its type
// error, so callers report it like every other malformed member.
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

namespace sim {

template <typename T> T Integer(const nlohmann::json& j)
{
    using json = nlohmann::json;
    auto refuse = [&j] {
        throw json::out_of_range::create(406, "number " + j.dump() + " is not an integer of the field's range", &j);
    };
    if (j.is_number_unsigned()) {
        const auto v = j.get<std::uint64_t>();
        if (v > static_cast<std::uint64_t>(std::numeric_limits<T>::max()))
            refuse();
        return static_cast<T>(v);
    }
    if (j.is_number_integer()) {
        const auto v = j.get<std::int64_t>();
        if (v < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
            (v > 0 && static_cast<std::uint64_t>(v) > static_cast<std::uint64_t>(std::numeric_limits<T>::max())))
            refuse();
        return static_cast<T>(v);
    }
    if (j.is_number_float()) {
        const double v = j.get<double>();
        if (!(v == std::trunc(v) && v >= static_cast<double>(std::numeric_limits<T>::min()) &&
              v <= static_cast<double>(std::numeric_limits<T>::max()) && v < 9223372036854775808.0))
            refuse();
        return static_cast<T>(v);
    }
    throw json::type_error::create(302, std::string("type must be number, but is ") + j.type_name(), &j);
}

template <typename T> T Integer(const nlohmann::json& j, const char* key, T fallback)
{
    return j.contains(key) ? Integer<T>(j.at(key)) : fallback;
}

} // namespace sim
