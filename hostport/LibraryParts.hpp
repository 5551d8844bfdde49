#pragma once
// The project's library parts and libraries as the add-on finds, reads and registers them:
// a part's record, its parameters and parameter section, and the project's library list.
#include <cstddef>
#include <memory>
#include <string>

#include "GS/Types.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

namespace KRV::port {

extern const char* const searchLibraryPartCall;
extern const char* const getLibraryPartCall;
extern const char* const registerLibraryPartCall;
extern const char* const getSectionCall;
extern const char* const addSectionCall;
extern const char* const getParametersCall;
extern const char* const buildSectionCall;
extern const char* const setDetailsCall;
extern const char* const updateSectionCall;
extern const char* const getLibrariesCall;
extern const char* const setLibrariesCall;

// The library part the host finds for that name, and the name it has; hosterr::badName
// when there is none.
GSErrCode SearchLibraryPart(const GS::UniString& name, GS::UniString& found);
// The unique id and name of the library part of that index; hosterr::badIndex when there is none.
GSErrCode LibraryPartAt(Int32 index, std::string& uniqueId, GS::UniString& name);
// The name of the library part of that unique id; hosterr::badId when there is none.
GSErrCode LibraryPartNameById(const std::string& uniqueId, GS::UniString& name);

// The host's record of a registered library part, kept whole for the calls that take it.
class LibraryPartRecord {
public:
    LibraryPartRecord();
    ~LibraryPartRecord();
    LibraryPartRecord(const LibraryPartRecord& other);
    LibraryPartRecord& operator=(const LibraryPartRecord& other);
    Int32 Index() const;
    GS::UniString Name() const;

    struct Record;
    Record& Host() { return *record; }
    const Record& Host() const { return *record; }

private:
    std::unique_ptr<Record> record;
};

// Registers the object file at `file` as the library part `name` (`placeable`: one the user
// may place); `registered` receives the host's record.
GSErrCode RegisterObject(const GS::UniString& name, const IO::Location& file, bool placeable,
                         LibraryPartRecord& registered);

// A library part's parameters in the host's memory, released with it: the ones read, or a
// list made of some of them and new ones.
class LibPartParameters {
public:
    enum class Kind { text, title, other };
    LibPartParameters();
    ~LibPartParameters();
    LibPartParameters(const LibPartParameters&) = delete;
    LibPartParameters& operator=(const LibPartParameters&) = delete;

    std::size_t Count() const;
    Kind KindOf(std::size_t i) const;
    std::string Name(std::size_t i) const;
    std::string Description(std::size_t i) const;
    // To the list being made: a parameter of another list as it is, a title, a text.
    void Take(const LibPartParameters& from, std::size_t i);
    void AddTitle(const std::string& name, const std::string& description);
    void AddText(const std::string& name, const std::string& description, const std::string& value);
    // The list made into the host's memory; false when the host has none for it.
    bool Make();

    struct Record;
    Record& Host() { return *record; }

private:
    std::unique_ptr<Record> record;
};
GSErrCode ReadParameters(Int32 part, LibPartParameters& parameters);

// A library part's parameter section and its text, in the host's memory, released with it.
class ParameterSection {
public:
    ParameterSection();
    ~ParameterSection();
    ParameterSection(const ParameterSection&) = delete;
    ParameterSection& operator=(const ParameterSection&) = delete;

    struct Record;
    Record& Host() { return *record; }

private:
    std::unique_ptr<Record> record;
};
// hosterr::noLibrarySection when the part has none.
GSErrCode ReadParameterSection(Int32 part, ParameterSection& section);
// An empty parameter section added to the part; hosterr::memoryFull when no handle could hold it.
GSErrCode AddParameterSection(Int32 part, ParameterSection& section);
// The section built from `parameters`, given the host's oversize parameters, and written
// with `text`; `failedCall` names the call that failed.
GSErrCode WriteParameterSection(const LibraryPartRecord& part, ParameterSection& section, LibPartParameters& parameters,
                                const GS::UniString& text, const char*& failedCall);

// The project's library list, kept whole for writing it back.
class LibraryList {
public:
    LibraryList();
    ~LibraryList();
    LibraryList(const LibraryList&) = delete;
    LibraryList& operator=(const LibraryList&) = delete;

    std::size_t Count() const;
    const IO::Location& Location(std::size_t i) const;
    bool Lists(const IO::Location& location) const;
    void Add(const IO::Location& location);

    struct Record;
    Record& Host() { return *record; }

private:
    std::unique_ptr<Record> record;
};
// The project's libraries, and the position of its embedded library in the list (-1: none),
// when asked for.
GSErrCode ReadLibraries(LibraryList& libraries, Int32* embedded = nullptr);
GSErrCode WriteLibraries(LibraryList& libraries);

} // namespace KRV::port
