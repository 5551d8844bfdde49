#pragma once
// The host library's exceptions. They derive from std::exception so that a single catch
// in the add-on's callbacks sees them and the host's own errors alike.
#include <exception>
#include <string>

namespace GS {

class Exception : public std::exception {
public:
    explicit Exception(std::string message = "Exception.") : message(std::move(message)) {}
    const char* what() const noexcept override { return message.c_str(); }
    const std::string& GetMessage() const { return message; }

private:
    std::string message;
};

class NullReferenceException : public Exception {
public:
    NullReferenceException() : Exception("Null reference.") {}
};

class ClassCastException : public Exception {
public:
    ClassCastException() : Exception("Bad cast.") {}
};

class IndexOutOfRangeException : public Exception {
public:
    IndexOutOfRangeException() : Exception("Index out of range.") {}
};

class IllegalArgumentException : public Exception {
public:
    explicit IllegalArgumentException(std::string message = "Illegal argument.") : Exception(std::move(message)) {}
};

} // namespace GS
