// A sender hears of the errors in what it stored; type conflicts stay on
// standard error whoever sent them.

#include "Config.h"
#include "User.h"
#include "vars_test_support.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>
#include <optional>

using namespace vars_test;

namespace {

// The router host: a UDP socket on the loopback address.
class Router {
public:
    Router()
    {
        fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        Config::getInstance()->add("Router", "127.0.0.1");
        Config::getInstance()->add("RouterFeedBackPort", std::to_string(ntohs(address.sin_port)));
    }
    ~Router() { close(fd); }

    std::optional<std::string> next(int timeoutMs)
    {
        timeval timeout{0, timeoutMs * 1000};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        std::string buffer(2000, '\0');
        const ssize_t n = recv(fd, &buffer[0], buffer.size(), 0);
        if (n < 0)
            return std::nullopt;
        buffer.resize(static_cast<std::size_t>(n));
        return buffer;
    }

private:
    int fd = -1;
};

TEST(VarsUserErrors, ErrorsGoToTheSenderConflictsToStandardError)
{
    Router router;
    testing::internal::CaptureStderr();
    User user("10.1.2.3", "4000");
    user.reportErrors();  // prepares the destination
    testing::internal::GetCapturedStderr();
    const std::string name = user.getName() + ":x";

    testing::internal::CaptureStderr();
    store()->add(&user, name, "y+1", PARAM_EXPRESSION);
    store()->add(&user, name, "1", PARAM_NUMBER);
    store()->add(&user, name, "x+1", PARAM_EXPRESSION);
    store()->add(&user, name, "text", PARAM_STRING);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: can not convert an expression to a string\n");

    user.reportErrors();
    EXPECT_EQ(router.next(2000), "10.1.2.3:4000 Var does not exist: " + user.getName() + ":y;\n");
    EXPECT_EQ(router.next(2000), "10.1.2.3:4000 Error: Found simple loop;\n");
    EXPECT_EQ(router.next(200), std::nullopt);
}

}  // namespace
