#pragma once
// Fills the shape-definition registry once per test process, as start-up does.

#include "Definitions.h"

#include <mutex>

inline void ensureShapeDefs()
{
    static std::once_flag once;
    std::call_once(once, createShapeDefs);
}
