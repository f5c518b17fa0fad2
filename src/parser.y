%{
// The command language: a message is a list of statements, each closed by
// ';', a line end or the end of the text. Every statement is carried out as
// soon as it is recognised; the actions live in StatementActions.cpp.
//
// The raw reads (quoted values, back-quoted expressions, the command of a
// timed statement) rely on bison's default reductions: the states that read
// raw text reduce without fetching a lookahead token first.
#include "ParseDriver.h"
#include "StatementActions.h"
#include "lex.h"
%}

%define api.value.type {char*}

%token POINT 258
%token TRIANGLE 259
%token QUAD 260
%token RECTANGLE 261
%token SQUARE 262
%token CIRCLE 263
%token OVAL 264
%token LINE 265
%token VIDEO 266
%token TEXT 267
%token CUBE 268
%token CAPSULE 269
%token SPHERE 270
%token CONE 271
%token CYLINDER 272
%token MODEL 273
%token VAR 274
%token NUMBER 275
%token WORD 276
%token DASH 277
%token BACKQUOTE 278
%token EQUALS 279
%token DQUOTE 280
%token SEMICOLON 281
%token NEWLINE 282
%token DELETE 283
%token ALL 284
%token LOGIN 285
%token EOL 286
%token SPACE 287
%token DOTTED 288
%token CAMERA 289
%token EVENT 290
%token AT 291
%token IN 292
%token OVER 293
%token SQUOTE 294
%token PRINT 295
%token SCREENSHOT 296
%token LIGHT 297
%token PARNAME 298
%token VARPARAM 299
%token VARPARAMS 300
%token SPEED 301
%token PLAY 302
%token RESET 303
%token STOP 304
%token PAUSE 305
%token TIME 306
%token ADD 307
%token SCHED 308

%start commands

%%

commands
    : end_statement
    | statement end_statement
    | statement end_statement commands
    ;

timed_command
    : timing empty
    ;

statement
    : SPACE statement
    | timed_command
    | shape_command     { endOfChangingStatement(); }
    | var_command       { endOfChangingStatement(); }
    | print_command
    | screenshot_command
    | delete_command
    | login_command
    | terminator
    ;

end_statement
    : terminator        { endOfStatement(); }
    ;

terminator
    : SEMICOLON
    | SPACE terminator
    | NEWLINE
    | EOL
    ;

shape_command
    : object_name SPACE assignments
    | shape_type SPACE object_name SPACE assignments
    | shape_type SPACE object_name
    | shape_type SPACE assignments      { missingObjectName(); YYABORT; }
    ;

var_command
    : var_keyword SPACE assignment
    | assignment
    ;

print_command
    : PRINT SPACE print_list
    | PRINT SPACE print_list SPACE
    ;

screenshot_command
    : SCREENSHOT SPACE quoted_string    { screenshot($3); }
    ;

print_list
    : print_item
    | print_list SPACE print_item
    ;

print_item
    : WORD              { printName($1); }
    ;

timing
    : over_clause shape_command
    | over_clause var_command
    | AT SPACE number SPACE             { if (!scheduleAt($3)) YYABORT; }
    | AT SPACE number                   { emptyTimedCommand(true); }
    | IN SPACE number SPACE             { if (!scheduleIn($3)) YYABORT; }
    | IN SPACE number                   { emptyTimedCommand(false); }
    ;

over_clause
    : OVER SPACE number SPACE           { if (!overNumber($3)) YYABORT; }
    | OVER SPACE backquoted_expression SPACE    { overExpression($3); }
    ;

delete_command
    : DELETE SPACE WORD
    | DELETE SPACE ALL
    ;

login_command
    : LOGIN SPACE WORD SPACE WORD
    ;

shape_type
    : POINT             { setCommandType("point"); }
    | TRIANGLE          { setCommandType("triangle"); }
    | QUAD              { setCommandType("quad"); }
    | RECTANGLE         { setCommandType("rectangle"); }
    | SQUARE            { setCommandType("square"); }
    | CIRCLE            { setCommandType("circle"); }
    | OVAL              { setCommandType("oval"); }
    | LINE              { setCommandType("line"); }
    | TEXT              { setCommandType("text"); }
    | CUBE              { setCommandType("cube"); }
    | CAPSULE           { setCommandType("capsule"); }
    | SPHERE            { setCommandType("sphere"); }
    | CONE              { setCommandType("cone"); }
    | CYLINDER          { setCommandType("cylinder"); }
    | MODEL             { setCommandType("model"); }
    | CAMERA            { setCommandType("camera"); }
    | SCHED             { setCommandType("scheduler"); }
    | EVENT             { setCommandType("event"); }
    | SPEED             { setCommandType("speed"); }
    | PLAY              { setCommandType("play"); }
    | RESET             { setCommandType("reset"); }
    | STOP              { setCommandType("stop"); }
    | PAUSE             { setCommandType("pause"); }
    | TIME              { setCommandType("time"); }
    | ADD               { setCommandType("add"); }
    | LIGHT             { setCommandType("light"); }
    | VIDEO             { setCommandType("video"); }
    ;

var_keyword
    : VAR               { setCommandType("var"); }
    ;

assignments
    : assignment SPACE assignments
    | assignment
    | assignment SPACE
    ;

assignment
    : param_name EQUALS assigned_value  { if (!assign($1, $3)) YYABORT; }
    ;

assigned_value
    : number
    | backquoted_expression             { setValueKind(VALUE_EXPRESSION); }
    | quoted_string                     { setValueKind(VALUE_STRING); }
    ;

param_name
    : WORD
    ;

object_name
    : WORD              { objectName($1); }
    ;

number
    : NUMBER            { setValueKind(VALUE_NUMBER); }
    | DASH NUMBER       { setValueKind(VALUE_NEGATIVE); $$ = $2; }
    ;

quoted_string
    : DQUOTE            { $$ = readQuoted('"'); if (!$$) YYABORT; }
    | SQUOTE            { $$ = readQuoted('\''); if (!$$) YYABORT; }
    ;

empty
    : %empty
    ;

backquoted_expression
    : BACKQUOTE         { $$ = readQuoted('`'); if (!$$) YYABORT; }
    ;

%%
