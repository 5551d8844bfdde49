#pragma once
// Looking a code up in a table of (own kind, host code) pairs, both ways.
#include <optional>
#include <utility>

namespace sim {

template <typename Own, typename Host, std::size_t N>
std::optional<Own> OwnOf(const std::pair<Own, Host> (&table)[N], Host code)
{
    for (const auto& [own, id] : table)
        if (id == code)
            return own;
    return std::nullopt;
}

template <typename Own, typename Host, std::size_t N>
Host HostOf(const std::pair<Own, Host> (&table)[N], Own kind, Host none)
{
    for (const auto& [own, id] : table)
        if (own == kind)
            return id;
    return none;
}

} // namespace sim
