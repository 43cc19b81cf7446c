// The per-file JSON object, byte for byte: the WebAssembly module hands it out
// as it is, so its form is the point here.
#include <gtest/gtest.h>

#include <string>

#include <touchstone2/reading.h>

#include "reports/file_report.h"
#include "reports/json_report.h"

namespace touchstone2 {
namespace {

TEST(FileJson, AReadFileWithAWarning) {
  const ReadResult read = readBytes("# MHz S RI R 50\n# GHz\n1 0.5 0 0.9 0 0.9 0 0.5 0\n! noise\n"
                                    "1 2 0.5 10 0.2\n", "lab/amp.s2p");
  EXPECT_EQ(fileReportJson(reportOf(read)),
            R"({"path":"lab/amp.s2p","valid":true,"version":"1","ports":2,"frequencies":1,)"
            R"("noise_frequencies":1,"diagnostics":[{"code":"W2106","severity":"warning",)"
            R"("line":2,"column":1,"message":"ignored secondary options line; only the first )"
            R"(options line is used"}]})");
}

// A file that could not be read has no counts; a diagnostic without a place has
// null for it; a name that is not UTF-8 still gives valid JSON.
TEST(FileJson, AFileThatCouldNotBeRead) {
  EXPECT_EQ(fileReportJson(reportOf(readBytes("", "a\"\xff.s1p"))),
            "{\"path\":\"a\\\"\xef\xbf\xbd.s1p\",\"valid\":false,\"version\":null,\"ports\":null,"
            "\"frequencies\":null,\"noise_frequencies\":null,\"diagnostics\":[{\"code\":\"E1003\","
            "\"severity\":\"error\",\"line\":null,\"column\":null,\"message\":\"file appears to be "
            "empty\"}]}");
}

}  // namespace
}  // namespace touchstone2
