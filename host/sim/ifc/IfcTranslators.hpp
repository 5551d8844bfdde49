#pragma once
// The host's IFC export translators, by name, in the order the host lists them.
#include <string>
#include <vector>

namespace sim {

class IfcTranslators {
public:
    const std::vector<std::string>& Names() const { return names; }
    bool Has(const std::string& name) const
    {
        for (const std::string& known : names)
            if (known == name)
                return true;
        return false;
    }
    void Replace(std::vector<std::string> list) { names = std::move(list); }
    // Whether the list is the one a new project has.
    bool AsNew() const { return names == IfcTranslators().names; }

private:
    std::vector<std::string> names = {"IFC4 Design Transfer View", "IFC2x3 Coordination View 2.0"};
};

} // namespace sim
