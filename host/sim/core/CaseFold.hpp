#pragma once
// Unicode simple case folding and lower-casing of one code point, from ICU. Kept apart
// from the host headers, whose UChar is not ICU's.
namespace sim {
char32_t FoldCase(char32_t c);
char32_t ToLower(char32_t c);
} // namespace sim
