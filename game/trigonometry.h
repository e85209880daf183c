#pragma once

// The world's sine, cosine and arc cosine: the correctly rounded double (to
// nearest) for every double argument, computed with +, -, *, / and sqrt only, so
// a recording replays to the same bits on every platform and C library. The rules
// of both editions call these, never the C library's.
double Sine(double x);
double Cosine(double x);
double ArcCosine(double x);  // NaN outside [-1, 1]
