#pragma once
#include "GS/UniString.hpp"

namespace OSUtils {
// Opens the address with the system's default handler; false when it could not.
bool OpenWithDefaultBrowser(const GS::UniString& address);
} // namespace OSUtils
