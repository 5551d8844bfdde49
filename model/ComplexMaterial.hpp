#pragma once
// A composite as the host needs it: a named, ordered list of layers.
#include <functional>
#include <vector>

#include "BaseItem.hpp"
#include "KorvelProperties.hpp"
#include "Material.hpp"

namespace KRV {

// What the host's composite attribute needs: a named, ordered list of layers.
class ComplexMaterial : public virtual BaseItem {
public:
    ComplexMaterial() = default;
    ComplexMaterial(const ComplexMaterial&) = default;
    ComplexMaterial& operator=(const ComplexMaterial&) = default;
    ComplexMaterial(ComplexMaterial&&) = default;
    ComplexMaterial& operator=(ComplexMaterial&&) = default;
    virtual ~ComplexMaterial() = default;

    virtual void Print() const {}
    virtual void ForEachLayer(std::function<void(Material&)> f);
    virtual int GetLayersCount() const { return static_cast<int>(materials.size()); }
    // The catalogue properties WriteProperties stored on the composite, with their stored
    // text (`text`); null when it stored none.
    virtual const KorvelProperties* StoredProperties(GS::UniString& /*text*/) const { return nullptr; }

    GS::UniString GetName() const { return name; }
    short GetTypeID() const { return typeId; }
    std::vector<Material> GetMaterials() const { return materials; }
    short GetFramePen() const { return framePen; }
    short GetLtypeInd() const { return ltypeInd; }
    short GetLinePen() const { return linePen; }
    void SetName(GS::UniString value) { name = std::move(value); }
    void SetTypeID(short value) { typeId = value; }
    void SetMaterials(std::vector<Material> value) { materials = std::move(value); }

    bool replace = false;
    Int32 replaceId = 0;
    GS::UniString status = "Undefined"; // import outcome

protected:
    GS::UniString name;
    std::vector<Material> materials;
    short typeId = 0;
    short framePen = 1;
    short ltypeInd = 1;
    short linePen = 1;
};

} // namespace KRV
