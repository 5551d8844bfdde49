// Rules shared by the servers korvel-host starts on this machine.
#include "LocalHttp.hpp"

#include <algorithm>
#include <httplib.h>
#include <sys/socket.h>

namespace korvel_loopback {

namespace fs = std::filesystem;

namespace {

// Reads of a request stop after this long without a byte; a page of this machine sends its
// request at once.
constexpr time_t readTimeoutSeconds = 2;
constexpr time_t writeTimeoutSeconds = 5;

} // namespace

std::optional<fs::path> PathInside(const fs::path& folder, const std::string& relative)
{
    if (relative.find('\0') != std::string::npos)
        return std::nullopt;
    std::error_code error;
    const fs::path root = fs::canonical(folder, error);
    if (error)
        return std::nullopt;
    // An absolute path replaces the folder when joined: it is checked as it is.
    const fs::path joined = root / fs::path(relative);
    const fs::path target = fs::canonical(joined, error);
    if (error)
        return std::nullopt;
    const auto [rootEnd, unused] = std::mismatch(root.begin(), root.end(), target.begin(), target.end());
    (void)unused;
    if (rootEnd != root.end())
        return std::nullopt;
    return target;
}

bool IsLoopbackHost(const std::string& host, int port)
{
    const std::string portText = std::to_string(port);
    return host == "127.0.0.1:" + portText || host == "localhost:" + portText;
}

bool IsOwnOrigin(const httplib::Request& request, int port)
{
    if (!request.has_header("Origin"))
        return true; // not sent by a page of another site
    const std::string origin = request.get_header_value("Origin");
    const std::string portText = std::to_string(port);
    return origin == "http://127.0.0.1:" + portText || origin == "http://localhost:" + portText;
}

void LimitServer(httplib::Server& server, std::size_t maxBody, std::size_t threads)
{
    server.set_payload_max_length(maxBody);
    server.set_read_timeout(readTimeoutSeconds, 0);
    server.set_write_timeout(writeTimeoutSeconds, 0);
    // An idle connection kept open would hold a thread for its whole keep-alive time.
    server.set_keep_alive_max_count(1);
    server.set_keep_alive_timeout(1);
    server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
}

int BindLoopback(httplib::Server& server, int port)
{
    // SO_REUSEADDR only: the library's default adds SO_REUSEPORT, with which a second program
    // binds a port already in use and the two take its requests in turn.
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    if (port > 0)
        return server.bind_to_port("127.0.0.1", port) ? port : -1;
    return server.bind_to_any_port("127.0.0.1");
}

} // namespace korvel_loopback
