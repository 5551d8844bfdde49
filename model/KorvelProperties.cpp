// An item's catalogue property list, in the catalogue's order.
#include "KorvelProperties.hpp"

namespace KRV {

void KorvelProperties::AddProperty(const json& property)
{
    KorvelProperty p;
    from_json(property, p);
    properties.push_back(std::move(p));
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
    if (j.is_array())
        properties.Reserve(j.size());
    for (const json& element : j)
        properties.AddProperty(element);
}

} // namespace KRV
