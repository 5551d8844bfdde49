#pragma once
#include "CatalogueFile.hpp"
#include "LibraryPart.hpp"

namespace KRV {

class KorvelLibraryPart : public virtual LibraryPart {
public:
    KorvelLibraryPart() = default;
    KorvelLibraryPart(const KorvelLibraryPart&) = default;
    KorvelLibraryPart& operator=(const KorvelLibraryPart&) = default;
    virtual ~KorvelLibraryPart() = default;

    GS::UniString GetName() const override { return data.name; }
    void SetName(const GS::UniString& value) override { data.name = value; }
    GS::UniString GetFile() const override { return data.file; }
    void SetFile(const GS::UniString& value) override { data.file = value; }
    GS::UniString GetPath() const override { return data.path; }
    void SetPath(const GS::UniString& value) override { data.path = value; }
    GS::UniString GetImage() const override { return data.image; }
    void SetImage(const GS::UniString& value) override { data.image = value; }

    GS::UniString GetID() const { return data.id; }
    void SetID(const GS::UniString& value) { data.id = value; }
    KorvelProperties GetProperties() const { return data.properties; }
    void SetProperties(const KorvelProperties& value) { data.properties = value; }

private:
    CatalogueFile data;
};

void from_json(const json& j, KorvelLibraryPart& item);

} // namespace KRV
