#pragma once
// GS::HashTable, the host library's hash map.
#include "GS/Exceptions.hpp"
#include "GS/Types.hpp"

#include <unordered_map>

namespace GS {

template <typename Key, typename Value> class HashTable {
public:
    // Returns false and changes nothing when the key is already there.
    bool Add(const Key& key, const Value& value) { return table.emplace(key, value).second; }
    void Put(const Key& key, const Value& value) { table[key] = value; }
    bool ContainsKey(const Key& key) const { return table.count(key) != 0; }
    bool Delete(const Key& key) { return table.erase(key) != 0; }
    USize GetSize() const { return static_cast<USize>(table.size()); }
    bool IsEmpty() const { return table.empty(); }
    void Clear() { table.clear(); }

    const Value& Get(const Key& key) const
    {
        auto it = table.find(key);
        if (it == table.end())
            throw IllegalArgumentException("Key not found.");
        return it->second;
    }
    Value& Get(const Key& key)
    {
        auto it = table.find(key);
        if (it == table.end())
            throw IllegalArgumentException("Key not found.");
        return it->second;
    }
    bool Get(const Key& key, Value* value) const
    {
        auto it = table.find(key);
        if (it == table.end())
            return false;
        *value = it->second;
        return true;
    }
    Value& operator[](const Key& key) { return table[key]; }

    auto begin() { return table.begin(); }
    auto end() { return table.end(); }
    auto begin() const { return table.begin(); }
    auto end() const { return table.end(); }

private:
    std::unordered_map<Key, Value> table;
};

} // namespace GS
