// The host's command rules.
#include "Commands.hpp"

#include "APIErrors.h"
#include "Host.hpp"

namespace sim {

GSErrCode Commands::ElementChange() const
{
    return Inside() ? NoError : APIERR_NEEDSUNDOSCOPE;
}

GSErrCode Commands::CompleteOperation() const
{
    return Inside() ? APIERR_REFUSEDCMD : NoError;
}

GSErrCode Commands::RunUndoable(const std::string& name, const std::function<GSErrCode()>& command,
                                const std::function<void(const std::string&)>& record)
{
    // Inside the host's own command (an element event) as inside the add-on's own one.
    if (Inside())
        return APIERR_REFUSEDCMD;
    record(name);
    current = Kind::AddOn;
    GSErrCode result = APIERR_COMMANDFAILED;
    try {
        result = command();
    } catch (...) {
        // The host catches what the command throws and reports the command as failed.
        result = APIERR_COMMANDFAILED;
    }
    current = Kind::None;
    return result;
}

Commands::HostCommand::HostCommand() : previous(Host::Get().GetCommands().current)
{
    Host::Get().GetCommands().current = Kind::Host;
}

Commands::HostCommand::~HostCommand()
{
    Host::Get().GetCommands().current = previous;
}

} // namespace sim
