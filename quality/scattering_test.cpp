// The one-matrix conversion, which the module's tests do not reach: known
// values, and the refusals.

#include <touchstone2/scattering.h>

#include <gtest/gtest.h>

#include <complex>
#include <stdexcept>

namespace touchstone2 {
namespace {

using C = std::complex<double>;

TEST(Scattering, OnePortOfEachImpedanceType) {
  const double reference = 50.0;
  C z[] = {150.0};  // (150 - 50) / (150 + 50)
  convertToScattering(ParameterType::Z, 1, &reference, z);
  EXPECT_NEAR(std::abs(z[0] - 0.5), 0.0, 1e-15);
  C y[] = {1.0 / 150.0};
  convertToScattering(ParameterType::Y, 1, &reference, y);
  EXPECT_NEAR(std::abs(y[0] - 0.5), 0.0, 1e-15);
  C s[] = {C(0.25, -0.5)};
  convertToScattering(ParameterType::S, 1, &reference, s);
  EXPECT_EQ(s[0], C(0.25, -0.5));
}

TEST(Scattering, SeriesImpedanceBetweenUnequalReferences) {
  // A series resistor R between ports of 50 and 75 ohms, as hybrid
  // parameters: h11 = R, h12 = 1, h21 = -1, h22 = 0. Port 1 sees R + 75.
  const double reference[] = {50.0, 75.0};
  const double r = 25.0;
  C h[] = {r, 1.0, -1.0, 0.0};
  convertToScattering(ParameterType::H, 2, reference, h);
  EXPECT_NEAR(std::abs(h[0] - (r + 75.0 - 50.0) / (r + 75.0 + 50.0)), 0.0, 1e-15);
  EXPECT_NEAR(std::abs(h[3] - (r + 50.0 - 75.0) / (r + 50.0 + 75.0)), 0.0, 1e-15);
  const double through = 2.0 * std::sqrt(50.0 * 75.0) / (r + 50.0 + 75.0);
  EXPECT_NEAR(std::abs(h[1] - through), 0.0, 1e-15);
  EXPECT_NEAR(std::abs(h[2] - through), 0.0, 1e-15);
}

TEST(Scattering, Refusals) {
  const double reference[] = {50.0, 50.0, 50.0};
  C singular[] = {-50.0};  // Z + z0 = 0
  EXPECT_THROW(convertToScattering(ParameterType::Z, 1, reference, singular), std::domain_error);
  C three[9] = {};
  EXPECT_THROW(convertToScattering(ParameterType::G, 3, reference, three), std::invalid_argument);
}

}  // namespace
}  // namespace touchstone2
