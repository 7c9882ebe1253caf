#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/personality.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace tessan::e2e {

namespace {

using Clock = std::chrono::steady_clock;

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

void set_nonblocking(int fd) {
  (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// In the child: the state a user's shell would give a program it starts.
[[noreturn]] void exec_child(const char* path, const Wiring& wiring) {
  const rlimit no_core{0, 0};
  (void)::setrlimit(RLIMIT_CORE, &no_core);
  sigset_t none;
  sigemptyset(&none);
  (void)::sigprocmask(SIG_SETMASK, &none, nullptr);
  (void)::signal(SIGPIPE, SIG_DFL);
  (void)::signal(SIGINT, wiring.ignore_interrupts ? SIG_IGN : SIG_DFL);
  if (wiring.fixed_layout) (void)::personality(ADDR_NO_RANDOMIZE);
  if (wiring.nonblocking_input) set_nonblocking(STDIN_FILENO);
  if (wiring.nonblocking_output) set_nonblocking(STDOUT_FILENO);
  std::vector<char*> argv = {const_cast<char*>(path)};
  std::transform(wiring.arguments.begin(), wiring.arguments.end(),
                 std::back_inserter(argv), [](const std::string& argument) {
                   return const_cast<char*>(argument.c_str());
                 });
  argv.push_back(nullptr);
  ::execv(path, argv.data());
  ::_exit(127);
}

// Appends what `ready` says can be read from `fd` to `text`, and closes
// `fd` at its end. A pseudo-terminal reports EIO once the child's side has
// closed.
void drain(const pollfd& ready, int& fd, std::string& text) {
  if (ready.revents == 0) return;
  char buffer[65536];
  const ssize_t count = ::read(fd, buffer, sizeof buffer);
  if (count <= 0) {
    close_fd(fd);
  } else {
    text.append(buffer, static_cast<std::size_t>(count));
  }
}

void make_pipe(int ends[2]) {
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
}

}  // namespace

Process::Process(const char* path, const Wiring& wiring) {
  // A write to a child that has gone must fail, not end the test.
  (void)::signal(SIGPIPE, SIG_IGN);

  if (wiring.pseudo_terminal) {
    int terminal = -1;
    pid_ = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid_ < 0) throw std::runtime_error("forkpty");
    if (pid_ == 0) exec_child(path, wiring);
    input_ = terminal;
    out_fd_ = ::dup(terminal);
    // Set through the controlling side before anything is typed, so that
    // nothing typed is echoed.
    termios modes{};
    if (!wiring.echo && ::tcgetattr(terminal, &modes) == 0) {
      modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      (void)::tcsetattr(terminal, TCSANOW, &modes);
    }
    return;
  }

  int in_pipe[2] = {-1, -1};
  int out_pipe[2] = {-1, -1};
  int err_pipe[2] = {-1, -1};
  if (wiring.input == Wiring::Input::kPipe) make_pipe(in_pipe);
  if (wiring.output == Wiring::Output::kPipe ||
      wiring.output == Wiring::Output::kPipeWithoutReader) {
    make_pipe(out_pipe);
    if (wiring.output_pipe_size > 0 &&
        ::fcntl(out_pipe[0], F_SETPIPE_SZ, wiring.output_pipe_size) < 0) {
      throw std::runtime_error("F_SETPIPE_SZ");
    }
  }
  make_pipe(err_pipe);

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    if (in_pipe[0] >= 0) {
      ::dup2(in_pipe[0], STDIN_FILENO);
    } else if (wiring.input == Wiring::Input::kDirectory) {
      ::dup2(::open("/", O_RDONLY | O_CLOEXEC), STDIN_FILENO);
    } else {
      ::close(STDIN_FILENO);
    }
    switch (wiring.output) {
      case Wiring::Output::kPipe:
      case Wiring::Output::kPipeWithoutReader:
        ::dup2(out_pipe[1], STDOUT_FILENO);
        break;
      case Wiring::Output::kDevFull:
        ::dup2(::open("/dev/full", O_WRONLY | O_CLOEXEC), STDOUT_FILENO);
        break;
      case Wiring::Output::kDevNull:
        ::dup2(::open("/dev/null", O_WRONLY | O_CLOEXEC), STDOUT_FILENO);
        break;
      case Wiring::Output::kClosed:
        ::close(STDOUT_FILENO);
        break;
    }
    ::dup2(err_pipe[1], STDERR_FILENO);
    exec_child(path, wiring);
  }

  close_fd(in_pipe[0]);
  close_fd(out_pipe[1]);
  close_fd(err_pipe[1]);
  input_ = in_pipe[1];
  out_fd_ = out_pipe[0];
  err_fd_ = err_pipe[0];
  // With no reader left, the child's writes to standard output fail.
  if (wiring.output == Wiring::Output::kPipeWithoutReader) close_fd(out_fd_);
  if (input_ >= 0) ::fcntl(input_, F_SETFL, O_NONBLOCK);
}

Process::~Process() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  close_fd(input_);
  close_fd(out_fd_);
  close_fd(err_fd_);
}

bool Process::pump(std::chrono::milliseconds timeout, bool to_write) {
  if (out_fd_ < 0 && err_fd_ < 0) return false;
  pollfd fds[3] = {{out_fd_, POLLIN, 0},
                   {err_fd_, POLLIN, 0},
                   {to_write ? input_ : -1, POLLOUT, 0}};
  if (::poll(fds, 3, static_cast<int>(timeout.count())) <= 0) return true;
  drain(fds[0], out_fd_, out_);
  drain(fds[1], err_fd_, err_);
  return out_fd_ >= 0 || err_fd_ >= 0;
}

bool Process::type(std::string_view input) {
  const auto deadline = Clock::now() + kPatience;
  while (!input.empty()) {
    if (input_ < 0 || Clock::now() >= deadline) return false;
    const ssize_t count = ::write(input_, input.data(), input.size());
    if (count > 0) {
      input.remove_prefix(static_cast<std::size_t>(count));
    } else if (errno == EAGAIN) {
      pump(std::chrono::milliseconds(100), true);
    } else {
      return false;  // The child has stopped reading.
    }
  }
  return true;
}

void Process::close_input() { close_fd(input_); }

bool Process::await(std::string_view needle, std::size_t from) {
  const auto deadline = Clock::now() + kPatience;
  while (out_.find(needle, from) == std::string::npos) {
    if (Clock::now() >= deadline) return false;
    if (!pump(std::chrono::milliseconds(50))) {
      return out_.find(needle, from) != std::string::npos;
    }
  }
  return true;
}

void Process::send(int signal_number) const { ::kill(pid_, signal_number); }

Status Process::finish() {
  const auto deadline = Clock::now() + kPatience;
  while (pump(std::chrono::milliseconds(50)) && Clock::now() < deadline) {
  }
  while (!reap() && Clock::now() < deadline) ::usleep(10000);
  return status_;  // Still running: the destructor kills it.
}

Status Process::await_end(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  bool ended = false;
  while (!(ended = reap()) && Clock::now() < deadline) {
    pollfd error{err_fd_, POLLIN, 0};
    if (::poll(&error, 1, 10) > 0) drain(error, err_fd_, err_);
  }
  // What the child wrote just before it ended may still wait in the pipe;
  // with the child gone, the pipe's end follows it.
  while (ended && err_fd_ >= 0) {
    pollfd error{err_fd_, POLLIN, 0};
    if (::poll(&error, 1, 1000) <= 0) break;
    drain(error, err_fd_, err_);
  }
  return status_;
}

bool Process::reap() {
  if (pid_ < 0) return true;
  int raw = 0;
  rusage usage{};
  if (::wait4(pid_, &raw, WNOHANG, &usage) != pid_) return false;
  pid_ = -1;
  if (WIFEXITED(raw)) status_.exit_code = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) status_.signal = WTERMSIG(raw);
  status_.peak_kib = usage.ru_maxrss;
  return true;
}

char Process::state() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t name_end = line.rfind(") ");
  return name_end == std::string::npos ? '?' : line[name_end + 2];
}

bool Process::await_hunger() const {
  const auto deadline = Clock::now() + kPatience;
  while (Clock::now() < deadline) {
    int unread = -1;
    if (::ioctl(input_, FIONREAD, &unread) == 0 && unread == 0 &&
        state() == 'S') {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

long Process::anonymous_kib() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("RssAnon:")) return std::stol(line.substr(8));
  }
  return -1;
}

Outcome run_with_input(const char* path, std::string_view input,
                       const Wiring& wiring) {
  Process process(path, wiring);
  process.type(input);
  process.close_input();
  Outcome run;
  run.status = process.finish();
  run.out = process.out();
  run.err = process.err();
  return run;
}

}  // namespace tessan::e2e
