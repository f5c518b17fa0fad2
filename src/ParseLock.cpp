#include "ParseLock.h"

std::recursive_mutex& ParseLock::get()
{
    static std::recursive_mutex lock;
    return lock;
}
