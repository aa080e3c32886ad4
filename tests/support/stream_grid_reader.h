#pragma once
// The grid reader as it was before it read from a buffer: every token through the
// standard stream operators. Tests read the same files with it and with the model's
// reader and compare what both do, byte for byte and bit for bit.

class mountain;

// Reads names[index - 1] into m exactly as mountain::readgridfile does (index 1 as a
// DEM, any other index as comparison data), with the same console lines and the same
// refusals, which end the process.
void streamReadGridFile(mountain& m, const char* const* names, int index);
