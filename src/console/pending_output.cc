#include "console/pending_output.h"

#include <algorithm>

namespace tessan {

void PendingOutput::append(std::string_view record) {
  const std::size_t size = size_.load(std::memory_order_relaxed);
  std::copy(record.begin(), record.end(), data_.begin() + size);
  // Release: whoever reads the new size also sees the bytes behind it.
  size_.store(size + record.size(), std::memory_order_release);
}

void PendingOutput::deliver(Sink& sink, std::string_view extra) {
  if (empty() && extra.empty()) return;
  if (!claim(kDelivering)) return;
  const std::size_t size = size_.load(std::memory_order_relaxed);
  if (size > 0) sink.write(std::string_view(data_.data(), size));
  if (!extra.empty()) sink.write(extra);
  size_.store(0, std::memory_order_relaxed);
  owner_.store(kFree, std::memory_order_release);
}

std::string_view PendingOutput::take_for_ending() {
  if (!claim(kEnding)) return {};
  return {data_.data(), size_.load(std::memory_order_acquire)};
}

bool PendingOutput::claim(Owner to) {
  int expected = kFree;
  return owner_.compare_exchange_strong(expected, to,
                                        std::memory_order_acq_rel);
}

}  // namespace tessan
