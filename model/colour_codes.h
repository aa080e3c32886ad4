#pragma once
// Packed colour codes stored per triangle: the decimal digit pairs are red, green and
// blue in tenths (100602 is 1.0, 0.6, 0.2). The two greens mark a triangle that carries
// no error colour; the renderer never decodes them.

const int RED = 100002;
const int YELLOW = 101002;
const int ORANGE = 100602;
const int VIOLET = 100210;
const int MOUNTAINGREEN = 12611;
const int MOUNTAINGREENHIGH = 16708;

inline bool isErrorColour(int code) { return code != MOUNTAINGREEN && code != MOUNTAINGREENHIGH; }
