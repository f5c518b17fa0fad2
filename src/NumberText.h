#pragma once
// A number as text, the way an output stream writes a double with its
// default settings: general format, at most six significant digits
// (0.0333333, 1234.57, 2.5e+06, 1e-05).

#include <string>

std::string formatNumber(double value);
