#ifndef TOUCHSTONE2_WRITERS_READ_BACK_H
#define TOUCHSTONE2_WRITERS_READ_BACK_H

#include <cstdint>
#include <string>
#include <string_view>

#include <touchstone2/file.h>

namespace touchstone2 {

// Reads back what a writer wrote for record as version, from the file at
// writtenPath or from text (checkReadBackText), and throws ReadBackError, naming shownPath, when
// the checker refuses it or finds other values than the record's.
void checkReadBack(const File& record, std::uint32_t version, const std::string& writtenPath,
                   const std::string& shownPath);
void checkReadBackText(const File& record, std::uint32_t version, std::string_view text,
                   const std::string& shownPath);

// The first difference between a record and the record read back from its
// text, as a phrase ("frequency 3 differs"); empty when there is none.
std::string firstDifference(const File& record, const File& back);

}  // namespace touchstone2

#endif
