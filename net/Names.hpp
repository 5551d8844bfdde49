#pragma once
// The rules for names that reach the file system or the operating system: catalogue and
// installer file names, the IFC file's name, and the links the page may open.
#include <string>

namespace KRV::net {

// Whether a name from the catalogue or an address can be used as a file name: not empty,
// no leading "." (so no ".."), no separators, no control characters. Otherwise `reason`
// says why.
bool IsSafeFileName(const std::string& name, std::string* reason = nullptr);

// The project's name as the IFC file's name: characters that would leave the folder or
// that a file system refuses become "_", and ".ifc" follows. False for "." and "..",
// which are no names at all.
bool IfcFileName(const std::string& projectName, std::string& fileName);

// Only web and mail addresses may be handed to the operating system.
bool IsOpenableLink(const std::string& address);

} // namespace KRV::net
