// korvel-host serve: the add-on in the stand-alone host, driven from a real browser.
#include "BridgeServer.hpp"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <httplib.h>
#include <iostream>
#include <random>
#include <sstream>

#include "Host.hpp"
#include "JsonText.hpp"
#include "LocalHttp.hpp"
#include "Session.hpp"

namespace korvel_host {

extern const char* const bridgeScriptTemplate; // korvel-bridge.js, compiled in

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

std::string RandomSecret()
{
    std::random_device device; // the kernel's generator
    std::ostringstream text;
    for (int i = 0; i < 4; ++i)
        text << std::hex << std::setw(8) << std::setfill('0') << device();
    return text.str();
}

std::string ContentType(const fs::path& file)
{
    const std::string extension = file.extension().string();
    if (extension == ".html" || extension == ".htm")
        return "text/html; charset=utf-8";
    if (extension == ".js" || extension == ".mjs")
        return "text/javascript; charset=utf-8";
    if (extension == ".css")
        return "text/css; charset=utf-8";
    if (extension == ".json")
        return "application/json";
    if (extension == ".svg")
        return "image/svg+xml";
    if (extension == ".png")
        return "image/png";
    if (extension == ".jpg" || extension == ".jpeg")
        return "image/jpeg";
    return "application/octet-stream";
}

void Refuse(httplib::Response& response, int status, const std::string& why)
{
    response.status = status;
    response.set_content("korvel-host: " + why + "\n", "text/plain; charset=utf-8");
}

void SendJson(httplib::Response& response, const json& value)
{
    response.set_content(value.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

} // namespace

BridgeServer::BridgeServer(Session& session, BridgeOptions givenOptions)
    : session(session), options(std::move(givenOptions)), server(std::make_unique<httplib::Server>())
{
    if (options.secret.empty())
        options.secret = RandomSecret();
    objects = Session::RegisteredObjects();
    // A bulk request of 500 catalogue items is a few MiB.
    korvel_loopback::LimitServer(*server, maxRequestBytes, 64);
    // Every request passes the checks before any route sees it.
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        return Allowed(request, response) ? httplib::Server::HandlerResponse::Unhandled
                                          : httplib::Server::HandlerResponse::Handled;
    });
    auto route = [this](const httplib::Request& request, httplib::Response& response) {
        try {
            Route(request, response);
        } catch (const std::exception& e) {
            Refuse(response, 500, e.what());
        }
    };
    server->Get(".*", route);
    // The body is read here, however it is framed: the library caps a body sent with its
    // length, not one sent in chunks.
    server->Post(".*", [route](const httplib::Request& request, httplib::Response& response,
                               const httplib::ContentReader& reader) {
        if (request.is_multipart_form_data())
            return Refuse(response, 400, "a request is one JSON text, not a form");
        httplib::Request whole = request;
        bool over = false;
        const bool read = reader([&](const char* data, std::size_t length) {
            over = whole.body.size() + length > maxRequestBytes;
            if (!over)
                whole.body.append(data, length);
            return !over;
        });
        // The library stops a body longer than it is told to take before it reaches here.
        if (over || (!read && request.get_header_value<std::uint64_t>("Content-Length") > maxRequestBytes))
            return Refuse(response, 413,
                          "a request may carry at most " + std::to_string(maxRequestBytes >> 20) + " MiB");
        if (!read)
            return Refuse(response, 400, "the request's body did not arrive whole");
        route(whole, response);
    });
    // Loopback only: never another interface, and never a port another program listens on.
    port = korvel_loopback::BindLoopback(*server, options.port);
    if (port <= 0)
        return;
    thread = std::thread([this] { server->listen_after_bind(); });
    for (int i = 0; i < 500 && !server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    sim::Host::Get().UI().askAlert = [this](const sim::AlertRecord& alert) { return Ask(alert); };
}

BridgeServer::~BridgeServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    server->stop();
    if (thread.joinable())
        thread.join();
    sim::Host::Get().UI().askAlert = nullptr;
}

std::string BridgeServer::Address() const
{
    return "http://127.0.0.1:" + std::to_string(port) + "/" + options.secret + "/";
}

// Only this run's page may drive the add-on: the Host header must name the loopback address
// and port (a foreign name is a DNS rebinding), an Origin, when sent, must be this server, and
// the path must start with the secret. No CORS header is ever sent.
bool BridgeServer::Allowed(const httplib::Request& request, httplib::Response& response) const
{
    const std::string portText = std::to_string(port);
    if (!korvel_loopback::IsLoopbackHost(request.get_header_value("Host"), port)) {
        Refuse(response, 403, "requests must be addressed to 127.0.0.1:" + portText);
        return false;
    }
    if (!korvel_loopback::IsOwnOrigin(request, port)) {
        Refuse(response, 403, "requests from other origins are refused");
        return false;
    }
    const std::string prefix = "/" + options.secret + "/";
    if (request.path.compare(0, prefix.size(), prefix) != 0) {
        Refuse(response, 403, "open the address korvel-host printed (it holds this run's secret)");
        return false;
    }
    return true;
}

void BridgeServer::Route(const httplib::Request& request, httplib::Response& response)
{
    response.set_header("Cache-Control", "no-store");
    response.set_header("X-Content-Type-Options", "nosniff");
    // The secret is in every address; links the page opens must not carry it away.
    response.set_header("Referrer-Policy", "no-referrer");
    const std::string path = request.path.substr(options.secret.size() + 2);
    const bool post = request.method == "POST";

    if (post && path == "api/step") {
        json action = KRV::ParseJson(request.body);
        if (action.is_discarded() || !action.is_object())
            return Refuse(response, 400, "a step is one session action, a JSON object");
        // Refused here, before it is queued: the page may name only its own folder's files.
        if (auto why = session.Refusal(action))
            return Refuse(response, 403, *why);
        return SendReply(response, Submit(action));
    }
    if (post && path == "api/answer") {
        json body = KRV::ParseJson(request.body);
        if (body.is_discarded() || !body.is_object() || !body.contains("call") || !body["call"].is_number_integer() ||
            !body.contains("answer") || !body["answer"].is_number_integer())
            return Refuse(response, 400, "an answer is {\"call\": id, \"answer\": button}");
        const long long answer = body["answer"].get<long long>();
        if (answer < 1 || answer > 3)
            return Refuse(response, 400, "an answer is the button's number, 1 the first");
        int status = 200;
        json reply = Answer(body["call"].get<int>(), static_cast<short>(answer), &status);
        response.status = status;
        return SendReply(response, reply);
    }
    if (post)
        return Refuse(response, 404, "no such endpoint");
    if (path == "api/pending")
        return SendJson(response, Pending());
    if (path.rfind("api/dump/", 0) == 0) {
        const json line = Dump({{"do", "dump"}, {"what", path.substr(9)}});
        if (line.value("state", "") == "busy")
            return SendReply(response, line);
        if (line.value("state", "") != "done" || line["line"].contains("error"))
            return Refuse(response, 404, line.value("line", json::object()).value("error", "no such dump"));
        return SendJson(response, line["line"]["result"]);
    }
    if (path == "korvel-bridge.js")
        return response.set_content(BridgeScript(), "text/javascript; charset=utf-8");
    if (path.rfind("korvel-examples/", 0) == 0 && !options.examples.empty())
        return ServeFile(options.examples, path.substr(16), response);
    ServeFile(options.page, path.empty() ? "index.html" : path, response);
}

void BridgeServer::ServeFile(const fs::path& folder, const std::string& relative, httplib::Response& response) const
{
    // Only files inside the folder: no "..", no absolute paths, no links out of it.
    const auto file = korvel_loopback::PathInside(folder, relative);
    std::error_code error;
    if (!file || !fs::is_regular_file(*file, error))
        return Refuse(response, 404, "no such file");
    std::ifstream input(*file, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    response.set_content(content.str(), ContentType(*file).c_str());
}

std::string BridgeServer::BridgeScript()
{
    std::string defined;
    {
        std::lock_guard<std::mutex> lock(mutex);
        defined = objects.dump();
    }
    std::string script = bridgeScriptTemplate;
    const std::string placeholder = "/*OBJECTS*/";
    script.replace(script.find(placeholder), placeholder.size(), defined);
    return script;
}

json BridgeServer::Submit(const json& action)
{
    auto call = std::make_shared<Call>();
    call->action = action;
    std::unique_lock<std::mutex> lock(mutex);
    if (stopping)
        return {{"state", "stopped"}};
    // Each waiting call holds one of the server's threads: a bounded number may wait, so the
    // answer, the pending question and the page's files always find one.
    if (queue.size() >= maxQueued)
        return Busy();
    call->id = nextId++;
    call->queuedAt = std::chrono::steady_clock::now();
    calls[call->id] = call;
    queue.push_back(call);
    changed.notify_all();
    return WaitForNews(lock, call, 0);
}

json BridgeServer::Busy()
{
    return {{"state", "busy"},
            {"error", "the add-on is waiting for an answer in the browser, or has more calls waiting than it takes; "
                      "this call was not run: answer the question, then call again"}};
}

json BridgeServer::Dump(const json& action)
{
    // When no call runs, or the one that runs waits for an answer (the application's thread
    // stands still inside the alert), the host's state can be read from here, under the lock
    // that keeps the application's thread from starting the next call.
    std::unique_lock<std::mutex> lock(mutex);
    const bool readable = changed.wait_for(lock, dumpWait, [&] {
        return stopping || (current == nullptr && queue.empty()) ||
               (current != nullptr && current->phase == Call::Phase::Asking);
    });
    if (stopping)
        return {{"state", "stopped"}};
    if (!readable)
        return Busy();
    json line = {{"do", "dump"}, {"what", action["what"]}};
    try {
        line["result"] = session.Inspect(action["what"].get<std::string>());
    } catch (const std::exception& e) {
        line["error"] = e.what();
    }
    return {{"state", "done"}, {"line", line}};
}

void BridgeServer::SendReply(httplib::Response& response, const json& reply)
{
    if (reply.value("state", "") == "busy")
        response.status = 503;
    SendJson(response, reply);
}

json BridgeServer::Answer(int id, short answer, int* status)
{
    std::unique_lock<std::mutex> lock(mutex);
    auto found = calls.find(id);
    if (found == calls.end() || found->second->phase != Call::Phase::Asking) {
        *status = 409;
        return {{"state", "error"}, {"error", "that call is not waiting for an answer"}};
    }
    std::shared_ptr<Call> call = found->second;
    if (answer > static_cast<short>(call->question.value("buttons", json::array()).size())) {
        *status = 400;
        return {{"state", "error"}, {"error", "the question has no such button"}};
    }
    call->answer = answer;
    call->phase = Call::Phase::Running;
    changed.notify_all();
    return WaitForNews(lock, call, call->questions);
}

json BridgeServer::Pending()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (current == nullptr || current->phase != Call::Phase::Asking)
        return {{"state", "idle"}};
    return {{"state", "question"}, {"call", current->id}, {"question", current->question}};
}

// Waits until the call asks a question it had not asked before, or is done.
json BridgeServer::WaitForNews(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Call>& call, int questionsSeen)
{
    auto news = [&] {
        return stopping || call->phase == Call::Phase::Done ||
               (call->phase == Call::Phase::Asking && call->questions > questionsSeen);
    };
    while (!changed.wait_for(lock, std::chrono::milliseconds(100), news)) {
        // A call still queued behind a question gives up after a while: nobody may be there
        // to answer it, and its thread is needed.
        if (call->phase != Call::Phase::Queued || current == nullptr || current->phase != Call::Phase::Asking)
            continue;
        const auto since = std::max(call->queuedAt, current->askedAt);
        if (std::chrono::steady_clock::now() - since < busyAfter)
            continue;
        queue.erase(std::remove(queue.begin(), queue.end(), call), queue.end());
        calls.erase(call->id);
        return Busy();
    }
    if (call->phase == Call::Phase::Done) {
        calls.erase(call->id);
        return {{"state", "done"}, {"line", call->line}};
    }
    if (call->phase == Call::Phase::Asking)
        return {{"state", "question"}, {"call", call->id}, {"question", call->question}};
    return {{"state", "stopped"}};
}

short BridgeServer::Ask(const sim::AlertRecord& alert)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (current == nullptr || stopping)
        return 1;
    current->question = {
        {"kind", alert.kind}, {"text", alert.largeText}, {"detail", alert.smallText}, {"buttons", alert.buttons}};
    current->phase = Call::Phase::Asking;
    current->askedAt = std::chrono::steady_clock::now();
    ++current->questions;
    std::cerr << "korvel-host: waiting for an answer in the browser: "
              << (alert.largeText.empty() ? alert.smallText.substr(0, alert.smallText.find('\n')) : alert.largeText)
              << std::endl;
    changed.notify_all();
    changed.wait(lock, [&] { return stopping || current->phase == Call::Phase::Running; });
    // Stopped while asking: the last button, which is the one that changes nothing.
    return stopping ? static_cast<short>(alert.buttons.size()) : current->answer;
}

void BridgeServer::Run(const std::atomic<bool>& stop)
{
    // The stop flag is set from a signal handler; it is looked at a few times a second.
    std::thread watcher([&] {
        while (!stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        changed.notify_all();
    });
    std::unique_lock<std::mutex> lock(mutex);
    while (true) {
        changed.wait(lock, [&] { return stopping || !queue.empty(); });
        if (stopping)
            break;
        current = queue.front();
        queue.pop_front();
        current->phase = Call::Phase::Running;
        const json action = current->action;
        lock.unlock();
        json line = session.Step(action);
        // The page polls the log and the project; the session log says that it did, not what it got.
        json logged = line;
        if (logged.contains("result") && action.value("do", "") == "dump")
            logged["result"] = "(" + std::to_string(line["result"].size()) + " entries)";
        std::cerr << logged.dump(-1, ' ', false, json::error_handler_t::replace) << std::endl;
        json registered = Session::RegisteredObjects();
        lock.lock();
        objects = std::move(registered);
        current->line = line;
        current->phase = Call::Phase::Done;
        current = nullptr;
        changed.notify_all();
    }
    lock.unlock();
    watcher.join();
}

} // namespace korvel_host
