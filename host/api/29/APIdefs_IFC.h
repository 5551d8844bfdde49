#pragma once
// Generation 29: IFC export: the host's translators, and saving the project as an IFC file.
#include "API_Guid.h"
#include "GS/Array.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

struct API_IFCTranslatorIdentifier {
    GS::UniString name;
    GSHandle innerReference = nullptr;

    API_IFCTranslatorIdentifier() = default;
    API_IFCTranslatorIdentifier(const API_IFCTranslatorIdentifier&) = default;
    API_IFCTranslatorIdentifier(API_IFCTranslatorIdentifier&&) = default;
    API_IFCTranslatorIdentifier& operator=(const API_IFCTranslatorIdentifier&) = default;
    API_IFCTranslatorIdentifier& operator=(API_IFCTranslatorIdentifier&&) = default;
    void Swap(API_IFCTranslatorIdentifier& other)
    {
        std::swap(name, other.name);
        std::swap(innerReference, other.innerReference);
    }
};
// The first translator is the preview one.
GSErrCode ACAPI_IFC_GetIFCExportTranslatorsList(GS::Array<API_IFCTranslatorIdentifier>& ifcExportTranslators);

enum API_FTypeID : Int32 { APIFType_None = 0, APIFType_IfcFile = 41 };

struct API_FileSavePars {
    API_FTypeID fileTypeID;
    IO::Location* file;
};

enum API_IfcTypeID : Int32 { API_IFC = 0, API_IFCZIP = 1 };
enum API_ElementsToIfcExportID : Int32 {
    API_EntireProject = 1,
    API_VisibleElementsOnAllStories,
    API_AllElementsOnCurrentStorey,
    API_VisibleElementsOnCurrentStorey,
    API_SelectedElementsOnly,
    API_FilteredElements,
};

struct API_SavePars_Ifc {
    API_IfcTypeID subType;
    API_IFCTranslatorIdentifier translatorIdentifier;
    API_ElementsToIfcExportID elementsToIfcExport;
    const GS::Array<API_Guid>* elementsSet;
    bool includeBoundingBoxGeometry;
};

struct API_IFCRelationshipData;

// Saving: one overload per file type; this one saves the project as IFC. APIERR_REFUSEDCMD
// from a notification.
GSErrCode ACAPI_ProjectOperation_Save(const API_FileSavePars* fileSavePars, const API_SavePars_Ifc* formatPars,
                                      API_IFCRelationshipData* resultData = nullptr);
