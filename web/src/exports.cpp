// The functions the JavaScript module calls, in C linkage so that the
// WebAssembly build exports them by name. A CheckedFile is handed out as an
// opaque pointer; JavaScript frees it with ts_free. Texts are handed out as
// (pointer, size).


#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>

#include <emscripten/emscripten.h>
#include <touchstone2/quality.h>

#include "model/vocabulary.h"
#include "web/src/checked_file.h"

using touchstone2::web::CheckedFile;

extern "C" {

// nullptr only when memory ran out; every input, however broken, otherwise
// gives a CheckedFile that says what is wrong with it.
EMSCRIPTEN_KEEPALIVE CheckedFile* ts_check(const char* bytes, std::size_t size, const char* name) {
  try {
    return new CheckedFile(std::string_view(bytes, size), name);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

EMSCRIPTEN_KEEPALIVE void ts_free(CheckedFile* checked) { delete checked; }

EMSCRIPTEN_KEEPALIVE int ts_valid(const CheckedFile* checked) { return checked->valid(); }

// The parameter letter ("S", "Y", "Z", "H", "G"), or "" where there is none.
EMSCRIPTEN_KEEPALIVE const char* ts_parameter(const CheckedFile* checked) {
  return touchstone2::wordFor(touchstone2::kParameterTypes, checked->file().getParameterType(), "");
}

EMSCRIPTEN_KEEPALIVE std::uint32_t ts_ports(const CheckedFile* checked) {
  return checked->file().getNumberOfPorts();
}

EMSCRIPTEN_KEEPALIVE std::uint32_t ts_frequencies(const CheckedFile* checked) {
  const touchstone2::NetworkParams* data = checked->file().getNetworkData();
  return data != nullptr ? data->frequencyCount() : 0;
}

// 1 with the JSON report in the text (with the quality metrics where quality
// is not 0), -1 when memory ran out.
EMSCRIPTEN_KEEPALIVE int ts_report(CheckedFile* checked, int quality) {
  try {
    checked->report(quality != 0);
    return 1;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

// 1 with the text, 0 with the writer's refusal, -1 when memory ran out; the
// text is read with ts_text and ts_text_size.
EMSCRIPTEN_KEEPALIVE int ts_write(CheckedFile* checked, const char* version) {
  try {
    return checked->write(version) ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

EMSCRIPTEN_KEEPALIVE int ts_describe(CheckedFile* checked) {
  try {
    return checked->describe() ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

EMSCRIPTEN_KEEPALIVE const char* ts_text(const CheckedFile* checked) {
  return checked->text().data();
}

EMSCRIPTEN_KEEPALIVE std::size_t ts_text_size(const CheckedFile* checked) {
  return checked->text().size();
}

// The arrays, as doubles in the object until the next call; their count
// follows from ts_frequencies and ts_ports. nullptr when memory ran out.
EMSCRIPTEN_KEEPALIVE const double* ts_fill_frequencies(CheckedFile* checked) {
  try {
    return checked->fillFrequencies().data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

EMSCRIPTEN_KEEPALIVE const double* ts_fill_values(CheckedFile* checked) {
  try {
    return checked->fillValues().data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// A quality metric's percentage as snpvet -quality writes it, in a buffer
// that the next call reuses.
EMSCRIPTEN_KEEPALIVE const char* ts_percent_text(double percent) {
  static std::string text;
  text = touchstone2::qualityPercentText(percent);
  return text.c_str();
}

}  // extern "C"
