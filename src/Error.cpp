#include "Error.h"

Error::Error(const std::string& message) : message(message) {}

Error::Error(const char* message) : message(message ? message : "") {}

void Error::setMessage(const std::string& text) { message = text; }

void Error::setMessage(const char* text) { message = text ? text : ""; }

std::string Error::getMessage() const { return message; }
