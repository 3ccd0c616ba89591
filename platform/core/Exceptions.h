#pragma once

#include <stdexcept>
#include <string>

// The runtime's exception family. A window's creation handler that raises one of these
// has the message shown in a message box while the window still opens.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that should have been a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A stream or file that ended early or held data of the wrong shape.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A file that is missing or could not be opened or read; the message names the file and the reason.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A bitmap, JPEG or other picture that cannot be decoded.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A settings-store value that could not be read or written.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// A file that could not be created or written; the message names the file and the reason.
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};
