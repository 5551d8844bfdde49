#pragma once
// Downloads over libcurl, under the address rules and time-outs of this folder.
#include <filesystem>
#include <string>

namespace KRV::net {

// Downloads `address` into `target`. The bytes go to a temporary name beside the target
// and are renamed to it only when the transfer succeeded with a 2xx status; on failure
// nothing is left behind, and one error line (also put into `error`) says why, naming the
// address (never a credential).
// Redirects are followed (at most 5) when they lead to an allowed address.
bool Download(const std::string& address, const std::filesystem::path& target, std::string* error);

} // namespace KRV::net
