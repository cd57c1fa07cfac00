#ifndef RIDICI_H
#define RIDICI_H

// The whole command-line run: reads one system, performs one operation, reports on standard
// output. Returns the exit status: 0 after success, 1 after every reported error.
int ridiciProgram(int argc, char* argv[]);

#endif
