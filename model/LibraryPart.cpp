// A library part file ("gsm") as the host needs it, and its record once registered.
#include "LibraryPart.hpp"

namespace KRV {

LibraryPart::LibraryPart() = default;

} // namespace KRV
