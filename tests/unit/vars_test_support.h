#pragma once
// Helpers shared by the value-store tests. The store is one per process, so
// every test works under a user name of its own.

#include "ScheduleType.h"
#include "StringType.h"
#include "VarType.h"
#include "Variables.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>

namespace vars_test {

// A fresh user name ("vt" + serial) for each call.
inline std::string freshUser()
{
    static std::atomic<int> serial{0};
    return "vt" + std::to_string(serial++);
}

inline Variables* store() { return Variables::getInstance(); }

inline VarType* number(const std::string& fullName)
{
    Type* value = nullptr;
    return store()->get(fullName, value) ? value->asVarType() : nullptr;
}

// Stores without a user and gives what went to standard error.
inline std::string addCapturing(const std::string& fullName, const std::string& text, ParamType kind)
{
    testing::internal::CaptureStderr();
    store()->add(nullptr, fullName, text, kind);
    return testing::internal::GetCapturedStderr();
}

}  // namespace vars_test
