#pragma once
#include "CatalogueFile.hpp"
#include "Library.hpp"

namespace KRV {

class KorvelLibrary : public virtual Library {
public:
    KorvelLibrary() = default;
    KorvelLibrary(const KorvelLibrary&) = default;
    KorvelLibrary& operator=(const KorvelLibrary&) = default;
    virtual ~KorvelLibrary() = default;

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

void from_json(const json& j, KorvelLibrary& item);

} // namespace KRV
