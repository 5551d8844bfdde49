#pragma once
// Uploads over libcurl: one file as a multipart POST, under the address rules and
// time-outs of this folder.
#include <filesystem>
#include <string>
#include <vector>

namespace KRV::net {

struct UploadRequest {
    std::string address;
    std::vector<std::string> headers; // "Name: value"; none may hold CR, LF or NUL
    std::string userAgent;
    std::string partName; // the form part the file goes into
    std::filesystem::path file;
};

// Sends the file. Redirects are not followed, so headers (a token) go to the address given
// and nowhere else. Succeeds on a 2xx status only; otherwise one error line names the address
// and the reason, with an excerpt of the service's reply, never a header's value.
bool Upload(const UploadRequest& request);

// Whether a header value can be sent as it is: no CR, LF or NUL.
bool IsSafeHeaderValue(const std::string& value);

} // namespace KRV::net
