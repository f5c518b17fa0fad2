#pragma once
// The kind of a stored value, as callers hand it to the value store.

enum ParamType {
    PARAM_STRING = 0,      // a string
    PARAM_NUMBER = 1,      // a number compiled exactly as written
    PARAM_EXPRESSION = 2,  // a number whose names are qualified and linked as dependencies
    PARAM_SCHEDULE = 3,    // one schedule entry: a time, a blank and a command
};
