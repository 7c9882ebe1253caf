// Runs the built tessan binary as a child process, over pipes or a
// pseudo-terminal, for the end-to-end tests.
#ifndef TESSAN_TESTS_PROCESS_H_
#define TESSAN_TESTS_PROCESS_H_

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace tessan::e2e {

// How the child's standard streams are connected.
struct Wiring {
  // A directory opens, but every read of it fails.
  enum class Input { kPipe, kClosed, kDirectory };
  enum class Output { kPipe, kPipeWithoutReader, kDevFull, kDevNull, kClosed };
  Input input = Input::kPipe;
  Output output = Output::kPipe;
  bool pseudo_terminal = false;  // All three streams on one terminal.
  bool echo = true;              // On the terminal: what is typed is echoed.
  // O_NONBLOCK on the game's side, as another program may leave it. On the
  // terminal the streams share one open file, so both flags set it for all.
  bool nonblocking_input = false;
  bool nonblocking_output = false;
  int output_pipe_size = 0;  // Bytes the output pipe holds; 0: the default.
  bool ignore_interrupts = false;
  // The same addresses on every run (no address space layout
  // randomisation), so that the resident set of two runs differs only by
  // what the game itself allocates and touches.
  bool fixed_layout = false;
  std::vector<std::string> arguments;  // After the program's name.
};

// How the child ended.
struct Status {
  int exit_code = -1;  // When it exited.
  int signal = 0;      // When a signal killed it.
  long peak_kib = 0;   // Its largest resident set.
};

inline constexpr std::chrono::seconds kPatience{20};

class Process {
 public:
  // Starts the binary at `path` with the given wiring; core dumps off.
  Process(const char* path, const Wiring& wiring);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Writes to the child's input while collecting its output; returns false
  // if the child stopped reading first.
  bool type(std::string_view input);
  // Closes the child's input: end of input.
  void close_input();

  // Collects output until standard output (the terminal, on a
  // pseudo-terminal) contains `needle` after `from`; returns false if it did
  // not come within kPatience or the child closed its output first.
  bool await(std::string_view needle, std::size_t from = 0);

  // Sends a signal to the child.
  void send(int signal_number) const;

  // Waits up to `timeout` for output, or for room in the input pipe if
  // `to_write`, and collects what came; returns false once every output has
  // been closed.
  bool pump(std::chrono::milliseconds timeout, bool to_write = false);

  // Collects the rest of the output and waits for the child to end.
  Status finish();

  // Waits up to `limit` for the child to end while collecting only its
  // standard error, so that a child blocked writing to standard output stays
  // blocked. Returns how it ended, or a Status with exit_code -1 and signal 0
  // if it still runs.
  Status await_end(std::chrono::milliseconds limit);

  // Waits up to kPatience until the child has taken everything typed and
  // sleeps, waiting for more; returns false if it did not come to that.
  // Output must not be a pipe that fills, which would also put it to sleep.
  bool await_hunger() const;

  // Returns the anonymous memory the child holds now (its heap, stack and
  // written data, without the pages of its program and libraries), in KiB,
  // or -1 if it cannot be read.
  long anonymous_kib() const;

  // Returns the child's state letter from /proc ('S' while it sleeps in a
  // read or a wait for room to write, 'T' while stopped, 'Z' once it has
  // ended), or '?' if it cannot be read.
  char state() const;

  const std::string& out() const { return out_; }
  const std::string& err() const { return err_; }

 private:
  // Reaps the child if it has ended; returns false if it still runs.
  bool reap();

  pid_t pid_ = -1;
  Status status_;
  int input_ = -1;
  int out_fd_ = -1;
  int err_fd_ = -1;
  std::string out_;
  std::string err_;
};

struct Outcome {
  std::string out;
  std::string err;
  Status status;
};
// Runs the binary to its end with `input` on a pipe.
Outcome run_with_input(const char* path, std::string_view input,
                       const Wiring& wiring = {});

}  // namespace tessan::e2e

#endif  // TESSAN_TESTS_PROCESS_H_
