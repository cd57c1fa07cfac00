#ifndef KONSTANTY_H
#define KONSTANTY_H

// pi rounded to the nearest double.
constexpr double PI = 3.14159265358979323846;

#endif
