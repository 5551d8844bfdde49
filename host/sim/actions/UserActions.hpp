#pragma once
// What a person does in the application. Each action calls the add-on's installed
// handlers as the real application would, through the host's guard.
#include <string>

#include "APIdefs_Registration.h"
#include "DG/Browser.hpp"
#include "DG/Panel.hpp"
#include "Loader.hpp"

namespace sim::user {

struct LoadResult {
    API_AddonType type = APIAddon_DontRegister;
    GSErrCode registerCode = NoError;
    GSErrCode initializeCode = NoError;
    bool loaded = false;
};

// Environment check, registration, initialisation; stops at the first failure.
LoadResult LoadAddOn(const API_AddOnImage& image);
GSErrCode UnloadAddOn();

// Chooses item `item` of the add-on's menu `menuResID`; APIERR_BADPARS when no handler.
GSErrCode ChooseMenu(short menuResID, short item);
void SendProjectEvent(API_NotifyEventID event);

// Palettes, found by the guid the add-on registered them under.
DG::Palette* FindPalette(const GS::Guid& guid);
GSErrCode SendPaletteMessage(const GS::Guid& guid, API_PaletteMessageID message);
// Message 7: the answer the add-on wrote.
bool AskPaletteVisible(const GS::Guid& guid);
// The close box of a palette; true when the add-on accepted.
bool ClosePalette(const GS::Guid& guid);
void ResizePalette(const GS::Guid& guid, short hGrow, short vGrow);
// Clicks item `item` of the palette; false when there is no such button.
bool ClickButton(const GS::Guid& guid, short item);

// Drops a file on the host (or opens it through the host); APIERR_BADPARS when no handler
// takes the extension.
enum class FileArrival { dropped, opened };
GSErrCode DropFile(const std::string& path, FileArrival how = FileArrival::dropped);

// Calls function `function` of the JavaScript object `object` registered in a browser.
// `found` tells whether there was such a function; an escaped exception gives an empty reply.
GS::Ref<DG::JSBase> CallJS(const std::string& object, const std::string& function, GS::Ref<DG::JSBase> argument,
                           bool* found = nullptr);

} // namespace sim::user
