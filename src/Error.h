#pragma once
// One message collected for a user: an error, or a print or screenshot reply.

#include <string>

class Error {
public:
    explicit Error(const std::string& message);
    explicit Error(const char* message);
    Error(const Error& other) = default;
    Error& operator=(const Error& other) = default;
    virtual ~Error() = default;

    void setMessage(const std::string& text);
    void setMessage(const char* text);
    std::string getMessage() const;

private:
    std::string message;
};
