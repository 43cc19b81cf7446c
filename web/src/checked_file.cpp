#include "web/src/checked_file.h"

#include <sstream>
#include <stdexcept>

#include <touchstone2/writer.h>

#include "model/vocabulary.h"
#include "reports/file_report.h"
#include "reports/json_report.h"

namespace touchstone2::web {

void CheckedFile::report(bool quality) { text_ = fileReportJson(reportOf(read_, quality)); }

// Versions of keyword files are written by the v2.0 writer, the others by the
// v1 writer, as the checker's own modes do.
bool CheckedFile::write(const std::string& version) {
  const VersionWord* row = nullptr;
  for (const VersionWord& candidate : kVersions) {
    if (version == candidate.word)
      row = &candidate;
  }
  text_.clear();
  if (row == nullptr) {
    text_ = "no writer for version " + version;
    return false;
  }
  std::ostringstream out;
  try {
    if (row->keywords)
      V2_Writer(file(), row->value).write(out);
    else
      V1_Writer(file(), row->value).write(out);
  } catch (const std::runtime_error& refusal) {
    text_ = refusal.what();
    return false;
  } catch (const std::logic_error& refusal) {
    // A writer is refused the record of a failed check.
    text_ = refusal.what();
    return false;
  }
  text_ = out.str();
  return true;
}

bool CheckedFile::describe() {
  text_.clear();
  if (!valid()) {
    text_ = "the file is not valid";
    return false;
  }
  std::ostringstream out;
  touchstone2::describe(file(), out);
  text_ = out.str();
  return true;
}

const std::vector<double>& CheckedFile::fillFrequencies() {
  numbers_.clear();
  const NetworkParams* data = valid() ? file().getNetworkData() : nullptr;
  if (data == nullptr)
    return numbers_;
  numbers_.reserve(data->frequencyCount());
  for (std::uint32_t k = 0; k < data->frequencyCount(); ++k)
    numbers_.push_back(data->frequencyInHz(k));
  return numbers_;
}

const std::vector<double>& CheckedFile::fillValues() {
  numbers_.clear();
  const NetworkParams* data = valid() ? file().getNetworkData() : nullptr;
  if (data == nullptr)
    return numbers_;
  const std::uint32_t ports = data->getNumberOfPorts();
  numbers_.reserve(static_cast<std::size_t>(data->frequencyCount()) * ports * ports * 2);
  for (std::uint32_t k = 0; k < data->frequencyCount(); ++k) {
    for (std::uint32_t i = 0; i < ports; ++i) {
      for (std::uint32_t j = 0; j < ports; ++j) {
        ValuePair value = data->element(k, i, j).get(DataFormat::RI);
        numbers_.push_back(value.first);
        numbers_.push_back(value.second);
      }
    }
  }
  return numbers_;
}

}  // namespace touchstone2::web
