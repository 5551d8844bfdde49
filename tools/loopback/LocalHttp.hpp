#pragma once
// Rules shared by the servers korvel-host starts on this machine (the bridge and the file
// server a session starts): only this machine's pages may reach them, and only the files of
// the folder they serve come out.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace httplib {
class Server;
struct Request;
} // namespace httplib

namespace korvel_loopback {

// The existing file or folder `relative` (a request path, already percent-decoded, or a path a
// session step names) inside `folder`: joined, symbolic links resolved, and refused (nullopt)
// when it lies outside the folder or does not exist. An absolute path is taken as it is and
// must lie inside the folder too.
std::optional<std::filesystem::path> PathInside(const std::filesystem::path& folder, const std::string& relative);

// The Host header a page of this machine sends: "127.0.0.1:PORT" or "localhost:PORT". Any other
// name is a page of another site whose name was made to resolve to 127.0.0.1.
bool IsLoopbackHost(const std::string& host, int port);
// True unless the request carries the Origin of a page that is not served from this port:
// a page of another site may send requests here, but never with its own Origin left out.
bool IsOwnOrigin(const httplib::Request& request, int port);

// Settings no slow, huge or idle client can starve the server with: a connection per request,
// read and write time-outs, a request body of at most `maxBody` bytes (413 beyond), and
// `threads` threads, enough that a few held connections leave the rest free.
void LimitServer(httplib::Server& server, std::size_t maxBody, std::size_t threads);

// Binds 127.0.0.1:port (0: any free port), refusing a port another program listens on
// (the library would share it). Answers the port, or -1.
int BindLoopback(httplib::Server& server, int port);

} // namespace korvel_loopback
