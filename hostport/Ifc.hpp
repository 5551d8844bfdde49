#pragma once
// IFC: an element's IFC attributes, and the project saved as an IFC file by one of the
// host's export translators.
#include <memory>
#include <utility>
#include <vector>

#include "API_Guid.h"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

namespace KRV::port {

// The element's IFC attributes, names and values, in the host's order.
GSErrCode IfcAttributes(const API_Guid& element, std::vector<std::pair<GS::UniString, GS::UniString>>& attributes);
extern const char* const ifcAttributesCall;

// The host's IFC export translators, as listed once.
class IfcTranslators {
public:
    IfcTranslators();
    ~IfcTranslators();
    IfcTranslators(const IfcTranslators&) = delete;
    IfcTranslators& operator=(const IfcTranslators&) = delete;

    GSErrCode Read();
    // The position of the first translator of that name, or -1.
    long Find(const GS::UniString& name) const;
    // Saves the whole project as an IFC file at `file`, by the translator at `position`.
    GSErrCode SaveProject(long position, const IO::Location& file) const;

private:
    struct Listed;
    std::unique_ptr<Listed> listed;
};
extern const char* const ifcTranslatorsCall;
extern const char* const saveIfcCall;

} // namespace KRV::port
