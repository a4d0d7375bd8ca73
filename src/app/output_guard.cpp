// output_guard.cpp -- standard output and error that can never stop the game
#include "app/output_guard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

// The descriptor's own file description, opened anew, is the one that gets
// O_NONBLOCK: setting it on the inherited one would change it for the shell
// and every other program that shares it.
static void neverWaitOn(int fd) {
  struct stat status;
  if (fstat(fd, &status) != 0 || S_ISREG(status.st_mode)) return;
  char path[32];
  snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  const int own = open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (own >= 0) {
    dup2(own, fd);
    close(own);
    return;
  }
  // A socket cannot be reopened; the game is its only writer in practice.
  if (S_ISSOCK(status.st_mode)) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

void GuardStandardOutput() {
  signal(SIGPIPE, SIG_IGN);
  neverWaitOn(STDOUT_FILENO);
  neverWaitOn(STDERR_FILENO);
}
