#include "NumberText.h"

#include <cstdio>

std::string formatNumber(double value)
{
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%g", value);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}
