// korvel-host: loads the add-on into the stand-alone host and runs a session script.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "GuidSeed.hpp"
#include "Host.hpp"
#include "ProjectFile.hpp"
#include "Session.hpp"

namespace {

int RunSession(const std::filesystem::path& script, const std::string& projectFile, const std::string& saveFile,
               const std::filesystem::path& work, std::optional<std::uint64_t> seed)
{
    namespace fs = std::filesystem;
    // Paths given on the command line are the caller's, not the work folder's.
    fs::path scriptPath = fs::absolute(script);
    fs::path save = saveFile.empty() ? fs::path() : fs::absolute(saveFile);
    std::ifstream input(scriptPath);
    if (!input.is_open()) {
        std::cerr << "korvel-host: cannot read the session " << script << "\n";
        return 2;
    }
    sim::Host& host = sim::Host::Get();
    if (seed) {
        // A repeatable run: the same guids, and files written with one fixed time.
        sim::SeedGuids(*seed);
        host.FixTime("2026-01-01T00:00:00");
    }
    if (!projectFile.empty()) {
        std::ifstream file(fs::absolute(projectFile));
        nlohmann::json project = nlohmann::json::parse(file, nullptr, false);
        if (!file.is_open() || project.is_discarded()) {
            std::cerr << "korvel-host: cannot read the project " << projectFile << "\n";
            return 2;
        }
        try {
            host.SetProject(sim::LoadProject(project));
        } catch (const sim::ProjectFileError& e) {
            std::cerr << "korvel-host: " << projectFile << ": " << e.what() << "\n";
            return 2;
        }
    }
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

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"korvel-host: the Korvel add-on in the stand-alone host"};
    app.require_subcommand(1);

    std::string script, project, save, work;
    std::optional<std::uint64_t> seed;
    auto* run = app.add_subcommand("run", "run a session script (JSON Lines)");
    run->add_option("session", script, "the session script")->required()->check(CLI::ExistingFile);
    run->add_option("--project", project, "project file to open (default: an empty project)")->check(CLI::ExistingFile);
    run->add_option("--save", save, "save the project here when the session ends");
    run->add_option("--work", work, "the host's current folder: log.txt and the special folders (default: here)");
    run->add_option("--seed", seed, "generate the same guids on every run (for comparing outputs)");

    std::string actions = "Session actions (one JSON object per line, {\"do\": ACTION, ...}):\n";
    for (const auto& action : korvel_host::Session::Actions())
        actions += "  " + action.name + std::string(action.name.size() < 8 ? 8 - action.name.size() : 1, ' ') +
                   action.description + "\n";
    run->footer(actions + "Formats: docs/sessions.md and docs/project-file.md.");

    auto* demo = app.add_subcommand("demo", "run the bundled demo session");
    demo->add_option("--work", work, "the host's current folder (default: a fresh temporary folder)");
    demo->add_option("--seed", seed, "generate the same guids on every run (for comparing outputs)");

    CLI11_PARSE(app, argc, argv);

    if (*run)
        return RunSession(script, project, save,
                          work.empty() ? std::filesystem::current_path() : std::filesystem::path(work), seed);

    std::filesystem::path examples = KORVEL_EXAMPLES_DIR;
    std::filesystem::path workFolder =
        work.empty() ? std::filesystem::temp_directory_path() / "korvel-demo" : std::filesystem::path(work);
    if (work.empty())
        std::filesystem::remove_all(workFolder);
    std::string demoProject = (examples / "projects" / "sample.json").string();
    return RunSession(examples / "sessions" / "demo.jsonl", demoProject, "", workFolder, seed);
}
