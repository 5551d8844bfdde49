#pragma once
// The project's attributes as the add-on reads and writes them: building materials,
// composites with their components and separator lines, and profiles' materials (their
// user data is with the add-on's other data, in AddOnData.hpp).
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "API_Guid.h"
#include "AttributeRef.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

extern const char* const getAttributeCall;
extern const char* const searchAttributeCall;
extern const char* const attributeCountCall;
extern const char* const compositeDefinitionCall;
extern const char* const compositeComponentsCall;
extern const char* const modifyCompositeCall;
extern const char* const profileDefinitionCall;
extern const char* const elementPriorityCall;

// Which attribute, its flags (a composite's: what it may build), name and guid.
struct AttributeHead {
    AttrRef ref;
    UInt32 flags = 0;
    GS::UniString name;
    API_Guid guid{};
};

struct BuildingMaterialValues {
    Int32 connPriority = 0;
    Int32 cutFill = 0;
    short cutFillPen = 0;
    short cutFillBackgroundPen = 0;
    Int32 cutMaterial = 0;
    Int32 cutFillOrientation = 0;
    double thermalConductivity = 0.0;
    double density = 0.0;
    double heatCapacity = 0.0;
    bool showUncutLines = false;
};

struct CompositeValues {
    double totalThickness = 0.0;
    short componentCount = 0;
    short lineCount = 0;
};

// An attribute record: the head, and the values of its type.
struct Attribute {
    Attribute() = default;
    explicit Attribute(AttrRef ref) { head.ref = ref; }
    AttributeHead head;
    BuildingMaterialValues material;
    CompositeValues composite;
};

struct CompositeComponent {
    Int32 buildingMaterial = 0;
    short framePen = 0;
    short flagBits = 0;
    double thickness = 0.0;
};

struct CompositeLine {
    short lineType = 0;
    short pen = 0;
    short kind = 0;
};

// A composite's components and separator lines in the host's memory, released with it.
class CompositeDefinition {
public:
    CompositeDefinition();
    ~CompositeDefinition();
    CompositeDefinition(const CompositeDefinition&) = delete;
    CompositeDefinition& operator=(const CompositeDefinition&) = delete;

    // Room for that many components and lines, all zero; false when the host has no memory.
    bool Allocate(std::size_t components, std::size_t lines);
    // As many as the host's memory holds.
    std::size_t ComponentCount() const;
    std::size_t LineCount() const;
    CompositeComponent Component(std::size_t i) const;
    void SetComponent(std::size_t i, const CompositeComponent& component);
    CompositeLine Line(std::size_t i) const;
    void SetLine(std::size_t i, const CompositeLine& line);

    struct Record;
    Record& Host() { return *record; }

private:
    std::unique_ptr<Record> record;
};

// How many attributes of that type the project has (the highest index).
GSErrCode AttributeCount(AttrType type, Int32& count);
// The attribute `attribute.head.ref` names, or, with index 0, the one of `attribute.head.name`.
GSErrCode GetAttribute(Attribute& attribute);
// The head of the attribute of that type and name.
GSErrCode SearchAttribute(AttributeHead& head);
// A new building material, or the one of that name changed; its head is as the host leaves it.
GSErrCode CreateBuildingMaterial(Attribute& material, const GS::UniString& manufacturer,
                                 const GS::UniString& description);
GSErrCode ModifyBuildingMaterial(Attribute& material, const GS::UniString& manufacturer,
                                 const GS::UniString& description);
// A composite's components and lines, as many as its definition holds.
GSErrCode ReadCompositeDefinition(Int32 composite, CompositeDefinition& definition);
// A composite's components, no more than its record counts.
GSErrCode ReadCompositeComponents(const Attribute& composite, std::vector<CompositeComponent>& components);
// A new composite, or one changed; its head is as the host leaves it.
GSErrCode CreateComposite(Attribute& composite, CompositeDefinition& definition);
GSErrCode ModifyComposite(Attribute& composite, CompositeDefinition& definition);
// The building material of a profile's last hatch (0 when it has none).
GSErrCode ProfileHatchMaterial(Int32 profile, Int32& material);
// The project's element priority of a priority as the user interface gives it.
GSErrCode ElementPriority(Int32 uiPriority, Int32& elemPriority);

} // namespace KRV::port
