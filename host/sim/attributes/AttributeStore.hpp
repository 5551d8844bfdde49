#pragma once
// Attributes by kind, indexed from 1, with unique names within a kind. Look-ups by
// index, name and guid take constant time. The records are the stand-alone host's own:
// a head every attribute has and the values of its kind. Each generation's entry points
// turn them into that generation's records.
#include <map>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "API_Guid.h"
#include "Annotations.hpp"
#include "GuidHash.hpp"
#include "ProfileVectorImage.hpp"

namespace sim {

// The attribute types the host knows of (generations number them differently).
enum class AttrKind {
    pen,
    layer,
    line,
    fill,
    composite,
    surface,
    layerCombination,
    zoneCategory,
    profile,
    penTable,
    mepSystem,
    operationProfile,
    buildingMaterial
};
// An attribute's place within its kind, from 1.
using AttrIndex = Int32;

// A composite's component and separator line, as the stand-alone host keeps them.
struct CompositeComponent {
    AttrIndex buildingMaterial = 0;
    short framePen = 0;
    short flagBits = 0;
    double fillThick = 0.0;
};
struct CompositeLine {
    Int32 ltypeInd = 0; // a line type's index
    short linePen = 0;
    short lineType = 0;
};

struct AttributeHead {
    AttrKind kind = AttrKind::buildingMaterial;
    AttrIndex index = 0;
    std::string name;
    API_Guid guid{};
    GSFlags flags = 0; // composites: the element kinds they serve
};

struct BuildingMaterialValues {
    Int32 connPriority = 0;
    AttrIndex cutFill = 0;
    short cutFillPen = 0;
    short cutFillBackgroundPen = 0;
    AttrIndex cutMaterial = 0;
    Int32 cutFillOrientation = 0;
    double thermalConductivity = 0;
    double density = 0;
    double heatCapacity = 0;
    bool showUncutLines = true;
    std::string id;
    std::string manufacturer;
    std::string description;
};
struct CompositeValues {
    std::vector<CompositeComponent> components;
    std::vector<CompositeLine> lines;
    int declaredComponents = -1; // what the record says when it differs from the list (a faulty host)
};
// The records of a profile's cross-section drawing.
struct ProfileValues {
    std::vector<ProfileVectorImage::Record> records;
};
struct NoValues {};

using AttributeValues = std::variant<NoValues, BuildingMaterialValues, CompositeValues, ProfileValues>;
AttributeValues ValuesFor(AttrKind kind);

struct Attribute : AttributeHead, Annotations {
    Attribute() = default;
    explicit Attribute(AttrKind of) : values(ValuesFor(of)) { kind = of; }

    AttributeValues values;

    BuildingMaterialValues* Material() { return std::get_if<BuildingMaterialValues>(&values); }
    const BuildingMaterialValues* Material() const { return std::get_if<BuildingMaterialValues>(&values); }
    CompositeValues* Composite() { return std::get_if<CompositeValues>(&values); }
    const CompositeValues* Composite() const { return std::get_if<CompositeValues>(&values); }
    ProfileValues* Profile() { return std::get_if<ProfileValues>(&values); }
    const ProfileValues* Profile() const { return std::get_if<ProfileValues>(&values); }
};

class AttributeStore {
public:
    Attribute* Find(AttrKind kind, AttrIndex index);
    Attribute* FindByName(AttrKind kind, const std::string& name);
    Attribute* FindByGuid(const API_Guid& guid);
    const Attribute* Find(AttrKind kind, AttrIndex index) const;
    const Attribute* FindByName(AttrKind kind, const std::string& name) const;
    AttrIndex Count(AttrKind kind) const;

    // Appends the attribute to its kind with the next index (with the values of its kind
    // when it has none); the caller has checked that its name and guid are free. Answers
    // the stored attribute.
    Attribute& Add(Attribute attribute);

    // Visits the attributes of one kind, lowest index first.
    template <typename F> void ForEach(AttrKind kind, F visit) const
    {
        auto it = byKind.find(kind);
        if (it != byKind.end())
            for (const Attribute& a : it->second)
                visit(a);
    }

private:
    std::map<AttrKind, std::vector<Attribute>> byKind; // index i at position i - 1
    std::map<AttrKind, std::unordered_map<std::string, AttrIndex>> byName;
    std::unordered_map<API_Guid, std::pair<AttrKind, AttrIndex>> byGuid;
};

} // namespace sim
