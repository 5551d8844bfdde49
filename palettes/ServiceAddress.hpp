#pragma once
// The address of the service's web interface.

namespace KRV {
// The service's web interface; fixed when the add-on is built.
inline constexpr const char* serviceBaseAddress = KORVEL_BASE_URL;
} // namespace KRV
