#pragma once
// A building material (an article) as the catalogue describes it, read from JSON.
#include "KorvelProperties.hpp"
#include "Material.hpp"

namespace KRV {

// A building material as the catalogue describes it.
class KorvelMaterial : public virtual Material {
public:
    KorvelMaterial() = default;
    KorvelMaterial(const KorvelMaterial&) = default;
    KorvelMaterial& operator=(const KorvelMaterial&) = default;
    KorvelMaterial(KorvelMaterial&&) = default;
    virtual ~KorvelMaterial() = default;

    // Stores the property list in the project. Defined in aclink/ItemProperties.cpp, with the
    // writers: model/ does not know the host's project.
    bool WriteProperties() const override;
    // Reads the property list back from the project (aclink/ItemProperties.cpp too).
    void ReadProperties() override;

    GS::UniString GetID() const { return id; }
    void SetID(const GS::UniString& value) { id = value; }
    GS::UniString GetSystemID() const { return systemId; }
    void SetSystemID(const GS::UniString& value) { systemId = value; }
    Int64 GetUpdated() const { return updated; }
    void SetUpdated(Int64 value) { updated = value; }
    KorvelProperties GetProperties() const { return properties; }
    void SetProperties(const KorvelProperties& value) { properties = value; }

private:
    GS::UniString id = "Undefined";
    GS::UniString systemId = "Undefined";
    Int64 updated = 0;
    KorvelProperties properties;
};

void from_json(const json& j, KorvelMaterial& material);
// Notes an empty payload on standard output.
void jtest(const json& j);

} // namespace KRV
