// Which addresses the add-on may talk to: https anywhere, http only to this machine.
#include "Address.hpp"

#include <cstdio>
#include <curl/curl.h>
#include <memory>

namespace KRV::net {

namespace {

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct TextDeleter {
    void operator()(char* text) const { curl_free(text); }
};

std::string Part(CURLU* url, CURLUPart part)
{
    char* raw = nullptr;
    if (curl_url_get(url, part, &raw, 0) != CURLUE_OK || raw == nullptr)
        return std::string();
    std::unique_ptr<char, TextDeleter> text(raw);
    return std::string(text.get());
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsLoopback(const std::string& host)
{
    if (host == "localhost" || host == "[::1]" || host == "::1")
        return true;
    // 127.0.0.0/8 written as a dotted quad.
    unsigned a = 0, b = 0, c = 0, d = 0;
    char rest = 0;
    if (std::sscanf(host.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &rest) != 4)
        return false;
    return a == 127 && b < 256 && c < 256 && d < 256;
}

std::unique_ptr<CURLU, UrlDeleter> Parse(const std::string& address)
{
    std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    if (url == nullptr || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) != CURLUE_OK)
        return nullptr;
    return url;
}

} // namespace

bool IsAllowedAddress(const std::string& address, std::string* reason)
{
    auto fail = [&](const std::string& why) {
        if (reason != nullptr)
            *reason = why;
        return false;
    };
    for (unsigned char c : address)
        if (c <= ' ' || c == 0x7F)
            return fail("the address holds blanks or control characters");
    auto url = Parse(address);
    if (url == nullptr)
        return fail("not an address");
    const std::string scheme = Lower(Part(url.get(), CURLUPART_SCHEME));
    const std::string host = Lower(Part(url.get(), CURLUPART_HOST));
    if (scheme != "https" && scheme != "http")
        return fail("the scheme \"" + scheme + "\" is not allowed; the address must be https");
    if (host.empty())
        return fail("the address names no host");
    if (scheme == "http" && !IsLoopback(host))
        return fail("plain http is only used for this machine; the address must be https");
    return true;
}

std::string LastPathSegment(const std::string& address)
{
    auto url = Parse(address);
    if (url == nullptr)
        return std::string();
    char* raw = nullptr;
    if (curl_url_get(url.get(), CURLUPART_PATH, &raw, CURLU_URLDECODE) != CURLUE_OK || raw == nullptr)
        return std::string();
    std::unique_ptr<char, TextDeleter> path(raw);
    const std::string text(path.get());
    const auto slash = text.find_last_of('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

std::string Printable(const std::string& address)
{
    auto url = Parse(address);
    if (url == nullptr)
        return "(an address that does not read)";
    std::string text = Part(url.get(), CURLUPART_SCHEME) + "://" + Part(url.get(), CURLUPART_HOST);
    const std::string port = Part(url.get(), CURLUPART_PORT);
    if (!port.empty())
        text += ":" + port;
    return text + Part(url.get(), CURLUPART_PATH);
}

} // namespace KRV::net
