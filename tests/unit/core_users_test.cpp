#include "Config.h"
#include "Error.h"
#include "ReportSocket.h"
#include "SenderReport.h"
#include "User.h"
#include "Users.h"
#include "support/LoopbackUdp.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>
#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// A UDP socket on 127.0.0.1 at a free port, standing in for the router host.
class ReportReceiver : public LoopbackUdp {
public:
    std::optional<std::string> next(int timeoutMs = 2000) { return LoopbackUdp::next(timeoutMs); }
};

class CoreUserReports : public testing::Test {
protected:
    void SetUp() override
    {
        Config::getInstance()->add("Router", "127.0.0.1");
        Config::getInstance()->add("RouterFeedBackPort", receiver.portText());
    }

    // Reports with standard error captured; gives what was written there.
    static std::string report(User& user)
    {
        testing::internal::CaptureStderr();
        user.reportErrors();
        return testing::internal::GetCapturedStderr();
    }

    ReportReceiver receiver;
};

TEST_F(CoreUserReports, DatagramsByteForByteInOrder)
{
    User user("10.0.0.7", "5000");
    user.addError("first");
    user.addError("second error");
    user.addError("");
    EXPECT_EQ(report(user), "_port = " + receiver.portText() + "\n");
    EXPECT_EQ(receiver.next(), "10.0.0.7:5000 first;\n");
    EXPECT_EQ(receiver.next(), "10.0.0.7:5000 second error;\n");
    EXPECT_EQ(receiver.next(), "10.0.0.7:5000 ;\n");

    // A fresh collection: nothing of the earlier report is sent again.
    user.addError("third");
    EXPECT_EQ(report(user), "");
    EXPECT_EQ(receiver.next(), "10.0.0.7:5000 third;\n");
    EXPECT_EQ(receiver.next(200), std::nullopt);
}

TEST_F(CoreUserReports, FirstEmptyReportPreparesWithoutSending)
{
    User user("a", "1");
    EXPECT_EQ(report(user), "_port = " + receiver.portText() + "\n");
    EXPECT_EQ(receiver.next(200), std::nullopt);
}

TEST_F(CoreUserReports, NewPortChangesPrefixNotDestination)
{
    User user("host", "5000");
    user.addError("one");
    report(user);
    EXPECT_EQ(receiver.next(), "host:5000 one;\n");

    ReportReceiver elsewhere;
    Config::getInstance()->add("RouterFeedBackPort", elsewhere.portText());
    user.setPort("6000");
    user.addError("two");
    report(user);
    EXPECT_EQ(receiver.next(), "host:6000 two;\n");
    EXPECT_EQ(elsewhere.next(200), std::nullopt);
}

TEST_F(CoreUserReports, OversizedMessageDoesNotStopTheReport)
{
    User user("big", "1");
    user.addError(std::string(70000, 'x'));
    user.addError("after");
    const std::string diagnostics = report(user);
    EXPECT_NE(diagnostics.find("reportError:"), std::string::npos) << diagnostics;
    EXPECT_EQ(receiver.next(), "big:1 after;\n");
}

TEST_F(CoreUserReports, HostNameRouterIsResolved)
{
    Config::getInstance()->add("Router", "localhost");
    User user("named", "2");
    user.addError("via name");
    report(user);
    EXPECT_EQ(receiver.next(), "named:2 via name;\n");
}

TEST_F(CoreUserReports, UnresolvableRouterDropsReportsWithOneLine)
{
    const std::string host = "no-such-host-" + std::to_string(getpid()) + ".invalid";
    Config::getInstance()->add("Router", host);
    User first("u1", "1");
    User second("u2", "1");
    first.addError("lost");
    second.addError("lost too");
    const std::string diagnostics = report(first) + report(second);
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1) << diagnostics;
    EXPECT_NE(diagnostics.find(host), std::string::npos);
    EXPECT_EQ(receiver.next(200), std::nullopt);
}

TEST_F(CoreUserReports, EmptyRouterReportsEveryTime)
{
    Config::getInstance()->add("Router", "");
    User user("nowhere", "1");
    user.addError("dropped");
    EXPECT_EQ(report(user), "reportError: no address found for 'router'\n");
    EXPECT_EQ(report(user), "reportError: no address found for 'router'\n");
    EXPECT_EQ(receiver.next(200), std::nullopt);
}

int openDescriptors()
{
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

TEST_F(CoreUserReports, UsersShareOneSocket)
{
    User warmUp("warm", "1");
    report(warmUp);
    const int before = openDescriptors();
    std::vector<std::unique_ptr<User>> users;
    for (int i = 0; i < 50; ++i) {
        users.push_back(std::make_unique<User>("many" + std::to_string(i), std::to_string(i)));
        users.back()->addError("hello");
        report(*users.back());
    }
    EXPECT_EQ(openDescriptors(), before);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(receiver.next(), "many" + std::to_string(i) + ":" + std::to_string(i) + " hello;\n");
}

TEST_F(CoreUserReports, SenderCollectsElseOneLineOnStandardError)
{
    User sender("10.0.0.9", "5001");
    report(sender);  // the first report prepares the destination
    const struct {
        bool toSender;
        const char* prefix;
        const char* message;
        const char* stderrText;
        std::optional<std::string> datagram;
    } cases[] = {
        {true, "", "x: var not found.", "", "10.0.0.9:5001 x: var not found.;\n"},
        {true, "Variable add error: ", "Expression empty", "", "10.0.0.9:5001 Expression empty;\n"},
        {true, "", "", "", "10.0.0.9:5001 ;\n"},
        {false, "", "x: var not found.", "x: var not found.\n", std::nullopt},
        {false, "Variable add error: ", "Expression empty", "Variable add error: Expression empty\n", std::nullopt},
        {false, "", "", "\n", std::nullopt},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        reportToSender(c.toSender ? &sender : nullptr, c.message, c.prefix);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.stderrText) << c.message;
        EXPECT_EQ(report(sender), "");
        EXPECT_EQ(receiver.next(c.datagram ? 2000 : 100), c.datagram) << c.message;
    }
}

TEST(CoreSenderReport, LinesOfThreadsStayWhole)
{
    constexpr int threads = 4;
    constexpr int linesEach = 1000;
    const std::string padding(300, '-');
    testing::internal::CaptureStderr();
    std::vector<std::thread> writers;
    for (int t = 0; t < threads; ++t)
        writers.emplace_back([t, &padding] {
            for (int line = 0; line < linesEach; ++line)
                reportToSender(nullptr, std::to_string(t) + padding, "thread ");
        });
    for (std::thread& writer : writers)
        writer.join();
    std::istringstream written(testing::internal::GetCapturedStderr());
    int lines = 0;
    for (std::string line; std::getline(written, line); ++lines)
        ASSERT_TRUE(line.size() == 7 + 1 + padding.size() && line.rfind("thread ", 0) == 0 &&
                    line.compare(8, std::string::npos, padding) == 0)
            << line;
    EXPECT_EQ(lines, threads * linesEach);
}

TEST(CoreReportPort, FromSettingText)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"12346", 12346}, {"abc", 0}, {"", 0}, {"70000", 70000 - 65536}, {"12346.9", 12346},
        {"-1", 65535}, {"2147483647", 65535}, {"2147483648", 0}, {"3000000000", 0},
        {"-2147483648", 0}, {"-2147483649", 0}, {"1e400", 0}, {"-1e400", 0},
    };
    for (const auto& [text, port] : cases)
        EXPECT_EQ(reportPortFromText(text), port) << "text '" << text << "'";
}

TEST(CoreUsers, NamesCountUpAndLookupPrefersAddresses)
{
    testing::internal::CaptureStderr();
    User probe("probe", "1");
    const int serial = std::stoi(probe.getName().substr(4));
    auto nameOf = [](int n) { return "user" + std::to_string(n); };

    // The first user's address is the name that the second user will get.
    auto* first = new User(nameOf(serial + 2), "7");
    auto* second = new User("second-address", "8");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "port is '1'\nUser constructor: probe\n"
              "port is '7'\nUser constructor: " + nameOf(serial + 2) + "\n"
              "port is '8'\nUser constructor: second-address\n");
    EXPECT_EQ(first->getName(), nameOf(serial + 1));
    EXPECT_EQ(second->getName(), nameOf(serial + 2));

    Users* users = Users::getInstance();
    users->addUser(first->getAddress(), first);
    users->addUser(second->getAddress(), second);

    EXPECT_EQ(users->getUser(nameOf(serial + 2)), first);  // an address before a name
    EXPECT_EQ(users->getUser(nameOf(serial + 1)), first);
    EXPECT_EQ(users->getUser("second-address"), second);
    EXPECT_EQ(users->getUser("neither-" + nameOf(serial)), nullptr);

    // A key already present keeps its user.
    testing::internal::CaptureStderr();
    auto* third = new User("second-address", "9");
    testing::internal::GetCapturedStderr();
    users->addUser("second-address", third);
    EXPECT_EQ(users->getUser("second-address"), second);
    EXPECT_EQ(users->getUser(third->getName()), third);

    std::vector<std::string> addresses;
    users->getUserNames(addresses);
    EXPECT_TRUE(std::is_sorted(addresses.begin(), addresses.end()));
    EXPECT_EQ(std::count(addresses.begin(), addresses.end(), "second-address"), 1);
}

TEST(CoreError, KeepsMessage)
{
    Error fromString(std::string("text"));
    Error fromChars("chars");
    Error copy(fromString);
    copy.setMessage("changed");
    EXPECT_EQ(fromString.getMessage(), "text");
    EXPECT_EQ(fromChars.getMessage(), "chars");
    EXPECT_EQ(copy.getMessage(), "changed");
}

}  // namespace
