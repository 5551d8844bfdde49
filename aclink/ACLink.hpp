#pragma once
// The model writer: puts catalogue items into the project.
#include <filesystem>
#include <memory>

#include "ComplexMaterial.hpp"
#include "IOLocation.hpp"
#include "Library.hpp"
#include "LibraryPart.hpp"
#include "Material.hpp"

namespace KRV {

class FileSwap;

class ACLink {
public:
    virtual ~ACLink() = default;
    // The folder library parts are copied into: "Korvel" in the embedded library, or in
    // the application data folder (added to the library list once) when the project has
    // no embedded library. `out` receives a new location the caller deletes, or null.
    virtual int GetLocation(IO::Location*& out);

    // Creates or overrides the building material; leaves "imported", "overwritten" or
    // "failed" in the material's status.
    bool CreateMaterial(Material& material);
    // Creates or replaces the composite and its layer materials; sets its status.
    bool CreateComplexMaterial(ComplexMaterial& composite);
    // Downloads and registers a library container.
    bool CreateLibrary(Library& library);
    // Downloads and registers a library part.
    bool CreateLibraryPart(LibraryPart& part);

    // Downloads the address into the temporary folder under the file name, answering where
    // in `path`; false (logged) when nothing, or nothing but an empty file, arrived.
    bool DownloadFile(const GS::UniString& address, const GS::UniString& name, std::filesystem::path& path);
    // Puts the downloaded file into the library part folder and registers it; the file it
    // replaces is kept until the host has registered the new one, and put back when the host
    // refuses it. A host error code (logged).
    int RegisterLibPart(LibraryPart& part, const std::filesystem::path& download);
    // The same, leaving the swap of the files to the caller: until it keeps it, the file
    // the new one replaced can be put back.
    int RegisterLibPart(LibraryPart& part, const std::filesystem::path& download, std::unique_ptr<FileSwap>& swap);
    // The temporary folder downloads go to.
    GS::UniString GetFolder();
};

// Replaces the catalogue's parameters of a library part ("KV_" text and title parameters)
// by a title "KV_" and a text "KV_" per property, keeping the part's own, in one write.
// When its parameters cannot be read, nothing is written; a host error code (logged).
GSErrCode ReplaceCatalogueParameters(LibraryPart& part);

// Asks whether an item of that name and kind may be replaced: 1 "Continue", 2 "Reject".
int MessageBoxAskToOverride(const GS::UniString& name, const GS::UniString& kind);
// Whether a composite of the item's name and its layer materials may be written: asks
// once for the composite and once per distinct existing layer material. True to go on.
bool OverrideComplexMaterialIfExist(ComplexMaterial& composite);
// Whether a building material of the material's name may be written: asks the user
// unless the material is to be overridden silently. True to go on.
bool OverrideBuildingMaterialIfExist(Material& material);
// Whether a library part of that name may be written. True to go on.
bool OverrideObjectIfExist(const GS::UniString& name, const GS::UniString& kind);

} // namespace KRV
