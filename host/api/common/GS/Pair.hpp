#pragma once
// GS::Pair, the host library's pair.

namespace GS {
template <typename A, typename B> struct Pair {
    A first;
    B second;
    bool operator==(const Pair& other) const { return first == other.first && second == other.second; }
};
} // namespace GS
