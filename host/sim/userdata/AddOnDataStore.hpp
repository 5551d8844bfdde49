#pragma once
// The project's add-on data records, by key (the order ACAPI_ModulData_GetList lists them in).
#include <map>
#include <string>
#include <vector>

#include "GS/Types.hpp"

namespace sim {

struct AddOnDataRecord {
    Int32 version = 0;
    unsigned short platformSign = 0;
    std::string bytes;
};

class AddOnDataStore {
public:
    // Stores the record under the key, replacing one there.
    void Put(const std::string& key, AddOnDataRecord record) { records[key] = std::move(record); }
    // The record of that key; null when there is none.
    const AddOnDataRecord* Find(const std::string& key) const
    {
        auto it = records.find(key);
        return it != records.end() ? &it->second : nullptr;
    }
    bool Has(const std::string& key) const { return records.count(key) != 0; }
    // The record of that key (std::out_of_range when there is none).
    const AddOnDataRecord& At(const std::string& key) const { return records.at(key); }
    // Every key, in order.
    std::vector<std::string> Keys() const
    {
        std::vector<std::string> keys;
        for (const auto& [key, record] : records)
            keys.push_back(key);
        return keys;
    }

private:
    std::map<std::string, AddOnDataRecord> records;
};

} // namespace sim
