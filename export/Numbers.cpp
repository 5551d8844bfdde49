// Numbers the take-off reads out of texts.
#include <charconv>
#include <cmath>

#include "ExportManager.hpp"

namespace KRV {

double LeadingNumber(const GS::UniString& text)
{
    const std::string& s = text.ToUtf8();
    std::size_t at = 0;
    while (at < s.size() &&
           (s[at] == ' ' || s[at] == '\t' || s[at] == '\n' || s[at] == '\r' || s[at] == '\f' || s[at] == '\v'))
        ++at;
    if (at < s.size() && s[at] == '+')
        ++at;
    // from_chars reads in the C locale whatever the process's locale says.
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data() + at, s.data() + s.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

} // namespace KRV
