#pragma once
// korvel-host's standard output carries one JSON object per line and nothing else. What
// the add-on writes to standard output (as it may inside the application) is caught at
// the file descriptor, so no write of it can land between the step lines; the session
// takes it after each step and puts it into that step's line.
#include <ostream>
#include <streambuf>
#include <string>

namespace korvel_host {

class StdoutCapture {
public:
    // From here on, file descriptor 1 goes to a temporary file.
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // The real standard output.
    std::ostream& Real() { return real; }
    // Everything written to standard output since the last call.
    std::string Take();

private:
    class FdBuffer : public std::streambuf {
    public:
        explicit FdBuffer(int fd) : fd(fd) {}

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;

    private:
        int fd;
    };

    int realFd = -1;
    int captureFd = -1;
    FdBuffer buffer;
    std::ostream real;
};

} // namespace korvel_host
