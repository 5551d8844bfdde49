#include "BaseImporter.hpp"

#include "ParserManager.hpp"

namespace KRV {

BaseImporter::BaseImporter() : parser(ParserManager().GetParser(ParserManager::Json, ParserManager::Companies::Korvel))
{
}

} // namespace KRV
