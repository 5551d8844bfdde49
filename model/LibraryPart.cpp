#include "LibraryPart.hpp"

#include <cstring>

namespace KRV {

LibraryPart::LibraryPart()
{
    std::memset(&libPart, 0, sizeof libPart);
}

} // namespace KRV
