// libFuzzer target: arbitrary bytes to the page's object and the dropped-file handler.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "AddOnMain.hpp"
#include "FuzzInput.hpp"
#include "Host.hpp"
#include "Timeouts.hpp"
#include "UserActions.hpp"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The add-on reports malformed requests on standard output; the fuzzer's own report
    // goes to standard error and stays readable without them.
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        std::fprintf(stderr, "korvel-fuzz: standard output stays open\n");
    // Inputs may name any https address; none of them is worth waiting for here.
    KRV::net::TransferTimeouts() = {1, 1000, 1};
    sim::Host& host = sim::Host::Get();
    host.SetWorkFolder(std::filesystem::temp_directory_path() / "korvel-fuzz");
    host.Reset();
    korvel_fuzz::ResetProject();
    if (!sim::user::LoadAddOn(KRV::AddOnImage()).loaded || sim::user::ChooseMenu(32500, 1) != NoError) {
        std::fprintf(stderr, "korvel-fuzz: the add-on did not load\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korvel_fuzz::ResetProject();
    const std::string escaped = korvel_fuzz::RunInput(data, size);
    if (!escaped.empty()) {
        // To the host this is a crash: make it one the fuzzer records.
        std::fprintf(stderr, "korvel-fuzz: exception escaped into the host: %s\n", escaped.c_str());
        std::abort();
    }
    return 0;
}
