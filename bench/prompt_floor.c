/* The floor for playing prompt by prompt: writes the transcript in the file
   named by its argument as the game would, everything up to and including
   each prompt in one write(2), then reads the answer line, and writes the
   rest at the end. Usage: prompt_floor TRANSCRIPT */
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "common.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: prompt_floor TRANSCRIPT\n");
    return 2;
  }
  size_t size;
  char* text = read_file(argv[1], &size);
  size_t start = 0;
  char line[4096];
  for (size_t end = 1; end <= size; ++end) {
    if (text[end - 1] != '\n' || prompt_at_end(text + start, end - start) == 0)
      continue;
    if (write(STDOUT_FILENO, text + start, end - start) < 0) return 1;
    start = end;
    /* The driver sends one line per prompt, so one read takes it. */
    if (read(STDIN_FILENO, line, sizeof line) <= 0) break;
  }
  if (start < size && write(STDOUT_FILENO, text + start, size - start) < 0)
    return 1;
  free(text);
  return 0;
}
