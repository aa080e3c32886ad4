#pragma once
// The model's error reporting. A reading failure ends the process, unless the caller
// has said it can go on without the file: the viewer keeps the data set on screen, the
// fuzzer goes on with its next input.

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

// As refuse, for a grid the memory cannot hold: a ModelExit thrown says so.
[[noreturn]] void refuseMemory(const std::string& message);

// Ends the process with status -1 (255 as the shell sees it); while a
// ReadingFailuresReturn lives it throws ModelExit instead.
[[noreturn]] void endProcess();

struct ModelExit {
    int status;
    bool outOfMemory = false;  // refuseMemory, or an allocation of the code table's that failed
};

// While one lives, the model's failures throw ModelExit to whoever catches it, after the
// "ERROR: " line has been written. The half-read model is then the catcher's to drop.
class ReadingFailuresReturn {
public:
    ReadingFailuresReturn();
    ~ReadingFailuresReturn();
    ReadingFailuresReturn(const ReadingFailuresReturn&) = delete;
    ReadingFailuresReturn& operator=(const ReadingFailuresReturn&) = delete;
};
