#pragma once
// Where a message for the sender of a command goes: the sender collects it
// for the report after its command message (User::addError); without a
// sender (a caller outside any parse) it becomes one line on standard
// error, written in one piece so that other threads' lines never cut into
// it. The line starts with stderrPrefix, which says where it came from.
// A sender's messages are collected under the parse lock (ParseLock.h);
// lines on standard error need no lock.

#include <string>
#include <string_view>

class User;

void reportToSender(User* sender, const std::string& message, std::string_view stderrPrefix = {});
