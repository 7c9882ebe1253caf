/* Plays a program prompt by prompt, as a program driving the game would:
   starts COMMAND with pipes on its standard input and output, and sends
   each line of the file ANSWERS only once a prompt has arrived. The output
   is read and thrown away. Usage: drive ANSWERS COMMAND [ARGUMENT...] */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: drive ANSWERS COMMAND [ARGUMENT...]\n");
    return 2;
  }
  size_t size;
  char* answers = read_file(argv[1], &size);
  int to_child[2], from_child[2];
  if (pipe(to_child) != 0 || pipe(from_child) != 0) return 1;
  pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    dup2(to_child[0], STDIN_FILENO);
    dup2(from_child[1], STDOUT_FILENO);
    close(to_child[0]);
    close(to_child[1]);
    close(from_child[0]);
    close(from_child[1]);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  close(to_child[0]);
  close(from_child[1]);

  /* The last bytes received, enough to hold the longest prompt. */
  char tail[64];
  size_t tail_size = 0;
  char buffer[65536];
  size_t next = 0;
  for (;;) {
    ssize_t got = read(from_child[0], buffer, sizeof buffer);
    if (got <= 0) break;
    size_t keep = (size_t)got < sizeof tail ? (size_t)got : sizeof tail;
    if (tail_size + keep > sizeof tail) {
      size_t drop = tail_size + keep - sizeof tail;
      memmove(tail, tail + drop, tail_size - drop);
      tail_size -= drop;
    }
    memcpy(tail + tail_size, buffer + got - keep, keep);
    tail_size += keep;
    if (next < size && prompt_at_end(tail, tail_size) > 0) {
      const char* end = memchr(answers + next, '\n', size - next);
      size_t length = end ? (size_t)(end - (answers + next)) + 1 : size - next;
      if (write(to_child[1], answers + next, length) < 0) break;
      next += length;
      tail_size = 0;
      if (next == size) close(to_child[1]);
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  free(answers);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
