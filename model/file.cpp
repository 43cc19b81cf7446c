#include "model/file.h"

#include <utility>

#include "model/vocabulary.h"

namespace touchstone2 {

File::File(const std::string& filename) : filename_(filename) {}

double File::getFrequencyMultiplier() const {
  const FrequencyUnitWord* unit = rowFor(kFrequencyUnits, frequencyUnit_);
  return unit != nullptr ? unit->hertz : 1.0;
}

void File::setReferenceImpedances(std::vector<double> impedances) {
  referenceImpedances_ = std::move(impedances);
  referenceImpedancesGiven_ = true;
}

void File::setMixedModeOrder(std::vector<MixedModeDescriptor> order) {
  mixedModeOrder_ = std::move(order);
  mixedModeOrderGiven_ = true;
}

void File::setDefaultReferenceImpedances() {
  referenceImpedances_.assign(numberOfPorts_, referenceResistance_);
}

void File::setDefaultMixedModeOrder() {
  for (std::uint32_t port = 1; port <= numberOfPorts_; ++port)
    mixedModeOrder_.push_back({MixedModeKind::SingleEnded, port, 0});
}

}  // namespace touchstone2
