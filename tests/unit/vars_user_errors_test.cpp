// A sender hears of the errors in what it stored; type conflicts stay on
// standard error whoever sent them.

#include "Config.h"
#include "User.h"
#include "support/LoopbackUdp.h"
#include "vars_test_support.h"

#include <optional>

using namespace vars_test;

namespace {

// The router host: a UDP socket on the loopback address, where reports go.
class Router : public LoopbackUdp {
public:
    Router()
    {
        Config::getInstance()->add("Router", "127.0.0.1");
        Config::getInstance()->add("RouterFeedBackPort", portText());
    }
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
