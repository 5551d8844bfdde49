// Downloads over libcurl, under the address rules and time-outs of this folder.
#include "Download.hpp"

#include <cstdio>
#include <curl/curl.h>
#include <memory>
#include <unistd.h>

#include "Address.hpp"
#include "Logger.hpp"
#include "Timeouts.hpp"

namespace KRV::net {

Timeouts& TransferTimeouts()
{
    static Timeouts timeouts;
    return timeouts;
}

namespace {

constexpr int maxRedirects = 5;

struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* file)
{
    return std::fwrite(data, size, count, static_cast<std::FILE*>(file)) * size;
}

void Configure(CURL* curl, const std::string& address, std::FILE* file)
{
    const Timeouts& timeouts = TransferTimeouts();
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L); // each hop is checked here
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, timeouts.lowSpeedBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
}

// One attempt over the redirects; the file holds the final response's body.
bool Transfer(const std::string& address, std::FILE* file, std::string* why)
{
    std::string current = address;
    for (int hop = 0; hop <= maxRedirects; ++hop) {
        std::string reason;
        if (!IsAllowedAddress(current, &reason)) {
            *why = (hop == 0 ? "" : "redirected to " + Printable(current) + ": ") + reason;
            return false;
        }
        std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
        if (curl == nullptr) {
            *why = "the transfer could not be set up";
            return false;
        }
        if (std::fflush(file) != 0 || std::fseek(file, 0, SEEK_SET) != 0) {
            *why = "the file could not be written";
            return false;
        }
        Configure(curl.get(), current, file);
        const CURLcode result = curl_easy_perform(curl.get());
        if (result != CURLE_OK) {
            *why = curl_easy_strerror(result);
            return false;
        }
        long status = 0;
        curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
        if (status >= 300 && status < 400) {
            char* location = nullptr;
            curl_easy_getinfo(curl.get(), CURLINFO_REDIRECT_URL, &location);
            if (location == nullptr) {
                *why = "HTTP status " + std::to_string(status) + " without a new address";
                return false;
            }
            current = location;
            continue;
        }
        if (status < 200 || status >= 300) {
            *why = "HTTP status " + std::to_string(status);
            return false;
        }
        // A shorter body after a longer redirect body must not keep the old tail.
        const long length = std::ftell(file);
        std::fflush(file);
        if (length < 0 || ::ftruncate(::fileno(file), length) != 0) {
            *why = "the file could not be written";
            return false;
        }
        return true;
    }
    *why = "more than " + std::to_string(maxRedirects) + " redirects";
    return false;
}

} // namespace

bool Download(const std::string& address, const std::filesystem::path& target, std::string* error)
{
    std::filesystem::path partial = target;
    partial += ".part";
    std::string why;
    bool ok = false;
    {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(partial.string().c_str(), "wb"));
        if (file == nullptr)
            why = "cannot write " + partial.string();
        else
            ok = Transfer(address, file.get(), &why) && std::fflush(file.get()) == 0;
    }
    std::error_code ignored;
    if (ok) {
        std::filesystem::rename(partial, target, ignored);
        if (ignored) {
            why = "cannot move the download to " + target.string();
            ok = false;
        }
    }
    if (!ok) {
        std::filesystem::remove(partial, ignored);
        const std::string line = "Download of " + Printable(address) + " failed: " + why;
        LogError(line);
        if (error != nullptr)
            *error = line;
    }
    return ok;
}

} // namespace KRV::net
