// The importer base: one catalogue item bound to the model writer.
#include "BaseImporter.hpp"

#include "ParserManager.hpp"

namespace KRV {

BaseImporter::BaseImporter() : parser(ParserManager().GetParser(ParserManager::Json, ParserManager::Companies::Korvel))
{
}

} // namespace KRV
