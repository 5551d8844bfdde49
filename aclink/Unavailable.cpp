// Writers that this build does not have yet: each says so in the log and fails,
// so nothing pretends to have written to the project.
#include "ACLink.hpp"
#include "ElementAttributes.hpp"
#include "Logger.hpp"

namespace KRV {

bool ACLink::CreateComplexMaterial(ComplexMaterial& composite)
{
    composite.status = "failed";
    LogError("Composite import is not available in this version of the add-on.");
    return false;
}

bool ACLink::CreateLibrary(Library&)
{
    LogError("Library import is not available in this version of the add-on.");
    return false;
}

bool ACLink::CreateLibraryPart(LibraryPart&)
{
    LogError("Library part import is not available in this version of the add-on.");
    return false;
}

int SetAttributes(const json&, const GS::UniString& importType)
{
    LogError("Import of " + importType.ToUtf8() + " types is not available in this version of the add-on.");
    return -1;
}

} // namespace KRV
