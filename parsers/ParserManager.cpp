// Picks the parser for a request's format and company.
#include "ParserManager.hpp"

#include "KorvelJsonParser.hpp"

namespace KRV {

std::unique_ptr<Parser> ParserManager::GetParser(ParserTypes type, Companies company)
{
    if (type == Json && company == Companies::Korvel)
        return std::make_unique<KorvelJsonParser>();
    return nullptr;
}

} // namespace KRV
