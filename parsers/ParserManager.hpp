#pragma once
// Picks the parser for a request's format and company.
#include <memory>

#include "Parser.hpp"

namespace KRV {

class ParserManager {
public:
    enum ParserTypes { Json = 0, Other = 1 };
    enum class Companies { Korvel = 0, Other = 1 };

    virtual ~ParserManager() = default;
    // A new parser for (Json, Korvel); empty for every other combination.
    std::unique_ptr<Parser> GetParser(ParserTypes type, Companies company);
};

} // namespace KRV
