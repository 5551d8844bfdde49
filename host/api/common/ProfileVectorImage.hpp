#pragma once
// The drawing of a profile's cross-section: a list of records (hatches, lines, arcs ...).
// Hatches carry the building material the profile is made of there.
#include <vector>

#include "APIdefs_Attributes.h"
#include "GS/Types.hpp"

class HatchObject {
public:
    explicit HatchObject(API_AttributeIndex buildingMaterial = {}) : buildingMaterial(buildingMaterial) {}
    API_AttributeIndex GetBuildMatIdx() const { return buildingMaterial; }

private:
    API_AttributeIndex buildingMaterial;
};

class ProfileVectorImage {
public:
    enum RecordType { Hatch, Line, Arc, Text };
    struct Record {
        RecordType type = Line;
        API_AttributeIndex buildingMaterial{}; // hatches
    };

    ProfileVectorImage() = default;
    explicit ProfileVectorImage(std::vector<Record> records) : records(std::move(records)) {}

    USize GetItemCount() const { return static_cast<USize>(records.size()); }
    RecordType GetItemType(UIndex index) const { return records.at(index).type; }
    // The hatch of record `index`; raises std::out_of_range when there is no such record.
    HatchObject GetHatchObject(UIndex index) const { return HatchObject(records.at(index).buildingMaterial); }

private:
    std::vector<Record> records;
};
