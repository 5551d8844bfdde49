// A library part file ("gsm") as the host needs it, and its record once registered.
#include "LibraryPart.hpp"

#include <cstring>

namespace KRV {

LibraryPart::LibraryPart()
{
    std::memset(&libPart, 0, sizeof libPart);
}

} // namespace KRV
