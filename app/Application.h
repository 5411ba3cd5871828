#pragma once

// Starts the punch terminal in the working folder and runs it to its end.
int runJobCosting(int argc, char* argv[]);

// What the program sets for its whole process before the application starts:
// the font lookup narrowed to the terminal's faces, regular expressions
// matched without compiling them to machine code, and the program's name
// (jobcosting) under which its server connections show.
void prepareProcess();
