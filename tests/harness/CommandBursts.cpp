#include "CommandBursts.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The number at the head of a reply's text, after the sender's head.
double replyNumber(const std::string& reply, const std::string& head)
{
    if (reply.compare(0, head.size() + 1, head + " ") != 0)
        return -1;
    return std::strtod(reply.c_str() + head.size() + 1, nullptr);
}

// The clock of the user that sends under head, read with a print.
double clockOf(ViewerProcess& viewer, const std::string& head)
{
    viewer.sendRaw(head + " print Main.time");
    const auto reply = viewer.nextReport(milliseconds(30000));
    return reply ? replyNumber(*reply, head) : -1;
}

}  // namespace

BurstResult cubeBurst(ViewerProcess& viewer, int count)
{
    BurstResult result;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        viewer.send("cube b" + std::to_string(i) + " x=" + std::to_string(i));
    result.sendMs = millisecondsSince(start);
    viewer.send("print b" + std::to_string(count - 1) + ".x");
    const auto last = viewer.nextReport(milliseconds(300000));
    result.appliedMs = millisecondsSince(start);
    if (!last)
        return BurstResult{count, result.sendMs, result.appliedMs};

    // Every x read back, a hundred per message so that replies never pile up.
    const int perMessage = 100;
    for (int first = 0; first < count; first += perMessage) {
        const int end = std::min(count, first + perMessage);
        std::string prints = "print";
        for (int i = first; i < end; ++i)
            prints += " b" + std::to_string(i) + ".x";
        viewer.send(prints);
        for (int i = first; i < end; ++i) {
            const auto reply = viewer.nextReport(milliseconds(30000));
            if (!reply || *reply != viewer.sender() + " " + std::to_string(i) + ";\n")
                ++result.missing;
        }
    }
    return result;
}

ChurnResult senderChurn(ViewerProcess& viewer, int senders, int rate, double seconds)
{
    ChurnResult result;
    std::vector<std::string> heads;
    for (int k = 0; k < senders; ++k) {
        heads.push_back("churn" + std::to_string(k) + ":1");
        viewer.sendRaw(heads.back() + " cube m x=0");
    }
    // Every sender's user and cube exist once the last one answers.
    viewer.sendRaw(heads.back() + " print m.x");
    viewer.nextReport(milliseconds(60000));
    const double clockBefore = clockOf(viewer, heads.front());

    const int ticks = static_cast<int>(rate * seconds);
    const auto start = Clock::now();
    for (int tick = 1; tick <= ticks; ++tick) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(1000000L * (tick - 1) / rate));
        for (const std::string& head : heads) {
            viewer.sendRaw(head + " m x=" + std::to_string(tick));
            ++result.sent;
        }
    }
    result.wallSeconds = millisecondsSince(start) / 1000;
    result.clockAdvance = clockOf(viewer, heads.front()) - clockBefore;

    for (const std::string& head : heads) {
        viewer.sendRaw(head + " print m.x");
        const auto reply = viewer.nextReport(milliseconds(60000));
        if (!reply || *reply != head + " " + std::to_string(ticks) + ";\n")
            ++result.stale;
    }
    return result;
}
