// The value store's costs: a store that re-evaluates N dependants against
// evaluating N compiled expressions directly (the floor), a deep diamond of
// dependencies, and the clock's store in every frame over many frames.

#include "Variables.h"

#include "exprtk/exprtk.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

Variables* store() { return Variables::getInstance(); }

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Seconds per dependant: the time of one iteration divided by N.
benchmark::Counter perDependant(double n)
{
    return benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void storeWithDependants(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::string user = "dep" + std::to_string(n);
    store()->add(nullptr, user + ":x", "0", PARAM_NUMBER);
    for (int i = 0; i < n; ++i)
        store()->add(nullptr, user + ":d" + std::to_string(i), "x + " + std::to_string(i), PARAM_EXPRESSION);
    double value = 0;
    for (auto _ : state)
        store()->add(nullptr, user + ":x", numberText(++value), PARAM_NUMBER);
    if (n > 0)
        state.counters["per_dependant"] = perDependant(n);
}
BENCHMARK(storeWithDependants)->Arg(0)->Arg(1)->Arg(100)->Arg(10000);

// The floor: the same expressions, compiled once, evaluated one after another.
void evaluateDirectly(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    double x = 0;
    exprtk::symbol_table<double> symbols;
    symbols.add_variable("u:x", x);
    exprtk::parser<double> parser(exprtk::parser<double>::settings_t(63));
    std::vector<exprtk::expression<double>> expressions(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        expressions[i].register_symbol_table(symbols);
        parser.compile("u:x + " + std::to_string(i), expressions[i]);
    }
    std::vector<double> values(static_cast<std::size_t>(n));
    for (auto _ : state) {
        x += 1;
        for (int i = 0; i < n; ++i)
            values[i] = expressions[i].value();
        benchmark::DoNotOptimize(values.data());
    }
    state.counters["per_dependant"] = perDependant(n);
}
BENCHMARK(evaluateDirectly)->Arg(1)->Arg(100)->Arg(10000);

// Each level holds two numbers that both use the two of the level above:
// 2^depth paths from the top to the bottom.
void diamond(benchmark::State& state)
{
    const int depth = static_cast<int>(state.range(0));
    const std::string user = "dia" + std::to_string(depth);
    store()->add(nullptr, user + ":a0", "1", PARAM_NUMBER);
    store()->add(nullptr, user + ":b0", "a0 + 1", PARAM_EXPRESSION);
    for (int level = 1; level <= depth; ++level) {
        const std::string above = std::to_string(level - 1), here = std::to_string(level);
        store()->add(nullptr, user + ":a" + here, "a" + above + " + b" + above, PARAM_EXPRESSION);
        store()->add(nullptr, user + ":b" + here, "a" + above + " - b" + above, PARAM_EXPRESSION);
    }
    double value = 0;
    for (auto _ : state)
        store()->add(nullptr, user + ":a0", numberText(++value), PARAM_NUMBER);
    state.counters["per_dependant"] = perDependant(2 * depth + 1);
}
BENCHMARK(diamond)->Arg(5)->Arg(10)->Arg(25);

// The scheduler's clock: a number stored every frame as a plain number, with
// ten expressions over it. The cost per store must not grow over the run.
void clockPattern(benchmark::State& state)
{
    static int run = 0;
    const std::string user = "clock" + std::to_string(run++);
    const std::string clock = user + ":Main.time";
    store()->add(nullptr, clock, "0", PARAM_NUMBER);
    for (int i = 0; i < 10; ++i)
        store()->add(nullptr, user + ":e" + std::to_string(i), "sin(Main.time * " + std::to_string(i + 1) + ")",
                     PARAM_EXPRESSION);

    using Clock = std::chrono::steady_clock;
    std::vector<double> microseconds;
    microseconds.reserve(static_cast<std::size_t>(state.max_iterations));
    double time = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        store()->add(nullptr, clock, numberText(time += 1.0 / 30), PARAM_NUMBER);
        microseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    const std::size_t tenth = microseconds.size() / 10;
    if (tenth == 0)
        return;
    double first = 0, last = 0;
    for (std::size_t i = 0; i < tenth; ++i) {
        first += microseconds[i];
        last += microseconds[microseconds.size() - 1 - i];
    }
    state.counters["first_tenth_us"] = first / static_cast<double>(tenth);
    state.counters["last_tenth_us"] = last / static_cast<double>(tenth);
}
BENCHMARK(clockPattern)->Iterations(10000);

}  // namespace

BENCHMARK_MAIN();
