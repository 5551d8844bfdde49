// Catches what the add-on writes to standard output, which carries only JSON lines.
#include "StdoutCapture.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace korvel_host {

namespace {

int CapturingFile()
{
    char name[] = "/tmp/korvel-host-stdout-XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0)
        unlink(name);
    return fd;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

StdoutCapture::StdoutCapture() : realFd(dup(STDOUT_FILENO)), captureFd(CapturingFile()), buffer(realFd), real(&buffer)
{
    std::cout.flush();
    std::fflush(stdout);
    if (realFd < 0 || captureFd < 0 || dup2(captureFd, STDOUT_FILENO) < 0) {
        std::cerr << "korvel-host: cannot capture standard output\n";
        std::exit(2);
    }
}

StdoutCapture::~StdoutCapture()
{
    real.flush();
    std::cout.flush();
    std::fflush(stdout);
    dup2(realFd, STDOUT_FILENO);
    close(realFd);
    close(captureFd);
}

std::string StdoutCapture::Take()
{
    std::cout.flush();
    std::fflush(stdout);
    std::string text;
    char chunk[4096];
    lseek(captureFd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(captureFd, chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(n));
    if (ftruncate(captureFd, 0) != 0)
        std::cerr << "korvel-host: cannot reset the captured output\n";
    lseek(captureFd, 0, SEEK_SET);
    return text;
}

StdoutCapture::FdBuffer::int_type StdoutCapture::FdBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return WriteAll(fd, &ch, 1) ? c : traits_type::eof();
}

std::streamsize StdoutCapture::FdBuffer::xsputn(const char* s, std::streamsize n)
{
    return WriteAll(fd, s, static_cast<std::size_t>(n)) ? n : 0;
}

} // namespace korvel_host
