#pragma once
// The runtime's exception classes. Failures are exceptions; what() gives the
// message bytes exactly as they stand (code page 932).

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// A value could not be converted (date-time text, a format string).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An INI file could not be read or written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// A registry key could not be opened or created, or a value not read or written.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// The clipboard could not be opened or written.
class EClipboardException : public Exception {
public:
    using Exception::Exception;
};

// Memory for a result could not be had.
class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

// Any other failure reported by the operating system.
class EOSError : public Exception {
public:
    using Exception::Exception;
};
