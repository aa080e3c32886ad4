#include "model/error.h"

#include <cstdlib>
#include <iostream>

namespace {

int failuresReturn = 0;  // live ReadingFailuresReturn objects

[[noreturn]] void end(bool outOfMemory)
{
    std::cout.flush();
    if (failuresReturn > 0)
        throw ModelExit{-1, outOfMemory};
    std::exit(-1);
}

}  // namespace

ReadingFailuresReturn::ReadingFailuresReturn() { failuresReturn++; }
ReadingFailuresReturn::~ReadingFailuresReturn() { failuresReturn--; }

void endProcess() { end(false); }

void refuse(const std::string& message)
{
    std::cout << "ERROR: " << message;
    endProcess();
}

void refuseMemory(const std::string& message)
{
    std::cout << "ERROR: " << message;
    end(true);
}

void error(int code)
{
    std::cout << "ERROR: ";
    switch (code) {
    case NOARGS: std::cout << "Usage: karvo <DEM> <contour file>\n"; break;
    case ARGS: std::cout << "Too many arguments on command line\n"; break;
    case ARRAY1: std::cout << "Problem allocating first dimension of array\n"; break;
    case ARRAY2: std::cout << "Problem allocating second dimension of array\n"; break;
    case NO_TRI: std::cout << "Out of memory while allocating array for triangles\n"; break;
    case DIV0: std::cout << "Divide by zero while computing RMSE!\n"; break;
    case NROWS: std::cout << "'nrows' not found in input file\n"; break;
    case NCOLS: std::cout << "'ncols' not found in input file\n"; break;
    case SPARSE:
        std::cout << "Number of heights must be >= " << 100 << "-\n" << "try again\n";
        return;
    default: std::cout << "Some kinda error!\n"; break;
    }
    end(code == ARRAY1 || code == ARRAY2 || code == NO_TRI || code == NOHEIGHT);
}
