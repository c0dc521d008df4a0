// Query and help records, identifier check, module messages.
#include <gtest/gtest.h>

#include <effect/common.h>
#include <hostcommon.h>
#include <useragent.h>

#include <cstring>
#include <string>

#include "module_binding.h"
#include "step_agent.h"

namespace {

// String numbers of the grid plug-in's table used as test texts.
constexpr UINT kIdentifier = 103;  // "Gitter und Aufteilung" (21 characters)
constexpr UINT kMenuText = 101;    // "&Gitter und Aufteilung..."
constexpr UINT kMissing = 102;
constexpr UINT kLongText = 104;    // more than 140 characters
constexpr UINT kRangeText = 100;   // "... (%d..%d) liegen."

class ModuleTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryA(lvtest::StagedModulePath("gridsplit.tpi").c_str());
  }
  void SetUp() override { ASSERT_NE(module_, 0u) << "gridsplit.tpi not loaded"; }
  static HMODULE module_;
};
HMODULE ModuleTest::module_ = 0;

// A query record with guard bytes behind it.
struct GuardedRecord {
  T32QUERYRECORD record;
  char guard[200];
};

TEST_F(ModuleTest, FamilyATextsOverlapAndStopAtRecordEnd) {
  GuardedRecord space;
  std::memset(&space, 'g', sizeof space);
  effect::LoadQueryTextsFamilyA(module_, {kIdentifier, kMenuText, kMissing}, &space.record);
  EXPECT_EQ(std::string(space.record.identifier, 16), "Gitter und Aufte");
  EXPECT_STREQ(space.record.identifier + 16, "&Gitter und Aufteilung...");
  EXPECT_STREQ(space.record.menuGroup, "");

  std::memset(&space, 'g', sizeof space);
  effect::LoadQueryTextsFamilyA(module_, {kIdentifier, kMenuText, kLongText}, &space.record);
  const char* group = space.record.menuGroup;
  EXPECT_EQ(std::strlen(group), 99u);
  EXPECT_EQ(std::string(group, 20), "Gitter und Aufteilun");
  for (char c : space.guard) ASSERT_EQ(c, 'g') << "text ran past the record";
}

TEST_F(ModuleTest, FamilyBTextsFitTheirFields) {
  T32QUERYRECORD record;
  std::memset(&record, 'g', sizeof record);
  effect::LoadQueryTextsFamilyB(module_, {kIdentifier, kMenuText, kLongText}, &record);
  EXPECT_STREQ(record.identifier, "Gitter und Auft");
  EXPECT_STREQ(record.menuText, "&Gitter und Aufteilung...");
  EXPECT_EQ(std::strlen(record.menuGroup), 63u);
  EXPECT_EQ(record.hostValue1, 0x67676767);  // numbers are not touched
}

TEST(QueryRecordTest, AllocatesOnceZeroFilledThenReuses) {
  T32QUERYRECORD* slot = nullptr;
  T32QUERYRECORD* record = effect::EnsureQueryRecord(&slot);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(slot, record);
  const char* bytes = reinterpret_cast<const char*>(record);
  for (size_t i = 0; i < sizeof *record; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
  record->hostValue1 = 42;
  EXPECT_EQ(effect::EnsureQueryRecord(&slot), record);
  EXPECT_EQ(record->hostValue1, 42);
  EXPECT_EQ(effect::EnsureQueryRecord(nullptr), nullptr);

  effect::WriteQueryValues({60, 32, 2, 2, 64, 0, 1, 65538, -1}, record);
  const LONG expected[] = {60, 32, 2, 2, 64, 0, 1, 65538, -1};
  const LONG* numbers = reinterpret_cast<const LONG*>(bytes + 144);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(numbers[i], expected[i]) << "number " << i;
}

TEST_F(ModuleTest, HelpRecordNamesFileBesideModule) {
  T32HELPRECORD help;
  std::memset(&help, 'x', sizeof help);
  ASSERT_TRUE(effect::BuildHelpRecord(module_, "TPI1.HLP >m", 201, &help));
  char modulePath[MAX_PATH] = {};
  GetModuleFileNameA(module_, modulePath, MAX_PATH);
  std::string expected = modulePath;
  expected = expected.substr(0, expected.find_last_of('\\') + 1) + "TPI1.HLP >m";
  EXPECT_EQ(std::string(help.path), expected);
  EXPECT_EQ(help.context, 201);

  char path[MAX_PATH];
  ASSERT_TRUE(effect::HelpFilePath(module_, "TPI1.HLP>d", path));
  EXPECT_EQ(std::string(path), expected.substr(0, expected.size() - 3) + ">d");
  std::string tooLong(MAX_PATH, 'a');
  EXPECT_FALSE(effect::HelpFilePath(module_, tooLong.c_str(), path));
}

struct IdentifierCase {
  const char* text;
  bool matches;
};

class IdentifierTest : public ModuleTest, public testing::WithParamInterface<IdentifierCase> {};

TEST_P(IdentifierTest, ComparedWithoutCaseAtSixteenBytes) {
  EXPECT_EQ(effect::IdentifierMatches(module_, kIdentifier, GetParam().text) != 0,
            GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Effect, IdentifierTest,
                         testing::Values(IdentifierCase{"Gitter und Auft", true},
                                         IdentifierCase{"GITTER UND AUFT", true},
                                         IdentifierCase{"gitter und auft", true},
                                         IdentifierCase{"Gitter und Aufteilung", false},
                                         IdentifierCase{"Gitter", false},
                                         IdentifierCase{"", false},
                                         IdentifierCase{nullptr, false}));

TEST_F(ModuleTest, ModuleMessageIsFormattedShownAndClearsSlot) {
  lv::ClearRecords();
  c32SetDLLErrInfo(0, 1001, 0, 1, 1, 1);
  {
    lvtest::StepAgent agent({}, IDOK);
    EXPECT_EQ(effect::ShowModuleMessage(module_, 0, kRangeText, 1, 99), IDOK);
  }
  ASSERT_EQ(lv::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(lv::MessageBoxesShown()[0].text,
            "Der Wert mu\xdf innerhalb des Bereiches (1..99) liegen.");
  EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 0);
}

}  // namespace
