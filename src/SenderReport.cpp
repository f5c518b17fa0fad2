#include "SenderReport.h"

#include "User.h"

#include <iostream>

void reportToSender(User* sender, const std::string& message, std::string_view stderrPrefix)
{
    if (sender != nullptr) {
        sender->addError(message);
        return;
    }
    std::string line;
    line.reserve(stderrPrefix.size() + message.size() + 1);
    line.append(stderrPrefix).append(message).append(1, '\n');
    std::cerr << line;
}
