#include "console/console.h"

namespace tessan {

void Console::write(std::span<const Item> items) {
  record_.clear();
  append_record(items, record_);
  if (!pending_.fits(record_.size())) {
    // A record larger than the whole buffer goes out behind the others.
    if (record_.size() > PendingOutput::kCapacity) {
      pending_.deliver(output_, record_);
      return;
    }
    pending_.deliver(output_);
    // Still full: an ending has taken the buffer and the program is on its
    // way out.
    if (!pending_.fits(record_.size())) return;
  }
  pending_.append(record_);
}

}  // namespace tessan
