// A composite (the catalogue's "system") as the catalogue describes it, read from JSON.
#include "KorvelComplexMaterial.hpp"

#include "DBPrintf.h"

namespace KRV {

KorvelComplexMaterial::KorvelComplexMaterial(const json& j)
{
    name = "Undefined";
    from_json(j, *this);
}

void KorvelComplexMaterial::Print() const
{
    DBPrintf("==KorvelComplexMaterial==\n");
    DBPrintf("id: %s\n", id.ToCStr().Get());
    DBPrintf("description: %s\n", description.ToCStr().Get());
    DBPrintf("status: %s\n", serviceStatus.ToCStr().Get());
    DBPrintf("type: %s\n", type.ToCStr().Get());
    DBPrintf("name: %s\n", name.ToCStr().Get());
    for (const KorvelProperty& property : properties.GetProperties())
        property.Print();
    DBPrintf("================\n");
}

void KorvelComplexMaterial::ForEachLayer(std::function<void(Material&)> f)
{
    for (KorvelMaterial& layer : layers)
        f(layer);
}

void KorvelComplexMaterial::SetType(const GS::UniString& value)
{
    type = value;
    if (value == "Ceiling" || value == "Floor" || value == "Foundation Slab")
        typeId = 2;
    else if (value == "Roof")
        typeId = 4;
    else
        typeId = 1;
}

void from_json(const json& j, KorvelComplexMaterial& composite)
{
    json entries = json::array();
    if (j.is_null())
        return;
    if (j.is_object()) {
        auto text = [&j](const char* key, auto setter) {
            if (j.contains(key))
                setter(j.at(key).get<GS::UniString>());
        };
        text("id", [&](const GS::UniString& v) { composite.SetID(v); });
        text("name", [&](const GS::UniString& v) { composite.SetName(v); });
        text("description", [&](const GS::UniString& v) { composite.SetDescription(v); });
        text("status", [&](const GS::UniString& v) { composite.SetStatus(v); });
        text("like", [&](const GS::UniString& v) { composite.SetLike(v); });
        text("system_type", [&](const GS::UniString& v) { composite.SetType(v); });
    }
    AppendKorvelEntries(j, entries);

    if (const json* tabs = FindMember(j, "tabs"); tabs != nullptr && !tabs->is_null())
        for (const json& tab : *tabs)
            AppendTabEntries(tab, entries, "IFC - Korvel");

    KorvelProperties properties;
    from_json(entries, properties);
    composite.SetProperties(properties);

    std::vector<KorvelMaterial> layers;
    if (const json* materials = FindMember(j, "materials"); materials != nullptr) {
        for (const json& entry : *materials) {
            if (entry.is_null())
                continue;
            for (const json& article : entry.at("articles")) {
                KorvelMaterial material;
                from_json(article, material);
                layers.push_back(material);
            }
        }
    }
    if (const json* layerList = FindMember(j, "layers"); layerList != nullptr) {
        // Entries beyond the materials describe nothing and are left alone.
        std::size_t i = 0;
        for (const json& layer : *layerList) {
            if (i >= layers.size())
                break;
            layers[i].SetLayerType(layer.at("layer_type").get<GS::UniString>());
            layers[i].SetThickness(layer.at("thickness").get<double>() / 100.0);
            ++i;
        }
    }
    composite.SetLayers(layers);
}

} // namespace KRV
