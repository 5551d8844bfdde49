#pragma once
// Library parts loaded in the project, indexed from 1, found by unique id and by name in
// constant time; and the project's library list with its embedded library.
#include <string>
#include <unordered_map>
#include <vector>

#include "GS/Types.hpp"

namespace sim {

// A parameter's type and a part's kind, as the stand-alone host names them.
enum class ParamType { integer, length, angle, real, lineType, material, fill, pen, text, boolean, separator, title };
enum class PartKind { object, window, door, lamp };

struct LibPartParameter {
    ParamType type = ParamType::text;
    std::string name;
    std::string description;
    std::string value; // text parameters; numbers as their text
    short valueDescriptionFlag = 0;
};

struct LibPart {
    Int32 index = 0;
    std::string name;     // without the file's extension
    std::string fileName; // as registered
    std::string uniqueId;
    PartKind kind = PartKind::object;
    std::string location; // the file it was loaded from ("" for parts the project file brings)
    std::vector<LibPartParameter> parameters;
    bool hasParamSection = true;
    std::string sectionText;
    // The parameters that give the thickness and the oversizes, as the part's details name them.
    struct Details {
        std::string thickness, leftOversize, rightOversize, upperOversize, lowerOversize;
    } details;
};

struct Library {
    std::string location; // a folder or a container file
    std::string name;
    bool readOnly = false;
};

class LibPartStore {
public:
    LibPartStore(); // a project has its embedded library, a folder in the work folder

    LibPart* Find(Int32 index);
    LibPart* FindByUniqueId(const std::string& uniqueId);
    LibPart* FindByName(const std::string& name);
    Int32 Count() const { return static_cast<Int32>(parts.size()); }

    // A part of a unique id already loaded is replaced in place (same index); a new one
    // gets the next index.
    LibPart& Put(LibPart part);

    template <typename F> void ForEach(F visit) const
    {
        for (const LibPart& p : parts)
            visit(p);
    }

    // The project's libraries, and which of them is the embedded library (-1: none).
    std::vector<Library> libraries;
    Int32 embeddedIndex = 0;

private:
    std::vector<LibPart> parts;
    std::unordered_map<std::string, Int32> byUniqueId;
    std::unordered_map<std::string, Int32> byName;
};

} // namespace sim
