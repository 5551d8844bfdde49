// The self-update: downloads the installer and leaves a script that runs it once the host has quit.
#include "SelfUpdate.hpp"

#include <filesystem>
#include <fstream>

#include "Address.hpp"
#include "Download.hpp"
#include "Logger.hpp"
#include "Names.hpp"
#include "OSUtils.hpp"

namespace KRV {

namespace {

constexpr const char* scriptName = "/Korvel_Add-on_Update.sh";
// The installer keeps the name the address gives it, in a folder of its own: no name can
// then fall on the script (nor, on a file system that ignores case, on any casing of it).
constexpr const char* installerFolderName = "/Installer";
constexpr std::size_t pathLimit = 1024; // the installer's path with its terminating zero

bool Refuse(const std::string& why)
{
    LogError("Self-update: " + why);
    return false;
}

} // namespace

std::string GetUpdateFolderLocation(port::Folder which, const char* name)
{
    IO::Location location;
    if (port::SpecialFolder(which, location) != NoError)
        return std::string();
    if (location.AppendToLocal(IO::Name(name)) != NoError)
        return std::string();
    IO::Folder folder(location, IO::Folder::Create);
    if (folder.GetStatus() != NoError)
        return std::string();
    return location.ToDisplayText().ToUtf8();
}

std::string UpdateScript(const std::string& installerPath)
{
    std::string quoted;
    for (char c : installerPath)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return "#!/bin/sh\n"
           "\n"
           "PROCESS=Archicad\n"
           "while :\n"
           "do\n"
           "\tnumber=$(ps aux | grep -v grep | grep -ci $PROCESS)\n"
           "\n"
           "\tif [ $number -eq 0 ]\n"
           "\t\tthen\n"
           "\t\t\tbreak\n"
           "\tfi\n"
           "\tsleep 0.5\n"
           "done\n"
           "\n"
           "open '" +
           quoted + "'\n";
}

SelfUpdate::SelfUpdate(const GS::UniString& address)
    : address(address), folder(GetUpdateFolderLocation(port::Folder::applicationData, "Korvel Add-on Update"))
{
}

bool SelfUpdate::Update()
{
    const std::string url = address.ToUtf8();
    std::string reason;
    if (!net::IsAllowedAddress(url, &reason))
        return Refuse("the installer's address is refused: " + reason + ".");
    const std::string name = net::LastPathSegment(url);
    if (!net::IsSafeFileName(name, &reason)) // refuses "", "." and ".." too
        return Refuse("the installer's address names no file (" + net::Printable(url) + ").");
    if (folder.empty())
        return Refuse("the update folder could not be made.");
    const std::string installerFolder = folder + installerFolderName;
    const std::string installer = installerFolder + "/" + name;
    if (installer.size() + 1 > pathLimit)
        return Refuse("the installer's path is longer than " + std::to_string(pathLimit - 1) + " bytes.");
    std::error_code made;
    std::filesystem::create_directories(installerFolder, made);
    if (made || !std::filesystem::is_directory(installerFolder, made))
        return Refuse("the installer's folder could not be made.");
    if (!net::Download(url, installer, nullptr))
        return false; // logged, nothing kept
    std::error_code error;
    if (std::filesystem::file_size(installer, error) == 0 || error) {
        std::filesystem::remove(installer, error);
        return Refuse("the installer downloaded from " + net::Printable(url) + " is empty.");
    }
    const std::string script = folder + scriptName;
    {
        std::ofstream file(script, std::ios::out | std::ios::trunc);
        file << UpdateScript(installer);
        if (!file.flush())
            return Refuse("the update script could not be written.");
    }
    if (!OSUtils::MakeExecutable(GS::UniString(script)) || !OSUtils::StartDetached(GS::UniString(script)))
        return Refuse("the update script could not be started.");
    return true;
}

} // namespace KRV
