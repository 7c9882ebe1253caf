/* The floor for a program that delivers each record as it is made: writes
   the file named by its argument to standard output, one line per write(2).
   The file is read whole first, so that only the writes are measured. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "common.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: write_lines FILE\n");
    return 2;
  }
  size_t size;
  char* text = read_file(argv[1], &size);
  for (size_t start = 0; start < size;) {
    const char* end = memchr(text + start, '\n', size - start);
    size_t length = end ? (size_t)(end - (text + start)) + 1 : size - start;
    if (write(STDOUT_FILENO, text + start, length) < 0) return 1;
    start += length;
  }
  free(text);
  return 0;
}
