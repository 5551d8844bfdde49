#pragma once
// The host's command rules, in one place that every call consults: every project change
// belongs to a command; element changes only inside one; commands do not nest; element
// events arrive inside the host's own command; complete operations (saving) only outside.
#include <functional>
#include <string>

#include "GS/Types.hpp"

namespace sim {

class Commands {
public:
    enum class Kind { None, AddOn, Host };

    Kind Current() const { return current; }
    bool Inside() const { return current != Kind::None; }

    // What an element modifier (change, properties, classification or user data of an
    // element, creation, deletion) is answered: NoError inside a command, else
    // APIERR_NEEDSUNDOSCOPE.
    GSErrCode ElementChange() const;
    // What a complete operation (saving the project) is answered: APIERR_REFUSEDCMD inside
    // any command.
    GSErrCode CompleteOperation() const;

    // ACAPI_CallUndoableCommand: refused while any command runs (APIERR_REFUSEDCMD); a
    // function that throws answers APIERR_COMMANDFAILED. `record` receives the step's name.
    GSErrCode RunUndoable(const std::string& name, const std::function<GSErrCode()>& command,
                          const std::function<void(const std::string&)>& record);

    // The host's own command around a user action: its element events arrive inside it.
    class HostCommand {
    public:
        HostCommand();
        ~HostCommand();
        HostCommand(const HostCommand&) = delete;
        HostCommand& operator=(const HostCommand&) = delete;

    private:
        Kind previous;
    };

    void Reset() { current = Kind::None; }

private:
    Kind current = Kind::None;
};

} // namespace sim

// First statement of an element modifier: counted, fault-injectable, and refused outside
// an undoable command.
#define SIM_ENTER_ELEMENT_CHANGE(name)                                                                                 \
    do {                                                                                                               \
        SIM_ENTER(name);                                                                                               \
        if (GSErrCode simRefused_ = ::sim::Host::Get().GetCommands().ElementChange(); simRefused_ != NoError)          \
            return simRefused_;                                                                                        \
    } while (false)
