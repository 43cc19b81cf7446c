#ifndef TOUCHSTONE2_PARSER_TOKEN_LIST_H
#define TOUCHSTONE2_PARSER_TOKEN_LIST_H

#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

#include "input/file_source.h"
#include "input/token.h"

namespace touchstone2 {

// An ordered list of token copies that the data readers gather a point or a
// line into. Three things keep it cheap on large files:
// - clearing keeps the slots and their text buffers, so after the first point
//   gathering allocates nothing;
// - the slots are token objects held by pointer: a token is taken over from
//   the file source, or moved to another list, by exchanging two pointers,
//   never by copying its text;
// - a store limit: past it tokens are only counted. Where a reader needs no
//   more than a known number of tokens to decide (a line that is too long is an
//   error whatever it holds), a hostile line of millions of numbers costs no
//   memory.
class TokenList {
 public:
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // Only the first storedCount() tokens can be read.
  std::size_t storedCount() const { return stored_; }
  const Token& operator[](std::size_t i) const { return *slots_[i]; }

  void setStoreLimit(std::size_t limit) { limit_ = limit; }
  void clearStoreLimit() { limit_ = std::numeric_limits<std::size_t>::max(); }

  // Appends the source's current token by taking it over (FileSource::
  // takeToken): the caller must go on with the source's next() at once.
  void appendTaken(FileSource& source) {
    if (stored_ < limit_) {
      source.takeToken(freeSlot());
      ++stored_;
    }
    ++count_;
  }
  void clear() { count_ = stored_ = 0; }
  // Cuts the list back to its first count tokens.
  void truncate(std::size_t count);
  // Moves the tokens from index from on into other (which is emptied first).
  void moveTailTo(std::size_t from, TokenList& other);
  void swap(TokenList& other);

 private:
  // The slot for the next stored token, made when the list grows.
  std::unique_ptr<Token>& freeSlot() {
    if (stored_ == slots_.size())
      addSlot();
    return slots_[stored_];
  }
  void addSlot();

  std::vector<std::unique_ptr<Token>> slots_;
  std::size_t stored_ = 0;
  std::size_t count_ = 0;
  std::size_t limit_ = std::numeric_limits<std::size_t>::max();
};

}  // namespace touchstone2

#endif
