#pragma once
// The kind of an assigned value as the grammar hands it to the dispatcher.

enum ValueKind {
    VALUE_NUMBER = 0,      // a number as written
    VALUE_NEGATIVE = 1,    // a number written with a leading '-'; the text holds the digits
    VALUE_STRING = 2,      // a double- or single-quoted string
    VALUE_EXPRESSION = 3,  // a back-quoted expression, and every animated value
    VALUE_LIST_ENTRY = 4,  // a value assigned to a parameter whose name contains "add"
};
