#pragma once
// One parse at a time. Command messages (command thread) and scheduled
// commands (main thread, under the scheduler's own lock) are parsed against
// process-wide lexer and parser state, so each is handled to its end under
// this lock. It is recursive only so that a new user's prelude texts can be
// handled inside the outer message's handling, before its own parse starts;
// a parse itself never nests (the dispatcher refuses that).
//
// Its place in the lock order: LockOrder.h.

#include <mutex>

class ParseLock {
public:
    static std::recursive_mutex& get();
};

typedef std::lock_guard<std::recursive_mutex> ParseGuard;
