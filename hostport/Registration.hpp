#pragma once
// The add-on's place in the application: what it registers (service, menus, file type),
// the handlers it installs (menus, dropped files, project events), its palettes, its string
// resources, and staying loaded. Handlers take the add-on's own terms; the port turns the
// host's records into them.
#include "API_Guid.h"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

// What a palette's control callback is told.
enum class PaletteMessage { close, beginHide, endHide, beginDisable, endDisable, open, isVisible, other };
// The project events the add-on tells apart.
enum class ProjectEvent { quit, other };
// Which project events a handler hears of.
enum class ProjectEvents { quit, all };

using MenuHandler = GSErrCode (*)(short menuResId, short itemIndex);
// A file the user dropped on the host (`dropped` false: it arrived some other way).
using FileHandler = GSErrCode (*)(const GS::UniString& path, bool dropped, bool hasFile);
using ProjectEventHandler = GSErrCode (*)(ProjectEvent event, Int32 param);
using PaletteCallback = GSErrCode (*)(Int32 referenceId, PaletteMessage message, GS::IntPtr param);

GSErrCode RegisterService(GSType service, Int32 version);
GSErrCode RegisterMenu(short menuResId, short promptResId, Int32 menuPosition, GSFlags flags);
// A file type by its extension: files of it can be dropped on the host.
GSErrCode RegisterFileType(Int32 fileType, const char* extension, short descriptionResId);
GSErrCode InstallMenuHandler(short menuResId, MenuHandler handler);
GSErrCode InstallFileHandler(Int32 fileType, FileHandler handler);
// One handler: a later call replaces the earlier handler and its events.
GSErrCode CatchProjectEvents(ProjectEvents events, ProjectEventHandler handler);
GSErrCode RegisterPalette(Int32 referenceId, PaletteCallback callback, const API_Guid& guid);
void KeepInMemory(bool keep);

// The add-on's own resource module, and a string item of one of its string resources.
GSResModule OwnResources();
bool ResourceString(GS::UniString& text, short resId, short index);

} // namespace KRV::port
