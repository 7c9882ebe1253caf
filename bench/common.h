/* What the benchmark's small C programs share: reading a whole file, and
   the prompts after which the game waits for a line. */
#ifndef TESSAN_BENCH_COMMON_H_
#define TESSAN_BENCH_COMMON_H_

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* Returns the whole file at `path`, read into memory, and its size in
   `*size`; exits with a message on failure. */
static inline char* read_file(const char* path, size_t* size) {
  int fd = open(path, O_RDONLY);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) {
    perror(path);
    exit(1);
  }
  char* text = malloc((size_t)st.st_size + 1);
  if (text == NULL) exit(1);
  *size = 0;
  ssize_t got;
  while (*size < (size_t)st.st_size &&
         (got = read(fd, text + *size, (size_t)st.st_size - *size)) > 0) {
    *size += (size_t)got;
  }
  close(fd);
  return text;
}

static const char* const kPrompts[] = {
    " Press any key to begin\n\n",
    " do you want to change?\n",
    " AGAIN? (Y/N)\n",
};

/* Returns the length of the prompt that `text` of `size` bytes ends with,
   or 0 if it ends with none. */
static inline size_t prompt_at_end(const char* text, size_t size) {
  for (size_t i = 0; i < sizeof kPrompts / sizeof kPrompts[0]; ++i) {
    const size_t length = strlen(kPrompts[i]);
    if (size >= length && memcmp(text + size - length, kPrompts[i], length) == 0)
      return length;
  }
  return 0;
}

#endif /* TESSAN_BENCH_COMMON_H_ */
