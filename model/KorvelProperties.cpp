#include "KorvelProperties.hpp"

namespace KRV {

void KorvelProperties::AddProperty(json property)
{
    KorvelProperty p;
    from_json(property, p);
    properties.push_back(p);
}

GS::UniString KorvelProperties::GetPropertyValueByName(const GS::UniString& name) const
{
    for (const KorvelProperty& p : properties)
        if (p.GetName() == name)
            return p.GetValue();
    return GS::UniString();
}

void from_json(const json& j, KorvelProperties& properties)
{
    if (j.is_null())
        return;
    for (const json& element : j)
        properties.AddProperty(element);
}

} // namespace KRV
