#pragma once
// GS::Array, the host library's growable array.
#include "GS/Exceptions.hpp"
#include "GS/Types.hpp"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace GS {

template <typename T> class Array {
public:
    Array() = default;
    Array(std::initializer_list<T> items) : items(items) {}

    USize GetSize() const { return static_cast<USize>(items.size()); }
    bool IsEmpty() const { return items.empty(); }
    void Push(const T& item) { items.push_back(item); }
    void Push(T&& item) { items.push_back(std::move(item)); }
    void Clear() { items.clear(); }
    void Delete(UIndex index) { items.erase(items.begin() + Checked(index)); }
    void Insert(UIndex index, const T& item)
    {
        items.insert(items.begin() + std::min<std::size_t>(index, items.size()), item);
    }
    bool Contains(const T& item) const { return std::find(items.begin(), items.end(), item) != items.end(); }
    T& operator[](UIndex index) { return items[Checked(index)]; }
    const T& operator[](UIndex index) const { return items[Checked(index)]; }
    T& GetLast() { return items.at(items.size() - 1); }

    auto begin() { return items.begin(); }
    auto end() { return items.end(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }

    bool operator==(const Array& other) const { return items == other.items; }

private:
    std::size_t Checked(UIndex index) const
    {
        if (index >= items.size())
            throw IndexOutOfRangeException();
        return index;
    }
    std::vector<T> items;
};

} // namespace GS
