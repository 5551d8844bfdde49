// korvel-host: loads the add-on into the stand-alone host and runs a session script.
#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "BridgeServer.hpp"
#include "Check.hpp"
#include "GuidSeed.hpp"
#include "Host.hpp"
#include "JsonText.hpp"
#include "ProjectFile.hpp"
#include "Session.hpp"

namespace {

namespace fs = std::filesystem;

// Opens the project file in the host; false (with a message) when it cannot be read.
bool OpenProject(const std::string& projectFile)
{
    std::ifstream file(fs::absolute(projectFile), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    nlohmann::json project = KRV::ParseJson(text.str());
    if (!file.is_open() || project.is_discarded()) {
        std::cerr << "korvel-host: cannot read the project " << projectFile << "\n";
        return false;
    }
    try {
        sim::Host::Get().SetProject(sim::LoadProject(project));
    } catch (const sim::ProjectFileError& e) {
        std::cerr << "korvel-host: " << projectFile << ": " << e.what() << "\n";
        return false;
    }
    return true;
}

// The seed, when given, and the project; false when the project cannot be read.
bool PrepareHost(const std::string& projectFile, std::optional<std::uint64_t> seed)
{
    if (seed) {
        // A repeatable run: the same guids, and files written with one fixed time.
        sim::SeedGuids(*seed);
        sim::Host::Get().FixTime("2026-01-01T00:00:00");
    }
    return projectFile.empty() || OpenProject(projectFile);
}

int RunSession(const std::filesystem::path& script, const std::string& projectFile, const std::string& saveFile,
               const std::filesystem::path& work, std::optional<std::uint64_t> seed, const std::string& callsFile)
{
    // Paths given on the command line are the caller's, not the work folder's.
    fs::path scriptPath = fs::absolute(script);
    fs::path save = saveFile.empty() ? fs::path() : fs::absolute(saveFile);
    std::ifstream input(scriptPath);
    if (!input.is_open()) {
        std::cerr << "korvel-host: cannot read the session " << script << "\n";
        return 2;
    }
    sim::Host& host = sim::Host::Get();
    std::ofstream calls;
    if (!callsFile.empty()) {
        calls.open(fs::absolute(callsFile));
        if (!calls.is_open()) {
            std::cerr << "korvel-host: cannot write the calls to " << callsFile << "\n";
            return 2;
        }
        host.TraceCalls(&calls);
    }
    struct StopTrace {
        ~StopTrace() { sim::Host::Get().TraceCalls(nullptr); }
    } stopTrace;
    if (!PrepareHost(projectFile, seed))
        return 2;
    host.SetWorkFolder(work);

    // A person at a terminal sees the progress window as a bar.
    if (isatty(STDERR_FILENO))
        host.UI().onProgress = [](const sim::Interface& ui) {
            if (!ui.progressOpen || ui.progress.empty()) {
                std::cerr << "\r\033[K" << std::flush;
                return;
            }
            long total = 0, done = 0;
            for (const auto& call : ui.progress) {
                if (call.request == "IPWD")
                    total = done = 0; // counts start again with every window
                if (call.request == "SPRP") {
                    if (total == 0)
                        total = call.number;
                    else
                        done = call.number;
                }
            }
            const int width = 30;
            const int filled = total > 0 ? static_cast<int>(width * std::min(done, total) / total) : 0;
            std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, ' ') << "] " << done << "/"
                      << total << std::flush;
        };
    korvel_host::StdoutCapture capture;
    korvel_host::Session session(capture.Real(), scriptPath.parent_path());
    session.CaptureStdout(&capture);
    if (!session.LoadAddOn())
        return 1;
    korvel_host::SessionOutcome outcome = session.Run(input);
    if (!save.empty()) {
        std::ofstream file(save);
        file << sim::SaveProject(host.GetProject()).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
             << "\n";
        if (!file) {
            std::cerr << "korvel-host: cannot write the project to " << save << "\n";
            return 2;
        }
    }
    return outcome.crashed ? 3 : 0;
}

std::atomic<bool> interrupted{false};

extern "C" void Interrupt(int)
{
    interrupted = true;
}

int Serve(const std::string& projectFile, const std::string& workFolder, int port, const std::string& page,
          std::optional<std::uint64_t> seed)
{
    sim::Host& host = sim::Host::Get();
    if (!PrepareHost(projectFile, seed))
        return 2;
    korvel_host::BridgeOptions options;
    options.page = page.empty() ? fs::path(KORVEL_PAGE_DIR) : fs::absolute(page);
    options.examples = KORVEL_EXAMPLES_DIR;
    options.port = port;
    fs::path work = workFolder.empty() ? fs::temp_directory_path() / ("korvel-serve-" + std::to_string(getpid()))
                                       : fs::absolute(workFolder);
    host.SetWorkFolder(work);

    korvel_host::StdoutCapture capture;
    // The session log goes to standard error. Relative paths in steps are taken from the
    // team's page folder, or for the sample page from the examples ("library" for the file server).
    korvel_host::Session session(std::cerr, page.empty() ? options.examples : options.page);
    session.ConfineToBaseFolder();
    session.CaptureStdout(&capture);
    if (!session.LoadAddOn())
        return 1;
    // The catalogue palette is open, as when the user chose it from the menu.
    std::cerr << session.Step({{"do", "menu"}, {"id", 32500}, {"item", 1}}).dump() << std::endl;

    korvel_host::BridgeServer server(session, options);
    if (!server.Listening()) {
        std::cerr << "korvel-host: cannot listen on 127.0.0.1:" << port
                  << (port > 0 ? ": the port is in use, or not this user's to open; choose another with --port, or "
                                 "leave --port out for any free port"
                               : "")
                  << "\n";
        return 2;
    }
    std::signal(SIGINT, Interrupt);
    std::signal(SIGTERM, Interrupt);
    capture.Real() << "korvel-host serves the add-on at " << server.Address() << "\n"
                   << "Open that address in a browser; it holds this run's secret. Ctrl-C stops.\n"
                   << std::flush;
    server.Run(interrupted);
    std::cerr << "korvel-host: stopped\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"korvel-host: the Korvel add-on in the stand-alone host"};
    app.require_subcommand(1);

    std::string script, project, save, work, calls;
    std::optional<std::uint64_t> seed;
    auto* run = app.add_subcommand("run", "run a session script (JSON Lines)");
    run->add_option("session", script, "the session script")->required()->check(CLI::ExistingFile);
    run->add_option("--project", project, "project file to open (default: an empty project)")->check(CLI::ExistingFile);
    run->add_option("--save", save, "save the project here when the session ends");
    run->add_option("--work", work, "the host's current folder: log.txt and the special folders (default: here)");
    run->add_option("--seed", seed, "generate the same guids on every run (for comparing outputs)");
    run->add_option("--calls", calls, "write the name of every host call the session makes here, one per line");

    std::string actions = "Session actions (one JSON object per line, {\"do\": ACTION, ...}):\n";
    for (const auto& action : korvel_host::Session::Actions())
        actions += "  " + action.name + std::string(action.name.size() < 8 ? 8 - action.name.size() : 1, ' ') +
                   action.description + "\n";
    run->footer(actions + "Formats: docs/sessions.md and docs/project-file.md.");

    auto* demo = app.add_subcommand("demo", "run the bundled demo session");
    demo->add_option("--work", work, "the host's current folder (default: a fresh temporary folder)");
    demo->add_option("--seed", seed, "generate the same guids on every run (for comparing outputs)");

    std::string payload, format = "text";
    auto* check =
        app.add_subcommand("check", "check a catalogue payload: what importing it would do, changing no file");
    check->add_option("payload", payload, "the payload (an array is checked as a bulk import)")
        ->required()
        ->check(CLI::ExistingFile);
    check->add_option("--project", project, "a copy of this project is used (default: an empty project)")
        ->check(CLI::ExistingFile);
    check->add_option("--format", format, "text or json")->check(CLI::IsMember({"text", "json"}));
    bool strict = false;
    std::string serveFolder;
    check->add_flag("--strict", strict, "a payload that imports but brings nothing (a warning) fails");
    check->add_option("--serve", serveFolder, "serve this folder's files at {{server}} in the payload")
        ->check(CLI::ExistingDirectory);
    check->footer("Exit code: 0 the import succeeds, 1 it fails (or warns, with --strict), 2 a bad command line or "
                  "unreadable file.");

    int port = 0;
    std::string page;
    auto* serve = app.add_subcommand("serve", "drive the add-on from a browser: serves a page and the bridge script");
    serve->add_option("--project", project, "project file to open (default: an empty project)")
        ->check(CLI::ExistingFile);
    serve->add_option("--work", work, "the host's current folder (default: a fresh temporary folder)");
    serve->add_option("--port", port, "port on 127.0.0.1 (default: any free port)")->check(CLI::Range(0, 65535));
    serve->add_option("--page", page, "serve the page in this folder (default: the sample page)")
        ->check(CLI::ExistingDirectory);
    serve->add_option("--seed", seed, "generate the same guids on every run");

    // A bad command line exits with 2, as a bad file does.
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    if (*check) {
        korvel_host::CheckOptions options;
        options.payload = payload;
        if (!project.empty())
            options.project = project;
        options.json = format == "json";
        options.strict = strict;
        if (!serveFolder.empty())
            options.serve = serveFolder;
        return korvel_host::RunCheck(options, std::cout, std::cerr);
    }
    if (*serve)
        return Serve(project, work, port, page, seed);
    if (*run)
        return RunSession(script, project, save,
                          work.empty() ? std::filesystem::current_path() : std::filesystem::path(work), seed, calls);

    std::filesystem::path examples = KORVEL_EXAMPLES_DIR;
    std::filesystem::path workFolder =
        work.empty() ? std::filesystem::temp_directory_path() / "korvel-demo" : std::filesystem::path(work);
    if (work.empty())
        std::filesystem::remove_all(workFolder);
    std::string demoProject = (examples / "projects" / "sample.json").string();
    return RunSession(examples / "sessions" / "demo.jsonl", demoProject, "", workFolder, seed, "");
}
