#pragma once
// Colours of the 3D view. Each colour is computed by a plain function, so that it can
// be checked without a GL context.

struct Rgb {
    float red, green, blue;
};

// A packed colour code: digit pairs of red, green and blue in tenths (100602 is
// 1.0, 0.6, 0.2).
Rgb decodeColour(int code);

// The height ramp, dark green through bright green and yellow to red in three equal
// thirds of the height range. A range below 3 has no thirds: fixed dark green.
Rgb heightRamp(int zmax, int zmin, int height);

// The red component of the height class colouring: 0.2 for the rarest class up to 1.0
// for the most frequent. A table whose classes are all equal gives 0.2.
float heightClassRed(int count, int classMin, int classMax);
