/* The prompts after which the game waits for a line: shared by the driver
   and by the floor program of the prompt-by-prompt benchmark. */
#ifndef TESSAN_BENCH_PROMPTS_H_
#define TESSAN_BENCH_PROMPTS_H_

#include <string.h>

static const char* const kPrompts[] = {
    " Press any key to begin\n\n",
    " do you want to change?\n",
    " AGAIN? (Y/N)\n",
};

/* Returns the length of the prompt that `text` of `size` bytes ends with,
   or 0 if it ends with none. */
static size_t prompt_at_end(const char* text, size_t size) {
  for (size_t i = 0; i < sizeof kPrompts / sizeof kPrompts[0]; ++i) {
    const size_t length = strlen(kPrompts[i]);
    if (size >= length && memcmp(text + size - length, kPrompts[i], length) == 0)
      return length;
  }
  return 0;
}

#endif /* TESSAN_BENCH_PROMPTS_H_ */
