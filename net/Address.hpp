#pragma once
// Which addresses the add-on may talk to: https anywhere, http only to this machine
// (127.0.0.0/8, ::1, localhost), nothing else (no file://), for redirects too.
#include <string>

namespace KRV::net {

// True when the address may be used; otherwise `reason` says why.
bool IsAllowedAddress(const std::string& address, std::string* reason = nullptr);
// The address as a log line may show it: scheme, host, port and path, without the
// user part or the query, which may carry credentials.
std::string Printable(const std::string& address);

// The last segment of the address's path, decoded, without query or fragment; "" when the
// address has no path segment or does not read.
std::string LastPathSegment(const std::string& address);

} // namespace KRV::net
