// A web server on 127.0.0.1 serving the files of one folder, for tests and sessions.
#include "LoopbackServer.hpp"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <httplib.h>
#include <sstream>

#include "LocalHttp.hpp"

namespace korvel_loopback {

std::string Checksum(const std::string& bytes)
{
    std::uint64_t hash = 1469598103934665603ULL; // FNV-1a
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

namespace {

std::string ReadFile(const std::filesystem::path& path, bool* found)
{
    std::ifstream file(path, std::ios::binary);
    *found = file.is_open() && std::filesystem::is_regular_file(path);
    std::ostringstream text;
    if (*found)
        text << file.rdbuf();
    return text.str();
}

} // namespace

LoopbackServer::LoopbackServer(std::filesystem::path folder)
    : folder(std::move(folder)), server(std::make_unique<httplib::Server>())
{
    auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Handle(&request, &response);
    };
    server->Get(".*", handler);
    server->Post(".*", handler);
    server->Put(".*", handler);
    LimitServer(*server, 64u << 20, 16);
    // Refused before a body is read: another site's page (the add-on sends no Origin), and a
    // body in chunks, whose length the library would not cap (the add-on's uploads say theirs).
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        if (!IsOwnOrigin(request, port)) {
            response.status = 403;
            response.set_content("requests from other origins are refused", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (request.get_header_value("Transfer-Encoding").find("chunked") != std::string::npos) {
            response.status = 411;
            response.set_content("a request body must say its length", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    port = BindLoopback(*server, 0);
    thread = std::thread([this] { server->listen_after_bind(); });
    // The socket is bound and listening once bind returns; wait for the accept loop too.
    for (int i = 0; i < 500 && !server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

LoopbackServer::~LoopbackServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    server->stop();
    if (thread.joinable())
        thread.join();
}

std::string LoopbackServer::Url() const
{
    return "http://127.0.0.1:" + std::to_string(port);
}

void LoopbackServer::SetAnswer(const std::string& path, const std::string& answer)
{
    std::lock_guard<std::mutex> lock(mutex);
    answers[path] = answer;
}

nlohmann::json LoopbackServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return requests;
}

void LoopbackServer::Handle(const void* rawRequest, void* rawResponse)
{
    const auto& request = *static_cast<const httplib::Request*>(rawRequest);
    auto& response = *static_cast<httplib::Response*>(rawResponse);
    // Any page the developer visits could make its own name resolve to 127.0.0.1 (DNS
    // rebinding): only requests addressed to this machine by address or name are taken.
    if (!IsLoopbackHost(request.get_header_value("Host"), port)) {
        response.status = 403;
        response.set_content("requests must be addressed to 127.0.0.1:" + std::to_string(port), "text/plain");
        return;
    }
    std::string answer;
    {
        std::lock_guard<std::mutex> lock(mutex);
        nlohmann::json record = {{"method", request.method}, {"path", request.path}};
        nlohmann::json headers = nlohmann::json::object();
        for (const auto& [name, value] : request.headers)
            if (name != "REMOTE_ADDR" && name != "REMOTE_PORT" && name != "LOCAL_ADDR" && name != "LOCAL_PORT")
                headers[name] = value;
        record["headers"] = headers;
        if (request.is_multipart_form_data()) {
            record["parts"] = nlohmann::json::array();
            for (const auto& [name, file] : request.files)
                record["parts"].push_back({{"name", file.name},
                                           {"filename", file.filename},
                                           {"size", file.content.size()},
                                           {"checksum", Checksum(file.content)}});
        } else if (!request.body.empty()) {
            record["size"] = request.body.size();
            record["checksum"] = Checksum(request.body);
        }
        requests.push_back(record);
        auto it = answers.find(request.path);
        if (it != answers.end())
            answer = it->second;
    }
    if (answer.rfind("redirect:", 0) == 0) {
        response.status = 302;
        response.set_header("Location", answer.substr(9));
        return;
    }
    if (!answer.empty() && answer != "stall" && answer != "truncate") {
        response.status = std::atoi(answer.c_str());
        response.set_content("answered " + answer, "text/plain");
        return;
    }
    bool found = false;
    std::string body;
    if (request.method == "GET") {
        // Only files inside the folder, whatever the path spells ("//etc/passwd", links out).
        const auto file = PathInside(folder, request.path.empty() ? "" : request.path.substr(1));
        if (file)
            body = ReadFile(*file, &found);
    }
    if (!found && (answer == "stall" || answer == "truncate")) {
        body = std::string(64, 'x'); // something to start sending
        found = true;
    }
    if (request.method == "GET" && !found) {
        response.status = 404;
        response.set_content("not found", "text/plain");
        return;
    }
    if (request.method != "GET" && answer == "stall") {
        // Takes the request and never answers, until the server stops.
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (stopping)
                    return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    if (request.method != "GET") {
        response.status = 200;
        response.set_content("{}", "application/json");
        return;
    }
    if (answer == "stall" || answer == "truncate") {
        const bool stall = answer == "stall";
        const std::size_t promised = std::max<std::size_t>(body.size(), 64) * 2;
        response.set_content_provider(promised, "application/octet-stream",
                                      [this, body, stall](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                          if (offset == 0) {
                                              const std::string first =
                                                  body.empty() ? std::string("?")
                                                               : body.substr(0, std::min<std::size_t>(body.size(), 16));
                                              sink.write(first.data(), first.size());
                                              return true;
                                          }
                                          if (!stall)
                                              return false; // the connection ends short of what was promised
                                          for (;;) {
                                              {
                                                  std::lock_guard<std::mutex> lock(mutex);
                                                  if (stopping)
                                                      return false;
                                              }
                                              std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                          }
                                      });
        return;
    }
    response.status = 200;
    response.set_content(body, "application/octet-stream");
}

} // namespace korvel_loopback
