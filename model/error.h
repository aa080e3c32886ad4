#pragma once
// The model's error reporting. Reading failures end the process by design: the viewer
// has no way back from a half-read data set.

#include <string>

// Codes of `error`.
const int NOARGS = 3;
const int ARGS = 4;
const int ARRAY1 = 5;
const int ARRAY2 = 6;
const int NO_TRI = 7;
const int DIV0 = 8;
const int NROWS = 9;
const int NCOLS = 10;
const int SPARSE = 11;
const int CELLSIZE = 12;
const int NOHEIGHT = 13;
// Not in the message table: a wrong float keyword in the header.
const int BAD_KEYWORD = 14;

// Comparison file types, also used by the dialogs' `fileType`.
const int DEM = 1;
const int SPARSEF = 2;
const int CONTF = 3;

// Writes "ERROR: " and the code's message to standard output; every code but SPARSE
// then ends the process with status -1.
void error(int code);

// Writes "ERROR: " + message to standard output and ends the process with status -1.
// Used for refusals that the code table has no message for.
[[noreturn]] void refuse(const std::string& message);

// Ends the process with status -1 (255 as the shell sees it). In a fuzzing build it
// throws ModelExit instead, so that the harness can go on with the next input.
[[noreturn]] void endProcess();

struct ModelExit {
    int status;
};
