#pragma once
// The self-update: downloads the installer and leaves a script that runs it once the host has quit.
#include <string>

#include "Environment.hpp"
#include "GS/UniString.hpp"

namespace KRV {

// Downloads a newer installer of the add-on into a folder of its own ("Installer" in the
// update folder) and starts a script, beside that folder, that opens it once the host has quit.
class SelfUpdate {
public:
    explicit SelfUpdate(const GS::UniString& address);
    // True when the installer arrived and the script was started.
    bool Update();

private:
    const GS::UniString& address;
    std::string folder; // "" when the update folder could not be made
};

// The folder `name` inside the host's special folder `id`, made when missing; "" when
// the host has no such folder or it cannot be made.
std::string GetUpdateFolderLocation(port::Folder which, const char* name);
// The script's text: it waits until no process of the host's name runs, then opens the
// installer. The path is quoted as one POSIX shell word.
std::string UpdateScript(const std::string& installerPath);

} // namespace KRV
