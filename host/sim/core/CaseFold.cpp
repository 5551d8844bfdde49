// Unicode simple case folding and lower-casing of one code point, from ICU.
#include "CaseFold.hpp"

#include <unicode/uchar.h>

namespace sim {

char32_t FoldCase(char32_t c)
{
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

char32_t ToLower(char32_t c)
{
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

} // namespace sim
