#pragma once
// What the add-on asks of the operating system: opening links, starting scripts.
#include "GS/UniString.hpp"

namespace OSUtils {
// Opens the address with the system's default handler; false when it could not.
bool OpenWithDefaultBrowser(const GS::UniString& address);
// Makes the file executable by everyone (chmod a+x); false when it could not.
bool MakeExecutable(const GS::UniString& path);
// Starts the executable as a process of its own that outlives the host, without a
// shell; false when it could not be started.
bool StartDetached(const GS::UniString& path);
} // namespace OSUtils
