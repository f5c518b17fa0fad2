#include "ViewerProcess.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// argv/envp arrays built before fork, so the child only calls async-signal-safe functions.
struct CStrings {
    explicit CStrings(const std::vector<std::string>& strings) : storage(strings)
    {
        for (auto& s : storage)
            pointers.push_back(s.data());
        pointers.push_back(nullptr);
    }
    char** get() { return pointers.data(); }
    std::vector<std::string> storage;
    std::vector<char*> pointers;
};

// Forks and execs; in the child, fd 0 reads /dev/null, fds 1 and 2 write to
// outFd and errFd, extraFd (when >= 0) becomes fd 3, and the child dies with
// the parent.
pid_t spawn(const std::string& workDir, CStrings& argv, CStrings& envp, int outFd, int errFd, int extraFd)
{
    const int nullFd = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) {
        close(nullFd);
        return pid;
    }
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    if (extraFd >= 0) {
        if (extraFd == 3)
            fcntl(3, F_SETFD, 0);
        else
            dup2(extraFd, 3);
    }
    dup2(nullFd, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    if (chdir(workDir.c_str()) != 0)
        _exit(126);
    execve(argv.get()[0], argv.get(), envp.get());
    _exit(127);
}

std::string findInPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = dir + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return program;
}

int openOutput(const std::string& path)
{
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

std::optional<ViewerProcess::ExitStatus> decode(int status)
{
    if (WIFEXITED(status))
        return ViewerProcess::ExitStatus{true, WEXITSTATUS(status), 0};
    if (WIFSIGNALED(status))
        return ViewerProcess::ExitStatus{false, 0, WTERMSIG(status)};
    return std::nullopt;
}

void killAndReap(pid_t pid, int signal, ViewerProcess::Duration grace)
{
    kill(pid, signal);
    const auto deadline = Clock::now() + grace;
    while (Clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

bool waitUntil(ViewerProcess::Duration timeout, const std::function<bool()>& condition)
{
    const auto deadline = Clock::now() + timeout;
    while (true) {
        if (condition())
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::ostream& operator<<(std::ostream& out, const ViewerProcess::ExitStatus& status)
{
    if (status.exited)
        return out << "exit status " << status.code;
    return out << "killed by signal " << status.signal << " (" << strsignal(status.signal) << ")";
}

ViewerProcess::ViewerProcess(ViewerOptions options) : options_(std::move(options)) {}

ViewerProcess::~ViewerProcess()
{
    if (viewerPid > 0 && !exitStatus)
        killAndReap(viewerPid, SIGKILL, Duration(5000));
    if (xvfbPid > 0)
        killAndReap(xvfbPid, SIGTERM, Duration(3000));
    client_.reset();
    if (workDir_.empty())
        return;
    if (std::getenv("ZOLVI_KEEP_E2E_DIRS") || testing::Test::HasFailure()) {
        std::cerr << "viewer files kept in " << workDir_ << "\n";
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(workDir_, ignored);
}

testing::AssertionResult ViewerProcess::start(Duration timeout)
{
    const auto deadline = Clock::now() + timeout;
    client_ = ViewerClient::claimLoopback(options_.feedbackPort);
    if (!client_)
        return testing::AssertionFailure() << "no free loopback address for port " << options_.feedbackPort;

    char dirTemplate[] = "/tmp/zolvi-e2e-XXXXXX";
    if (!mkdtemp(dirTemplate))
        return testing::AssertionFailure() << "cannot make a working directory: " << strerror(errno);
    workDir_ = dirTemplate;

    if (options_.display) {
        auto xvfb = startXvfb(timeout);
        if (!xvfb)
            return xvfb;
    }
    auto viewer = startViewer();
    if (!viewer)
        return viewer;
    if (!options_.waitForSubscriber)
        return testing::AssertionSuccess();

    while (!client_->waitForSubscriber(Duration(100))) {
        if (!running())
            return testing::AssertionFailure() << "the viewer ended before subscribing (" << *exitStatus
                                               << "); stderr:\n" << stderrText();
        if (Clock::now() >= deadline)
            return testing::AssertionFailure() << "the viewer did not subscribe to tcp://" << router()
                                               << ":5560 in time; stderr:\n" << stderrText();
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult ViewerProcess::startXvfb(Duration timeout)
{
    // Displays are chosen from :100 upwards, never :0, which is where a
    // client without DISPLAY goes. Xvfb refuses a display that another
    // server holds, and then the next one is tried.
    const auto deadline = Clock::now() + timeout;
    const int first = 100 + int(getpid() % 400);
    std::vector<std::string> inherited;
    for (char** e = environ; *e; ++e)
        inherited.push_back(*e);
    CStrings xvfbEnv(inherited);
    for (int attempt = 0; attempt < 400 && Clock::now() < deadline; ++attempt) {
        const std::string number = std::to_string(first + attempt);
        int displayPipe[2];
        if (pipe2(displayPipe, O_CLOEXEC) != 0)
            return testing::AssertionFailure() << "pipe: " << strerror(errno);
        const int logFd = openOutput(path("xvfb.log"));
        // -noreset: the viewer's first connection (a screen query) closes
        // before its window's opens, and a server that resets in between
        // refuses or confuses the window's connection.
        CStrings argv({findInPath("Xvfb"), ":" + number, "-displayfd", "3", "-screen", "0", "1280x1024x24",
                       "-nolisten", "tcp", "-noreset"});
        xvfbPid = spawn(workDir_, argv, xvfbEnv, logFd, logFd, displayPipe[1]);
        close(displayPipe[1]);
        close(logFd);

        // Xvfb writes the display number once it accepts clients; the pipe
        // ends without it when the server gives up.
        std::string written;
        while (written.empty() || written.back() != '\n') {
            const auto left = std::chrono::duration_cast<Duration>(deadline - Clock::now()).count();
            pollfd item{displayPipe[0], POLLIN, 0};
            char c;
            if (left <= 0 || poll(&item, 1, int(left)) <= 0 || read(displayPipe[0], &c, 1) != 1)
                break;
            written += c;
        }
        close(displayPipe[0]);
        if (!written.empty() && written.back() == '\n') {
            display_ = ":" + number;
            return testing::AssertionSuccess();
        }
        killAndReap(xvfbPid, SIGKILL, Duration(1000));
        xvfbPid = -1;
    }
    return testing::AssertionFailure() << "Xvfb did not start; its last log:\n" << readWholeFile(path("xvfb.log"));
}

std::string ViewerProcess::writeConfigFile()
{
    const std::string file = path("zolvi.cfg");
    std::ofstream out(file);
    out << "Router " << router() << "\n";
    out << "RouterFeedBackPort " << options_.feedbackPort << "\n";
    for (const auto& line : options_.configLines)
        out << line << "\n";
    return file;
}

testing::AssertionResult ViewerProcess::startViewer()
{
    std::vector<std::string> args = {ZOLVI_VIEWER_PATH};
    const std::string generated = writeConfigFile();
    if (options_.configPath)
        args.push_back(*options_.configPath);
    else if (options_.passConfigFile)
        args.push_back(generated);
    args.insert(args.end(), options_.extraArgs.begin(), options_.extraArgs.end());

    std::map<std::string, std::string> environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto equals = entry.find('=');
        if (equals != std::string::npos)
            environment[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    if (options_.display) {
        environment["DISPLAY"] = display_;
    } else {
        environment.erase("DISPLAY");
        // Without DISPLAY a client goes to :0; where a server runs there
        // (a desktop), name a display that none serves instead.
        if (access("/tmp/.X11-unix/X0", F_OK) == 0)
            environment["DISPLAY"] = ":59999";
    }
    for (const auto& [name, value] : options_.environment) {
        if (value)
            environment[name] = *value;
        else
            environment.erase(name);
    }
    std::vector<std::string> envStrings;
    for (const auto& [name, value] : environment)
        envStrings.push_back(name + "=" + value);

    CStrings argv(args);
    CStrings envp(envStrings);
    const int outFd = openOutput(path("stdout.txt"));
    const int errFd = openOutput(path("stderr.txt"));
    if (outFd < 0 || errFd < 0)
        return testing::AssertionFailure() << "cannot open output files in " << workDir_;
    viewerPid = spawn(workDir_, argv, envp, outFd, errFd, -1);
    close(outFd);
    close(errFd);
    if (viewerPid < 0)
        return testing::AssertionFailure() << "fork: " << strerror(errno);
    return testing::AssertionSuccess();
}

std::string ViewerProcess::router() const { return client_ ? client_->router() : std::string(); }

std::string ViewerProcess::sender() const { return options_.senderAddress + ":" + options_.senderPort; }

bool ViewerProcess::send(const std::string& command) { return client_ && client_->send(sender() + " " + command); }

bool ViewerProcess::sendRaw(const std::string& bytes) { return client_ && client_->send(bytes); }

bool ViewerProcess::sendParts(const std::vector<std::string>& parts) { return client_ && client_->sendParts(parts); }

std::optional<std::string> ViewerProcess::nextReport(Duration timeout)
{
    return client_ ? client_->nextReport(timeout) : std::nullopt;
}

std::vector<std::string> ViewerProcess::reports(size_t count, Duration timeout)
{
    return client_ ? client_->reports(count, timeout) : std::vector<std::string>{};
}

std::vector<std::string> ViewerProcess::drainReports(Duration quiet)
{
    return client_ ? client_->drainReports(quiet) : std::vector<std::string>{};
}

std::string ViewerProcess::stderrText() const { return readWholeFile(path("stderr.txt")); }

std::string ViewerProcess::stdoutText() const { return readWholeFile(path("stdout.txt")); }

size_t ViewerProcess::stderrCount(const std::string& text) const
{
    const std::string errors = stderrText();
    size_t found = 0;
    for (size_t at = errors.find(text); at != std::string::npos; at = errors.find(text, at + 1))
        ++found;
    return found;
}

bool ViewerProcess::waitForStderr(const std::string& text, Duration timeout) const
{
    return waitUntil(timeout, [&] { return stderrText().find(text) != std::string::npos; });
}

bool ViewerProcess::waitForStdout(const std::string& text, Duration timeout) const
{
    return waitUntil(timeout, [&] { return stdoutText().find(text) != std::string::npos; });
}

bool ViewerProcess::closeWindow(Duration timeout)
{
    if (display_.empty())
        return false;
    XSetErrorHandler(ignoreXErrors);
    Display* x = XOpenDisplay(display_.c_str());
    if (!x)
        return false;
    const Atom protocols = XInternAtom(x, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(x, "WM_DELETE_WINDOW", False);

    // The viewer's top-level window: the one that takes WM_DELETE_WINDOW.
    auto findWindow = [&]() -> Window {
        Window rootReturn, parentReturn, *children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (XQueryTree(x, DefaultRootWindow(x), &rootReturn, &parentReturn, &children, &count)) {
            for (unsigned int i = 0; i < count && !found; ++i) {
                Atom* supported = nullptr;
                int supportedCount = 0;
                if (XGetWMProtocols(x, children[i], &supported, &supportedCount)) {
                    for (int j = 0; j < supportedCount; ++j)
                        if (supported[j] == deleteWindow)
                            found = children[i];
                    XFree(supported);
                }
            }
            if (children)
                XFree(children);
        }
        return found;
    };

    Window window = 0;
    waitUntil(timeout, [&] {
        window = findWindow();
        return window != 0 || !running();
    });
    if (window != 0) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(x, window, False, NoEventMask, &event);
        XSync(x, False);
    }
    XCloseDisplay(x);
    return window != 0;
}

std::optional<ViewerProcess::ExitStatus> ViewerProcess::waitForExit(Duration timeout)
{
    waitUntil(timeout, [&] { return !running(); });
    return exitStatus;
}

bool ViewerProcess::running()
{
    if (viewerPid <= 0 || exitStatus)
        return false;
    int status = 0;
    if (waitpid(viewerPid, &status, WNOHANG) == viewerPid)
        exitStatus = decode(status);
    return !exitStatus;
}
