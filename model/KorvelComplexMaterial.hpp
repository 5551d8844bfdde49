#pragma once
// A composite (the catalogue's "system") as the catalogue describes it, read from JSON.
#include "ComplexMaterial.hpp"
#include "KorvelMaterial.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

// A composite (the service's "system") as the catalogue describes it.
class KorvelComplexMaterial : public virtual ComplexMaterial {
public:
    KorvelComplexMaterial() = default;
    explicit KorvelComplexMaterial(const json& j);
    KorvelComplexMaterial(const KorvelComplexMaterial&) = default;
    KorvelComplexMaterial& operator=(const KorvelComplexMaterial&) = default;
    KorvelComplexMaterial(KorvelComplexMaterial&&) = default;
    virtual ~KorvelComplexMaterial() = default;

    // Stores the property list in the project. Defined in aclink/ItemProperties.cpp, with the
    // writers: model/ does not know the host's project.
    bool WriteProperties() const override;
    // Reads the property list back from the project (aclink/ItemProperties.cpp too).
    void ReadProperties() override;

    void Print() const override;
    void ForEachLayer(std::function<void(Material&)> f) override;
    int GetLayersCount() const override { return static_cast<int>(layers.size()); }
    const KorvelProperties* StoredProperties(GS::UniString& text) const override
    {
        if (stored.IsEmpty())
            return nullptr;
        text = stored;
        return &properties;
    }

    GS::UniString GetID() const { return id; }
    void SetID(const GS::UniString& value) { id = value; }
    GS::UniString GetDescription() const { return description; }
    void SetDescription(const GS::UniString& value) { description = value; }
    // The service's status word of the composite (not the import outcome).
    GS::UniString GetStatus() const { return serviceStatus; }
    void SetStatus(const GS::UniString& value) { serviceStatus = value; }
    GS::UniString GetLike() const { return like; }
    void SetLike(const GS::UniString& value) { like = value; }
    GS::UniString GetType() const { return type; }
    // Also sets where the composite may be used: 2 slabs, 4 roofs, 1 walls.
    void SetType(const GS::UniString& value);
    std::vector<KorvelMaterial> GetLayers() const { return layers; }
    void SetLayers(const std::vector<KorvelMaterial>& value) { layers = value; }
    KorvelProperties GetProperties() const { return properties; }
    void SetProperties(const KorvelProperties& value) { properties = value; }

private:
    GS::UniString id = "Undefined";
    GS::UniString description = "Undefined";
    GS::UniString serviceStatus = "Undefined";
    GS::UniString like = "Undefined";
    GS::UniString type = "Undefined";
    std::vector<KorvelMaterial> layers;
    KorvelProperties properties;
    mutable GS::UniString stored; // the text WriteProperties stored
};

void from_json(const json& j, KorvelComplexMaterial& composite);

} // namespace KRV
