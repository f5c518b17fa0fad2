#pragma once
// Runs the real build/ZolviViewer for end-to-end tests.
//
// Each ViewerProcess claims its own loopback address 127.0.0.N as Router
// (binding the command endpoint tcp://127.0.0.N:5560 and the report port
// 127.0.0.N:<feedbackPort>), starts its own Xvfb, writes a configuration
// file into its own temporary working directory and starts the viewer there
// with stdout and stderr going to files in that directory (screenshots land
// there too). The destructor kills the viewer and Xvfb and removes the
// directory (set ZOLVI_KEEP_E2E_DIRS=1 to keep it). Every wait has a timeout.
//
//   TEST(ExampleE2E, PrintsTheValue)
//   {
//       ViewerProcess viewer;                      // or ViewerProcess viewer(options);
//       ASSERT_TRUE(viewer.start());               // waits for the viewer's subscription
//       viewer.send("x=2; print x");              // framed as viewer.sender()
//       EXPECT_EQ(viewer.nextReport(), viewer.sender() + " 2;\n");
//       EXPECT_TRUE(viewer.waitForStderr("Running\n"));
//       ASSERT_TRUE(viewer.closeWindow());
//       EXPECT_EQ(viewer.waitForExit(), ViewerProcess::exitedWith(1));
//   }
//
// sender() is the "address:port" head that send() puts before a command;
// sendRaw() and sendParts() publish bytes exactly as given.

#include "ViewerClient.h"

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct ViewerOptions {
    // Lines appended to the generated configuration file, after the lines
    // that set Router and RouterFeedBackPort.
    std::vector<std::string> configLines;
    // False: start the viewer without any argument (presets only; its
    // Router is then 127.0.0.1, which this harness does not claim).
    bool passConfigFile = true;
    // When set, passed as the first argument instead of the generated file
    // (for instance a path that does not exist).
    std::optional<std::string> configPath;
    // Further command-line arguments after the configuration path.
    std::vector<std::string> extraArgs;
    // False: no Xvfb, DISPLAY unset (on a machine whose display :0 is
    // served, DISPLAY names a display that is not).
    bool display = true;
    // Environment changes: a value sets the variable, nullopt unsets it.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    // The report port written into the configuration file.
    uint16_t feedbackPort = 12346;
    // start() waits for the viewer's subscription (turn off for viewers
    // that are expected to end at once, or that connect elsewhere).
    bool waitForSubscriber = true;
    // The sender head that send() puts before each command.
    std::string senderAddress = "e2e";
    std::string senderPort = "4000";
};

class ViewerProcess {
public:
    struct ExitStatus {
        bool exited = false;  // ended by exit (code), otherwise by a signal
        int code = 0;
        int signal = 0;
        bool operator==(const ExitStatus& other) const
        {
            return exited == other.exited && code == other.code && signal == other.signal;
        }
    };
    static ExitStatus exitedWith(int code) { return {true, code, 0}; }

    using Duration = std::chrono::milliseconds;
    static constexpr Duration defaultTimeout{10000};

    explicit ViewerProcess(ViewerOptions options = {});
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    // Claims an address, starts Xvfb and the viewer, and (unless turned off)
    // waits for the viewer's subscription.
    testing::AssertionResult start(Duration timeout = Duration(30000));

    // Publishing: send() frames the command as "<sender()> <command>".
    std::string sender() const;
    bool send(const std::string& command);
    bool sendRaw(const std::string& bytes);
    bool sendParts(const std::vector<std::string>& parts);

    // Reports (UDP datagrams the viewer sends to the router host).
    std::optional<std::string> nextReport(Duration timeout = defaultTimeout);
    std::vector<std::string> reports(size_t count, Duration timeout = defaultTimeout);
    std::vector<std::string> drainReports(Duration quiet = Duration(500));

    // The viewer's standard error and output, whole, as written so far.
    std::string stderrText() const;
    std::string stdoutText() const;
    // How many times text stands in standard error so far.
    size_t stderrCount(const std::string& text) const;
    bool waitForStderr(const std::string& text, Duration timeout = defaultTimeout) const;
    bool waitForStdout(const std::string& text, Duration timeout = defaultTimeout) const;

    // Asks the window manager protocol to close the viewer's window
    // (WM_DELETE_WINDOW); waits for the window to appear first.
    bool closeWindow(Duration timeout = defaultTimeout);

    // The exit status, or nothing when the viewer still runs at the deadline.
    std::optional<ExitStatus> waitForExit(Duration timeout = defaultTimeout);
    bool running();

    const std::string& workDir() const { return workDir_; }
    std::string path(const std::string& name) const { return workDir_ + "/" + name; }
    std::string router() const;
    uint16_t feedbackPort() const { return options_.feedbackPort; }
    const std::string& display() const { return display_; }
    pid_t pid() const { return viewerPid; }
    ViewerClient* client() { return client_.get(); }

private:
    testing::AssertionResult startXvfb(Duration timeout);
    testing::AssertionResult startViewer();
    std::string writeConfigFile();

    ViewerOptions options_;
    std::unique_ptr<ViewerClient> client_;
    std::string workDir_;
    std::string display_;
    pid_t xvfbPid = -1;
    pid_t viewerPid = -1;
    std::optional<ExitStatus> exitStatus;
};

std::ostream& operator<<(std::ostream& out, const ViewerProcess::ExitStatus& status);

// The whole content of a file ("" when it cannot be read).
std::string readWholeFile(const std::string& path);
