#pragma once
// The loaded add-on as the host sees it: its image, what it registered and the
// handlers it installed.
#include <map>
#include <string>
#include <vector>

#include "APIdefs_Elements.h"
#include "APIdefs_Registration.h"
#include "Loader.hpp"

namespace sim {

struct MenuRegistration {
    short menuStrResID;
    short promptStrResID;
    Int32 menuPosCode;
    GSFlags menuFlags;
};

struct FileTypeRegistration {
    Int32 refCon;
    std::string extension;
    short descStrResID;
    short descStrResItemID;
    API_IOMethod methodFlags;
};

struct ModelessWindow {
    Int32 referenceID;
    APIPaletteControlCallBackProc* callback;
    GSFlags controlFlags;
    API_Guid guid;
};

struct AddOnSlot {
    bool loaded = false;
    API_AddOnImage image{};
    API_EnvirParams environment;
    bool keepInMemory = false;

    std::vector<std::pair<GSType, Int32>> services;
    std::vector<MenuRegistration> menus;
    std::vector<FileTypeRegistration> fileTypes;
    std::map<short, APIMenuCommandProc*> menuHandlers;
    std::map<GSType, APIIOCommandProc*> fileTypeHandlers;
    APIProjectEventHandlerProc* projectEventHandler = nullptr;
    GSFlags projectEventMask = 0;
    std::map<Int32, ModelessWindow> modelessWindows;
    APIElementEventHandlerProc* newElementHandler = nullptr;
    bool newElementAllTypes = true;
    API_ElemTypeID newElementType = API_ZombieElemID;
    APIElementEventHandlerProc* elementObserver = nullptr;
};

} // namespace sim
