// Uploads over libcurl: one file as a multipart POST, under the address rules and time-outs.
#include "Upload.hpp"

#include <curl/curl.h>
#include <memory>

#include "Address.hpp"
#include "Logger.hpp"
#include "Timeouts.hpp"

namespace KRV::net {

namespace {

struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct MimeDeleter {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

constexpr std::size_t replyLimit = 64 * 1024; // what is kept of the service's reply

std::size_t KeepReply(char* data, std::size_t size, std::size_t count, void* reply)
{
    auto* text = static_cast<std::string*>(reply);
    const std::size_t bytes = size * count;
    if (text->size() < replyLimit)
        text->append(data, std::min(bytes, replyLimit - text->size()));
    return bytes;
}

bool Fail(const UploadRequest& request, const std::string& why)
{
    LogError("Upload to " + Printable(request.address) + " failed: " + why);
    return false;
}

std::string Excerpt(const std::string& reply)
{
    std::string excerpt;
    for (char c : reply.substr(0, 200))
        excerpt += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? ' ' : c;
    return excerpt;
}

} // namespace

bool IsSafeHeaderValue(const std::string& value)
{
    return value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool Upload(const UploadRequest& request)
{
    std::string reason;
    if (!IsAllowedAddress(request.address, &reason))
        return Fail(request, reason);
    std::unique_ptr<curl_slist, ListDeleter> headers;
    for (const std::string& header : request.headers) {
        if (!IsSafeHeaderValue(header))
            return Fail(request, "a header holds a line break or a zero byte");
        curl_slist* extended = curl_slist_append(headers.get(), header.c_str());
        if (extended == nullptr)
            return Fail(request, "the headers could not be set up");
        headers.release();
        headers.reset(extended);
    }
    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (curl == nullptr)
        return Fail(request, "the transfer could not be set up");
    std::unique_ptr<curl_mime, MimeDeleter> form(curl_mime_init(curl.get()));
    curl_mimepart* part = form != nullptr ? curl_mime_addpart(form.get()) : nullptr;
    if (part == nullptr || curl_mime_filedata(part, request.file.string().c_str()) != CURLE_OK ||
        curl_mime_name(part, request.partName.c_str()) != CURLE_OK)
        return Fail(request, "the file could not be attached");
    std::string reply;
    const Timeouts& timeouts = TransferTimeouts();
    curl_easy_setopt(curl.get(), CURLOPT_BUFFERSIZE, 102400L);
    curl_easy_setopt(curl.get(), CURLOPT_URL, request.address.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_MIMEPOST, form.get());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_2TLS);
    curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "POST");
    curl_easy_setopt(curl.get(), CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_LIMIT, timeouts.lowSpeedBytesPerSecond);
    curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, KeepReply);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply);
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK)
        return Fail(request, curl_easy_strerror(result));
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status >= 300)
        return Fail(request, "HTTP status " + std::to_string(status) + " (" + Excerpt(reply) + ")");
    return true;
}

} // namespace KRV::net
