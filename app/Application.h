#pragma once

// Starts the punch terminal in the working folder and runs it to its end.
int runJobCosting(int argc, char* argv[]);
