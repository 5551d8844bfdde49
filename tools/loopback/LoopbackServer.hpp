#pragma once
// A web server on 127.0.0.1 (an ephemeral port) that serves the files of one folder and
// records every request. Per path it can answer otherwise:
//   a status code ("404"), "stall" (sends a little, then nothing until the server stops),
//   "truncate" (promises more bytes than it sends), "redirect:TARGET" (302 to TARGET).
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace korvel_loopback {

// The checksum the server records for bodies and parts (FNV-1a, 16 hex digits).
std::string Checksum(const std::string& bytes);

class LoopbackServer {
public:
    explicit LoopbackServer(std::filesystem::path folder);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // "http://127.0.0.1:PORT"
    std::string Url() const;
    void SetAnswer(const std::string& path, const std::string& answer);
    // Each request: method, path, headers, and for multipart bodies each part's name,
    // file name, size and checksum.
    nlohmann::json Requests() const;

private:
    void Handle(const void* request, void* response);

    std::filesystem::path folder;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int port = 0;
    mutable std::mutex mutex;
    std::map<std::string, std::string> answers;
    nlohmann::json requests = nlohmann::json::array();
    bool stopping = false;
};

} // namespace korvel_loopback
