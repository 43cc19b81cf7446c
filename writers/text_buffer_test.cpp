#include "writers/text_buffer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace touchstone2 {
namespace {

// A text longer than the buffer goes to the stream whole, after what was pending; what is
// pending at the end is handed over too.
TEST(TextBuffer, TextLongerThanTheBufferPassesWhole) {
  std::ostringstream out;
  const std::string text(1 << 20, 'x');
  {
    TextBuffer buffer(out);
    buffer.put('a');
    buffer.put(text);
    buffer.put('b');
    EXPECT_EQ(buffer.size(), text.size() + 2);
  }
  EXPECT_EQ(out.str(), "a" + text + "b");
}

}  // namespace
}  // namespace touchstone2
