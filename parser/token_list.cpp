#include "parser/token_list.h"

#include <algorithm>
#include <utility>

namespace touchstone2 {

void TokenList::addSlot() { slots_.push_back(std::make_unique<Token>()); }

void TokenList::truncate(std::size_t count) {
  count_ = std::min(count_, count);
  stored_ = std::min(stored_, count_);
}

void TokenList::moveTailTo(std::size_t from, TokenList& other) {
  other.clear();
  for (std::size_t i = from; i < stored_ && other.stored_ < other.limit_; ++i) {
    other.freeSlot().swap(slots_[i]);
    ++other.stored_;
  }
  other.count_ = count_ - std::min(from, count_);
  truncate(from);
}

void TokenList::swap(TokenList& other) {
  slots_.swap(other.slots_);
  std::swap(stored_, other.stored_);
  std::swap(count_, other.count_);
}

}  // namespace touchstone2
