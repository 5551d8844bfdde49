// A composite as the host needs it: a named, ordered list of layers.
#include "ComplexMaterial.hpp"

namespace KRV {

void ComplexMaterial::ForEachLayer(std::function<void(Material&)> f)
{
    for (Material& material : materials)
        f(material);
}

} // namespace KRV
