#pragma once
// Attributes by type, indexed from 1, with unique names within a type. Look-ups by
// index, name and guid take constant time.
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "APIdefs_Attributes.h"
#include "Annotations.hpp"
#include "GuidHash.hpp"
#include "ProfileVectorImage.hpp"

namespace sim {

// A composite's component and separator line, as the stand-alone host keeps them.
struct CompositeComponent {
    Int32 buildingMaterial = 0;
    short framePen = 0;
    short flagBits = 0;
    double fillThick = 0.0;
};
struct CompositeLine {
    short ltypeInd = 0;
    short linePen = 0;
    short lineType = 0;
};

struct Attribute : Annotations {
    API_AttrTypeID type = API_ZombieAttrID;
    API_AttributeIndex index = 0;
    std::string name;
    API_Guid guid{};
    // building materials
    Int32 connPriority = 0;
    Int32 cutFill = 0;
    short cutFillPen = 0;
    short cutFillBackgroundPen = 0;
    Int32 cutMaterial = 0;
    Int32 cutFillOrientation = 0;
    double thermalConductivity = 0;
    double density = 0;
    double heatCapacity = 0;
    bool showUncutLines = true;
    std::string id;
    std::string manufacturer;
    std::string description;
    // composites
    GSFlags flags = 0;
    std::vector<CompositeComponent> components;
    std::vector<CompositeLine> lines;
    int declaredComponents = -1; // what the record says when it differs from the list (a faulty host)
    // profiles: the records of the cross-section's drawing
    std::vector<ProfileVectorImage::Record> profileRecords;
};

class AttributeStore {
public:
    Attribute* Find(API_AttrTypeID type, API_AttributeIndex index);
    Attribute* FindByName(API_AttrTypeID type, const std::string& name);
    Attribute* FindByGuid(const API_Guid& guid);
    const Attribute* Find(API_AttrTypeID type, API_AttributeIndex index) const;
    const Attribute* FindByName(API_AttrTypeID type, const std::string& name) const;
    API_AttributeIndex Count(API_AttrTypeID type) const;

    // Appends the attribute to its type with the next index; the caller has checked that
    // its name and guid are free. Answers the stored attribute.
    Attribute& Add(Attribute attribute);

    // Visits the attributes of one type, lowest index first.
    template <typename F> void ForEach(API_AttrTypeID type, F visit) const
    {
        auto it = byType.find(type);
        if (it != byType.end())
            for (const Attribute& a : it->second)
                visit(a);
    }

private:
    std::map<API_AttrTypeID, std::vector<Attribute>> byType; // index i at position i - 1
    std::map<API_AttrTypeID, std::unordered_map<std::string, API_AttributeIndex>> byName;
    std::unordered_map<API_Guid, std::pair<API_AttrTypeID, API_AttributeIndex>> byGuid;
};

} // namespace sim
