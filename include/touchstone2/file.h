#ifndef TOUCHSTONE2_FILE_H
#define TOUCHSTONE2_FILE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <touchstone2/export.h>
#include <touchstone2/enums.h>
#include <touchstone2/parameters.h>

namespace touchstone2 {

// The in-memory record of one Touchstone file. It checks nothing itself: the
// parser enforces every rule before it calls a setter, and puts in the
// defaults.
class TOUCHSTONE2_API File {
 public:
  static constexpr std::uint32_t kVersion1 = 0x10000;
  static constexpr std::uint32_t kVersion1_1 = 0x10001;
  static constexpr std::uint32_t kVersion2 = 0x20000;
  static constexpr std::uint32_t kVersion2_1 = 0x20001;

  explicit File(const std::string& filename);
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  // A record moves (out of a function, into a container); a Parser still
  // reading into it must not outlive the move.
  File(File&&) noexcept = default;
  File& operator=(File&&) noexcept = default;

  const std::string& getFilename() const { return filename_; }
  std::uint32_t getVersion() const { return version_; }
  FrequencyUnit getFrequencyUnit() const { return frequencyUnit_; }
  ParameterType getParameterType() const { return parameterType_; }
  DataFormat getFormat() const { return format_; }
  double getReferenceResistance() const { return referenceResistance_; }
  std::uint32_t getNumberOfPorts() const { return numberOfPorts_; }
  TwoPortDataOrder getTwoPortDataOrder() const { return twoPortDataOrder_; }
  std::uint32_t getNumberOfFrequencies() const { return numberOfFrequencies_; }
  std::uint32_t getNumberOfNoiseFrequencies() const { return numberOfNoiseFrequencies_; }
  const std::vector<double>& getReferenceImpedances() const { return referenceImpedances_; }
  MatrixFormat getMatrixFormat() const { return matrixFormat_; }
  const std::vector<MixedModeDescriptor>& getMixedModeOrder() const { return mixedModeOrder_; }
  const NetworkParams* getNetworkData() const { return networkData_.get(); }
  const NoiseParams* getNoiseData() const { return noiseData_.get(); }
  bool getReferenceImpedancesGiven() const { return referenceImpedancesGiven_; }
  bool getMixedModeOrderGiven() const { return mixedModeOrderGiven_; }
  bool getInformationSeen() const { return informationSeen_; }
  bool isValid() const { return valid_; }

  // Hz per unit of the file's frequencies; 1.0 when the unit is not given.
  double getFrequencyMultiplier() const;

  void setVersion(std::uint32_t version) { version_ = version; }
  void setFrequencyUnit(FrequencyUnit unit) { frequencyUnit_ = unit; }
  void setParameterType(ParameterType type) { parameterType_ = type; }
  void setFormat(DataFormat format) { format_ = format; }
  void setReferenceResistance(double ohms) { referenceResistance_ = ohms; }
  void setNumberOfPorts(std::uint32_t ports) { numberOfPorts_ = ports; }
  void setTwoPortDataOrder(TwoPortDataOrder order) { twoPortDataOrder_ = order; }
  void setNumberOfFrequencies(std::uint32_t count) { numberOfFrequencies_ = count; }
  void setNumberOfNoiseFrequencies(std::uint32_t count) { numberOfNoiseFrequencies_ = count; }
  void setMatrixFormat(MatrixFormat format) { matrixFormat_ = format; }
  void setNetworkData(std::unique_ptr<NetworkParams> data) { networkData_ = std::move(data); }
  void setNoiseData(std::unique_ptr<NoiseParams> data) { noiseData_ = std::move(data); }

  // Both also mark the list as given by the file itself.
  void setReferenceImpedances(std::vector<double> impedances);
  void setMixedModeOrder(std::vector<MixedModeDescriptor> order);

  // One copy of the reference resistance per port; leaves the "given" flag.
  void setDefaultReferenceImpedances();
  // Appends one single-ended descriptor per port, in port order.
  void setDefaultMixedModeOrder();

  void setInformationSeen() { informationSeen_ = true; }
  void setValid() { valid_ = true; }

 private:
  std::string filename_;
  std::uint32_t version_ = 0;
  FrequencyUnit frequencyUnit_ = FrequencyUnit::Unset;
  ParameterType parameterType_ = ParameterType::Unset;
  DataFormat format_ = DataFormat::Unset;
  double referenceResistance_ = 0.0;
  std::uint32_t numberOfPorts_ = 0;
  TwoPortDataOrder twoPortDataOrder_ = TwoPortDataOrder::Unset;
  std::uint32_t numberOfFrequencies_ = 0;
  std::uint32_t numberOfNoiseFrequencies_ = 0;
  std::vector<double> referenceImpedances_;
  MatrixFormat matrixFormat_ = MatrixFormat::Unset;
  std::vector<MixedModeDescriptor> mixedModeOrder_;
  std::unique_ptr<NetworkParams> networkData_;
  std::unique_ptr<NoiseParams> noiseData_;
  bool referenceImpedancesGiven_ = false;
  bool mixedModeOrderGiven_ = false;
  bool informationSeen_ = false;
  bool valid_ = false;
};

}  // namespace touchstone2

#endif
