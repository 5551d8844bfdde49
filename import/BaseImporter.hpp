#pragma once
// The importer base: one catalogue item bound to the model writer.
#include <memory>

#include "GS/UniString.hpp"
#include "JsonText.hpp"
#include "Parser.hpp"

namespace KRV {

// One catalogue item bound to the model writer. The item is parsed when the importer
// is built, so a bad payload fails before anything is written.
class BaseImporter {
public:
    BaseImporter();
    virtual ~BaseImporter() = default;

    // Writes the item parsed at construction; true on success.
    virtual bool Import() = 0;
    // Writes an item made from `data`; true on success.
    virtual bool Import(const json& data) = 0;

    GS::UniString GetStatus() const { return status; }
    void SetBulk(bool value) { bulk = value; }

protected:
    std::unique_ptr<Parser> parser;
    GS::UniString status = "undefined";
    bool bulk = false;
};

} // namespace KRV
