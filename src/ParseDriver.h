#pragma once
// Entry points of the command grammar. The caller runs one parse at a time.

class CommandParser;
class User;

// Loads the command text into the lexer and resets the parse state.
void init_parser(const char* text, CommandParser* dispatcher, User* user);
// Parses the loaded text, carrying out each statement as it is recognised:
// 0 accepted, 1 a syntax error or an action ended the parse, 2 stack exhausted.
int yyparse();
