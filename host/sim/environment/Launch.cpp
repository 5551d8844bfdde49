// Making a file executable and starting it detached: recorded, and carried out with POSIX
// calls (no shell) only when a test asks for it.
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Host.hpp"
#include "OSUtils.hpp"

extern char** environ;

namespace OSUtils {

bool MakeExecutable(const GS::UniString& path)
{
    sim::Interface& ui = sim::Host::Get().UI();
    ui.launched.push_back("chmod " + path.ToUtf8());
    if (!ui.reallyLaunch)
        return std::filesystem::is_regular_file(path.ToUtf8());
    std::error_code error;
    std::filesystem::permissions(path.ToUtf8(),
                                 std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add, error);
    return !error;
}

bool StartDetached(const GS::UniString& path)
{
    sim::Interface& ui = sim::Host::Get().UI();
    ui.launched.push_back("start " + path.ToUtf8());
    if (!ui.reallyLaunch)
        return std::filesystem::is_regular_file(path.ToUtf8());
    // A session of its own: the process outlives the host and its terminal.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const std::string program = path.ToUtf8();
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const int started = posix_spawn(&pid, program.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    return started == 0;
}

} // namespace OSUtils
