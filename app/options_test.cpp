#include "app/options.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace touchstone2 {
namespace {

// Decodes the given arguments after a program name.
void decode(Options& options, std::initializer_list<const char*> args) {
  std::vector<const char*> argv{"snpvet"};
  argv.insert(argv.end(), args);
  options.parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// The text of the decoding error, or "" when decoding succeeded.
std::string decodeError(Options& options, std::initializer_list<const char*> args) {
  try {
    decode(options, args);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST(OptionsTest, NoArgumentsKeepsInitialValues) {
  Options options;
  decode(options, {});
  EXPECT_EQ(OutputMode::CheckOnly, options.mode);
  EXPECT_FALSE(options.helpRequested);
  EXPECT_FALSE(options.versionRequested);
  EXPECT_EQ("", options.filename);
}

TEST(OptionsTest, ModeNumbersAreFixed) {
  EXPECT_EQ(0, static_cast<int>(OutputMode::CheckOnly));
  EXPECT_EQ(1, static_cast<int>(OutputMode::CanonicalV1));
  EXPECT_EQ(2, static_cast<int>(OutputMode::CanonicalV2));
  EXPECT_EQ(3, static_cast<int>(OutputMode::Describe));
}

TEST(OptionsTest, FileNameAlone) {
  Options options;
  decode(options, {"amp.s2p"});
  EXPECT_EQ("amp.s2p", options.filename);
  EXPECT_EQ(OutputMode::CheckOnly, options.mode);
}

TEST(OptionsTest, EachModeOption) {
  struct Case {
    const char* arg;
    OutputMode mode;
  };
  for (Case c : {Case{"-canonical", OutputMode::CanonicalV2},
                 Case{"-canonical-v2", OutputMode::CanonicalV2},
                 Case{"-canonical-v1", OutputMode::CanonicalV1},
                 Case{"-describe", OutputMode::Describe}}) {
    Options options;
    decode(options, {c.arg, "f.s1p"});
    EXPECT_EQ(c.mode, options.mode) << c.arg;
    EXPECT_FALSE(options.helpRequested) << c.arg;
    EXPECT_FALSE(options.versionRequested) << c.arg;
    EXPECT_EQ("f.s1p", options.filename) << c.arg;
  }
}

TEST(OptionsTest, HelpAndShortHelp) {
  Options longForm;
  decode(longForm, {"-help"});
  EXPECT_TRUE(longForm.helpRequested);
  Options shortForm;
  decode(shortForm, {"-h"});
  EXPECT_TRUE(shortForm.helpRequested);
  EXPECT_FALSE(shortForm.versionRequested);
}

TEST(OptionsTest, Version) {
  Options options;
  decode(options, {"-version"});
  EXPECT_TRUE(options.versionRequested);
  EXPECT_FALSE(options.helpRequested);
}

TEST(OptionsTest, FlagsAccumulate) {
  Options options;
  decode(options, {"-version", "-describe", "-help", "x.s2p"});
  EXPECT_TRUE(options.helpRequested);
  EXPECT_TRUE(options.versionRequested);
  EXPECT_EQ(OutputMode::Describe, options.mode);
  EXPECT_EQ("x.s2p", options.filename);
}

TEST(OptionsTest, FileNameMayComeFirst) {
  Options options;
  decode(options, {"x.s2p", "-canonical-v1"});
  EXPECT_EQ("x.s2p", options.filename);
  EXPECT_EQ(OutputMode::CanonicalV1, options.mode);
}

TEST(OptionsTest, LastModeWins) {
  Options v1ThenV2;
  decode(v1ThenV2, {"-canonical-v1", "-canonical", "f.s2p"});
  EXPECT_EQ(OutputMode::CanonicalV2, v1ThenV2.mode);

  Options describeThenV1;
  decode(describeThenV1, {"-describe", "-canonical-v1", "f.s2p"});
  EXPECT_EQ(OutputMode::CanonicalV1, describeThenV1.mode);

  Options v2ThenDescribe;
  decode(v2ThenDescribe, {"-canonical-v2", "f.s2p", "-describe"});
  EXPECT_EQ(OutputMode::Describe, v2ThenDescribe.mode);
}

TEST(OptionsTest, UnknownOptionIsAnError) {
  Options options;
  EXPECT_EQ("unrecognized option: -bogus", decodeError(options, {"-bogus"}));
}

TEST(OptionsTest, LoneHyphenIsAnUnknownOption) {
  Options options;
  EXPECT_EQ("unrecognized option: -", decodeError(options, {"-"}));
}

TEST(OptionsTest, OptionsAreCaseSensitive) {
  Options describe;
  EXPECT_EQ("unrecognized option: -Describe", decodeError(describe, {"-Describe", "f.s2p"}));
  Options help;
  EXPECT_EQ("unrecognized option: -HELP", decodeError(help, {"-HELP"}));
}

TEST(OptionsTest, NearMissesAreUnknownOptions) {
  for (const char* arg : {"--help", "-canonical-v3", "-describe ", "-v", "-H"}) {
    Options options;
    EXPECT_EQ(std::string("unrecognized option: ") + arg, decodeError(options, {arg})) << arg;
  }
}

TEST(OptionsTest, DecodingStopsAtTheFirstError) {
  Options options;
  // Were decoding to go on, the two names would give another message.
  EXPECT_EQ("unrecognized option: -bogus", decodeError(options, {"-bogus", "a.s2p", "b.s2p"}));
  EXPECT_EQ("", options.filename);
}

TEST(OptionsTest, ErrorAfterHelpStillThrows) {
  Options options;
  EXPECT_EQ("unrecognized option: -bogus", decodeError(options, {"-help", "-bogus"}));
  EXPECT_TRUE(options.helpRequested);
}

TEST(OptionsTest, TwoFileNames) {
  Options options;
  EXPECT_EQ("only one filename may be specified", decodeError(options, {"a.s2p", "b.s2p"}));
  EXPECT_EQ("a.s2p", options.filename);
}

TEST(OptionsTest, TwoFileNamesAroundOptions) {
  Options options;
  EXPECT_EQ("only one filename may be specified",
            decodeError(options, {"a.s2p", "-describe", "b.s2p"}));
}

TEST(OptionsTest, EmptyArgumentLeavesTheFileNameEmpty) {
  Options options;
  decode(options, {""});
  EXPECT_EQ("", options.filename);
}

TEST(OptionsTest, EmptyArgumentThenFileName) {
  Options options;
  decode(options, {"", "a.s2p"});
  EXPECT_EQ("a.s2p", options.filename);
}

TEST(OptionsTest, FileNameThenEmptyArgument) {
  Options options;
  EXPECT_EQ("only one filename may be specified", decodeError(options, {"a.s2p", ""}));
}

TEST(OptionsTest, FileNameMayContainHyphensAfterTheFirstCharacter) {
  Options options;
  decode(options, {"my-file.s2p"});
  EXPECT_EQ("my-file.s2p", options.filename);
}

}  // namespace
}  // namespace touchstone2
