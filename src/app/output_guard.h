// output_guard.h -- standard output and error that can never stop the game
#pragma once

// Makes every later write to standard output and standard error unable to wait
// or to kill the program: SIGPIPE is ignored (a closed reader only makes writes
// fail), and a pipe, FIFO or terminal is reopened as a description of this
// program's own without blocking, so that a full pipe drops the line instead of
// freezing the game. A regular file is left as it is (it never waits). Lines go
// out whole or not at all, as each one is at most a pipe's atomic size.
void GuardStandardOutput();
