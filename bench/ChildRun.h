#pragma once
// Runs this benchmark program again, with other arguments, as a child
// process, and collects what it prints: for the measurements that need a
// process of their own.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace scale {

// Runs /proc/self/exe with the arguments, its standard output into output
// and its standard error shared. True when it exits with 0 within the
// time; otherwise failure says what went wrong (a child still running at
// the end of the time is killed).
inline bool runChild(const std::vector<std::string>& arguments, std::chrono::seconds time, std::string& output,
                     std::string& failure)
{
    failure.clear();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        failure = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::vector<char*> argv = {const_cast<char*>("/proc/self/exe")};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    int spawned = posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    if (spawned == 0)
        spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        failure = std::string("posix_spawn: ") + std::strerror(spawned);
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + time;
    bool timedOut = false;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd readable = {pipeEnds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&readable, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            failure = std::string("poll: ") + std::strerror(errno);
            kill(child, SIGKILL);
            break;
        }
        if (ready == 0) {
            timedOut = true;
            kill(child, SIGKILL);
            break;
        }
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0)
            output.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            break;
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut)
        failure = "did not finish within " + std::to_string(time.count()) + " s";
    else if (!failure.empty())
        return false;
    else if (WIFSIGNALED(status))
        failure = std::string("was ended by signal ") + strsignal(WTERMSIG(status));
    else if (WEXITSTATUS(status) != 0)
        failure = "exited with " + std::to_string(WEXITSTATUS(status));
    return failure.empty();
}

}  // namespace scale
