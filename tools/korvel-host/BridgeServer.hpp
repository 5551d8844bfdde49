#pragma once
// korvel-host serve: the add-on in the stand-alone host, driven from a real browser.
//
// Serves, on 127.0.0.1 only and under a per-run secret path (/SECRET/...), a page (the
// bundled sample or the team's own), /SECRET/korvel-bridge.js that defines the add-on's
// JavaScript objects with functions answering Promises, and a small API the script uses.
// Session actions run one at a time on the thread that calls Run(), as on the
// application's user-interface thread; the HTTP threads only hand them over and wait.
// A question the add-on asks during a call goes back to the browser, and the call waits
// for its answer.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace sim {
struct AlertRecord;
}

namespace korvel_host {

class Session;

struct BridgeOptions {
    std::filesystem::path page;     // the folder whose files are served
    std::filesystem::path examples; // served under /SECRET/korvel-examples/ (empty: not served)
    int port = 0;                   // 0: any free port
    std::string secret;             // empty: a random one
};

class BridgeServer {
public:
    BridgeServer(Session& session, BridgeOptions options);
    ~BridgeServer();
    BridgeServer(const BridgeServer&) = delete;
    BridgeServer& operator=(const BridgeServer&) = delete;

    // False when the port could not be bound.
    bool Listening() const { return port > 0; }
    int Port() const { return port; }
    // "http://127.0.0.1:PORT/SECRET/": the address to open.
    std::string Address() const;

    // Runs the actions handed over until `stop` is set (checked a few times a second).
    void Run(const std::atomic<bool>& stop);

private:
    struct Call {
        int id = 0;
        nlohmann::json action;
        enum class Phase { Queued, Running, Asking, Done } phase = Phase::Queued;
        int questions = 0; // how many it has asked so far
        std::chrono::steady_clock::time_point queuedAt;
        std::chrono::steady_clock::time_point askedAt;
        nlohmann::json question;
        short answer = 0;
        nlohmann::json line;
    };

    void Route(const httplib::Request& request, httplib::Response& response);
    bool Allowed(const httplib::Request& request, httplib::Response& response) const;
    void ServeFile(const std::filesystem::path& folder, const std::string& relative, httplib::Response& response) const;

    // HTTP threads: hand an action over, or answer its question, and wait for what comes next.
    nlohmann::json Submit(const nlohmann::json& action);
    nlohmann::json Answer(int call, short answer, int* status);
    nlohmann::json Pending();
    // A dump, read once the calls before it have run (or while a call waits for an answer),
    // without a place in the calls' queue: dumps never wait behind each other.
    nlohmann::json Dump(const nlohmann::json& action);
    static nlohmann::json Busy();
    static void SendReply(httplib::Response& response, const nlohmann::json& reply);
    nlohmann::json WaitForNews(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Call>& call,
                               int questionsSeen);
    std::string BridgeScript();

    // The UI thread, inside a call: show the question to the browser and wait.
    short Ask(const sim::AlertRecord& alert);

    // How long a call waits behind an open question before it is answered "busy", and how
    // many calls may wait at all.
    static constexpr std::chrono::seconds busyAfter{3};
    static constexpr std::size_t maxQueued = 8;
    static constexpr std::size_t maxRequestBytes = 16u << 20;
    // How long a dump waits for the calls before it.
    static constexpr std::chrono::seconds dumpWait{30};

    Session& session;
    BridgeOptions options;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int port = 0;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Call>> queue;
    std::map<int, std::shared_ptr<Call>> calls;
    std::shared_ptr<Call> current;
    int nextId = 1;
    bool stopping = false;
    // What the bridge script defines, taken on the UI thread after every step, so the script is
    // served even while a step waits for an answer.
    nlohmann::json objects;
};

} // namespace korvel_host
