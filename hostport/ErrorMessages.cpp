// Turns a failed host call's error code into a readable error line in the log.
#include "ErrorMessages.hpp"

#include <utility>

#include "APIErrors.h"
#include "Logger.hpp"

namespace KRV {

const std::map<int, std::string> err_msgs = {
    {APIERR_GENERAL, "APIERR_GENERAL - General error code."},
    {APIERR_MEMFULL, "APIERR_MEMFULL - Insufficient memory."},
    {APIERR_CANCEL, "APIERR_CANCEL - The operation has been canceled by the user."},
    {APIERR_BADID, "APIERR_BADID - The passed identifier is not valid."},
    {APIERR_BADINDEX, "APIERR_BADINDEX - The passed index is out of range."},
    {APIERR_BADNAME, "APIERR_BADNAME - The passed name is not valid."},
    {APIERR_BADPARS, "APIERR_BADPARS - The passed parameters are inconsistent."},
    {APIERR_BADPOLY, "APIERR_BADPOLY - The passed polygon cannot be interpreted."},
    {APIERR_BADDATABASE, "APIERR_BADDATABASE - The command cannot be executed on the current database."},
    {APIERR_BADWINDOW, "APIERR_BADWINDOW - The command cannot be executed while the current window is active."},
    {APIERR_BADKEYCODE, "APIERR_BADKEYCODE - The key code cannot be found in the listing database."},
    {APIERR_BADPLATFORMSIGN,
     "APIERR_BADPLATFORMSIGN - The passed platform sign is not valid.See ACAPI_ModulData_Store."},
    {APIERR_BADPLANE, "APIERR_BADPLANE - The plane equation is incorrect."},
    {APIERR_BADUSERID, "APIERR_BADUSERID - The passed user ID (TeamWork client) is not valid."},
    {APIERR_BADVALUE, "APIERR_BADVALUE - The passed autotext value is not valid."},
    {APIERR_BADELEMENTTYPE, "APIERR_BADELEMENTTYPE - The function cannot be applied to the passed element type."},
    {APIERR_IRREGULARPOLY, "APIERR_IRREGULARPOLY - The passed polygon or polyline is irregular."},
    {APIERR_BADEXPRESSION, "APIERR_BADEXPRESSION - The passed expression string is syntactically incorrect."},
    {APIERR_BADPROPERTY, "APIERR_BADPROPERTY - The property for the passed definition is not available."},
    {APIERR_NO3D, "APIERR_NO3D - The referenced element has no 3D representation."},
    {APIERR_NOMORE, "APIERR_NOMORE - No more database items can be returned."},
    {APIERR_NOPLAN, "APIERR_NOPLAN - There is no open project."},
    {APIERR_NOLIB, "APIERR_NOLIB - No library was loaded.The operation cannot be executed without a loaded library.Can "
                   "be returned by ACAPI_LibPart_Create."},
    {APIERR_NOLIBSECT, "APIERR_NOLIBSECT - The requested library part section is not found."},
    {APIERR_NOSEL, "APIERR_NOSEL - No selection."},
    {APIERR_NOTEDITABLE, "APIERR_NOTEDITABLE - The referenced element is not editable."},
    {APIERR_NOTSUBTYPEOF, "APIERR_NOTSUBTYPEOF - The library part is not a subtype of the other library part."},
    {APIERR_NOTEQUALMAIN, "APIERR_NOTEQUALMAIN - The main GUIDs of the two library parts are not equal."},
    {APIERR_NOTEQUALREVISION, "APIERR_NOTEQUALREVISION - The main GUIDs are equal but the revision GUIDs are not."},
    {APIERR_NOTEAMWORKPROJECT, "APIERR_NOTEAMWORKPROJECT - There is no open project, or it is not a TeamWork project."},
    {APIERR_NOUSERDATA, "APIERR_NOUSERDATA - The element has no user data attached."},
    {APIERR_MOREUSER, "APIERR_MOREUSER - The user data cannot be assigned because more users share it."},
    {APIERR_LINKEXIST, "APIERR_LINKEXIST - The link already exists."},
    {APIERR_LINKNOTEXIST, "APIERR_LINKNOTEXIST - The link does not exist."},
    {APIERR_WINDEXIST, "APIERR_WINDEXIST - The window to be opened already exists."},
    {APIERR_WINDNOTEXIST, "APIERR_WINDNOTEXIST - The referenced window does not exist."},
    {APIERR_UNDOEMPTY, "APIERR_UNDOEMPTY - No undoable entry has got into the undo queue."},
    {APIERR_REFERENCEEXIST, "APIERR_REFERENCEEXIST - The reference already exists."},
    {APIERR_NAMEALREADYUSED, "APIERR_NAMEALREADYUSED - The name is already in use."},
    {APIERR_ATTREXIST, "APIERR_ATTREXIST - An attribute with the same name already exists."},
    {APIERR_DELETED, "APIERR_DELETED - Reference to a deleted, purged or non - existent database item."},
    {APIERR_LOCKEDLAY, "APIERR_LOCKEDLAY - The referenced layer is locked."},
    {APIERR_HIDDENLAY, "APIERR_HIDDENLAY - The referenced layer is hidden."},
    {APIERR_INVALFLOOR, "APIERR_INVALFLOOR - The passed floor index is out of range."},
    {APIERR_NOTMINE, "APIERR_NOTMINE - The database item is not in the user's workspace."},
    {APIERR_NOACCESSRIGHT, "APIERR_NOACCESSRIGHT - The user has no access right to the database item."},
    {APIERR_MODULNOTINSTALLED, "APIERR_MODULNOTINSTALLED - The referenced add-on is not installed."},
    {APIERR_MODULCMDMINE, "APIERR_MODULCMDMINE - The target add-on is the caller add-on."},
    {APIERR_MODULCMDNOTSUPPORTED,
     "APIERR_MODULCMDNOTSUPPORTED - The referenced command is not supported by the target add-on."},
    {APIERR_MODULCMDVERSNOTSUPPORTED, "APIERR_MODULCMDVERSNOTSUPPORTED - The requested command version is newer than "
                                      "the one the target add-on supports."},
    {APIERR_NOMODULEDATA, "APIERR_NOMODULEDATA - No add-on data is stored under the given name."},
    {APIERR_PAROVERLAP, "APIERR_PAROVERLAP - Paragraphs overlap in the passed text."},
    {APIERR_PARMISSING, "APIERR_PARMISSING - A paragraph is missing from the passed text."},
    {APIERR_PAROVERFLOW, "APIERR_PAROVERFLOW - A paragraph reaches beyond the end of the passed text."},
    {APIERR_PARIMPLICIT, "APIERR_PARIMPLICIT - A line end character stands inside a paragraph."},
    {APIERR_RUNOVERLAP, "APIERR_RUNOVERLAP - Runs overlap in the passed text."},
    {APIERR_RUNMISSING, "APIERR_RUNMISSING - A run is missing from the passed text."},
    {APIERR_RUNOVERFLOW, "APIERR_RUNOVERFLOW - A run reaches beyond the end of its paragraph."},
    {APIERR_RUNIMPLICIT, "APIERR_RUNIMPLICIT - A run ends at a line end character."},
    {APIERR_RUNPROTECTED, "APIERR_RUNPROTECTED - The run is protected and cannot be changed."},
    {APIERR_EOLOVERLAP, "APIERR_EOLOVERLAP - Line end positions overlap in the passed text."},
    {APIERR_TABOVERLAP, "APIERR_TABOVERLAP - Tabulator positions overlap in the passed text."},
    {APIERR_NOTINIT, "APIERR_NOTINIT - The command needs initialization by an earlier call."},
    {APIERR_NESTING, "APIERR_NESTING - The API functions were called in a nested way that is not allowed."},
    {APIERR_NOTSUPPORTED, "APIERR_NOTSUPPORTED - The command is not supported by this server application."},
    {APIERR_REFUSEDCMD, "APIERR_REFUSEDCMD - The passed command cannot be executed in the current situation."},
    {APIERR_REFUSEDPAR, "APIERR_REFUSEDPAR - The command cannot be executed with the passed parameters."},
    {APIERR_READONLY, "APIERR_READONLY - The database item or the project is read-only."},
    {APIERR_SERVICEFAILED, "APIERR_SERVICEFAILED - The invoked service of another add-on failed."},
    {APIERR_COMMANDFAILED, "APIERR_COMMANDFAILED - The invoked undoable command failed."},
    {APIERR_NEEDSUNDOSCOPE,
     "APIERR_NEEDSUNDOSCOPE - The called function modifies the project and must run inside an undoable command."},
    {APIERR_MISSINGCODE, "APIERR_MISSINGCODE - The function is not implemented in the host."},
    {APIERR_MISSINGDEF, "APIERR_MISSINGDEF - The definition of the called function is missing from the host."},
};

namespace {
std::string lastFailedCall;
}

std::string TakeLastFailedCall()
{
    return std::exchange(lastFailedCall, std::string());
}

void LogArchicadErrorCodeMessage(int errorCode, const char* context)
{
    if (errorCode == NoError)
        return;
    lastFailedCall = context != nullptr ? context : "";
    std::string text = "Archicad API Error: ";
    auto it = err_msgs.find(errorCode);
    text += it != err_msgs.end() ? it->second : "Unspecified error message";
    if (context != nullptr)
        text += std::string(" (") + context + ")";
    LogError(text);
}

bool ReadSucceeded(int errorCode, const char* context, int absent)
{
    if (errorCode == 0 || (absent != 0 && errorCode == absent))
        return true;
    LogArchicadErrorCodeMessage(errorCode, context);
    return false;
}

void LogArchicadErrorCodeMessage(int errorCode, const char* operation, const char* call)
{
    if (errorCode != 0)
        LogArchicadErrorCodeMessage(errorCode, (std::string(operation) + call).c_str());
}

void LogArchicadErrorCodeMessage(int errorCode, const std::string& operation, const char* call)
{
    LogArchicadErrorCodeMessage(errorCode, operation.c_str(), call);
}

bool ReadSucceeded(int errorCode, const char* operation, const char* call, int absent)
{
    if (errorCode == 0 || (absent != 0 && errorCode == absent))
        return true;
    LogArchicadErrorCodeMessage(errorCode, operation, call);
    return false;
}

} // namespace KRV
