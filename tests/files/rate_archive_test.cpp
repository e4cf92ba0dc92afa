#include "common/atomic_file.h"
#include "files/rate_archive.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <stdlib.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumavo {
namespace {

using testing_support::TempDir;

std::size_t EntryCount(const std::string& dir)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++count;
    return count;
}

// A file holding both sections, GBK comment lines and LF endings, as a hand-edited archive might.
const std::string kBothSections = ";\xc9\xcc\xd2\xb5\n"
                                  "[GPERCENTS]\n"
                                  "percent0=3.87\n"
                                  "percent3=4.5\n"
                                  "\n"
                                  "[SPERCENTS]\n"
                                  "percent0=5.94\n";

struct LoadCase
{
    const char* name;
    const char* text;
    double expected;
};

class LoadedValue : public testing::TestWithParam<LoadCase>
{
};

TEST_P(LoadedValue, BecomesEntry)
{
    const LoadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    ASSERT_EQ(WriteFileAtomically(path, std::string("[GPERCENTS]\r\npercent5=") + c.text + "\r\n"),
              std::nullopt);
    const RateTable table = LoadRateTable(path, kProvidentRateSection);
    EXPECT_DOUBLE_EQ(table.At(5), c.expected);
    EXPECT_EQ(table.At(4), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         LoadedValue,
                         testing::Values(LoadCase{"Plain", "5.94", 5.94},
                                         LoadCase{"BlanksAround", "  6.12  ", 6.12},
                                         LoadCase{"RoundsDown", "5.94449", 5.944},
                                         LoadCase{"RoundsUp", "5.9446", 5.945},
                                         LoadCase{"WholeNumber", "6", 6.0},
                                         LoadCase{"NegativeKept", "-1.25", -1.25},
                                         LoadCase{"Letters", "abc", 0.0},
                                         LoadCase{"Empty", "", 0.0},
                                         LoadCase{"CommaSeparator", "6,12", 0.0},
                                         LoadCase{"Overflow", "1e400", 0.0}),
                         [](const testing::TestParamInfo<LoadCase>& p) { return p.param.name; });

TEST(RateArchive, MissingFileLoadsZerosWithoutCreatingIt)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    EXPECT_EQ(LoadRateTable(path, kCommercialRateSection), RateTable{});
    EXPECT_EQ(LoadRateTable(path, kProvidentRateSection), RateTable{});
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(RateArchive, LoadsOnlyItsSection)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    ASSERT_EQ(WriteFileAtomically(path, kBothSections), std::nullopt);
    RateTable expected;
    expected.Set(0, 3.87);
    expected.Set(3, 4.5);
    EXPECT_EQ(LoadRateTable(path, kProvidentRateSection), expected);
    RateTable commercial;
    commercial.Set(0, 5.94);
    EXPECT_EQ(LoadRateTable(path, kCommercialRateSection), commercial);
}

TEST(RateArchive, FreshArchiveHoldsBothSectionsInOrderOfSaving)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    RateTable commercial;
    commercial.Fill(5.94);
    commercial.Set(2, 6.12);
    commercial.Set(30, 6);
    RateTable provident;
    provident.Fill(3.87);
    provident.Set(1, 4.158);
    provident.Set(2, 0);
    ASSERT_EQ(SaveRateTable(path, kCommercialRateSection, commercial), std::nullopt);
    ASSERT_EQ(SaveRateTable(path, kProvidentRateSection, provident), std::nullopt);

    std::string expected = "[SPERCENTS]\r\n";
    for (int i = 0; i < RateTable::kEntries; ++i)
        expected += "percent" + std::to_string(i) + "=" +
                    (i == 2    ? "6.12"
                     : i == 30 ? "6"
                               : "5.94") +
                    "\r\n";
    expected += "[GPERCENTS]\r\n";
    for (int i = 0; i < RateTable::kEntries; ++i)
        expected += "percent" + std::to_string(i) + "=" +
                    (i == 1   ? "4.158"
                     : i == 2 ? "0"
                              : "3.87") +
                    "\r\n";
    EXPECT_EQ(ReadWholeFile(path), expected);
    EXPECT_EQ(LoadRateTable(path, kCommercialRateSection), commercial);
    EXPECT_EQ(LoadRateTable(path, kProvidentRateSection), provident);
}

TEST(RateArchive, TypedRateIsSavedAsWritten)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    RateTable provident;
    provident.Set(3, 6.8);
    ASSERT_EQ(SaveRateTable(path, kProvidentRateSection, provident), std::nullopt);
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_NE(
        bytes->find("[GPERCENTS]\r\npercent0=0\r\npercent1=0\r\npercent2=0\r\npercent3=6.8\r\n"),
        std::string::npos);
}

TEST(RateArchive, SavingOneSectionLeavesTheOtherByteIdentical)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    ASSERT_EQ(WriteFileAtomically(path, kBothSections), std::nullopt);
    RateTable commercial;
    commercial.Fill(4.9);
    ASSERT_EQ(SaveRateTable(path, kCommercialRateSection, commercial), std::nullopt);

    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes.has_value());
    const std::string untouched = ";\xc9\xcc\xd2\xb5\r\n"
                                  "[GPERCENTS]\r\n"
                                  "percent0=3.87\r\n"
                                  "percent3=4.5\r\n"
                                  "\r\n"
                                  "[SPERCENTS]\r\n";
    EXPECT_EQ(bytes->substr(0, untouched.size()), untouched);
    EXPECT_EQ(LoadRateTable(path, kCommercialRateSection), commercial);
}

TEST(RateArchive, FailedSaveInReadOnlyDirectoryKeepsOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores directory permissions";
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    ASSERT_EQ(WriteFileAtomically(path, kBothSections), std::nullopt);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0500), 0);
    RateTable commercial;
    commercial.Fill(4.9);
    const auto error = SaveRateTable(path, kCommercialRateSection, commercial);
    ::chmod(dir.Path().c_str(), 0700);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_EQ(ReadWholeFile(path), kBothSections);
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

// Saving key by key would leave half a table behind when the disk fills up midway.
TEST(RateArchive, SaveFailingMidwayKeepsOldFile)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    ASSERT_EQ(WriteFileAtomically(path, kBothSections), std::nullopt);

    // A file size limit stands in for a full disk and holds for root as well.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 200;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    RateTable commercial;
    commercial.Fill(4.9);
    const auto error = SaveRateTable(path, kCommercialRateSection, commercial);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_EQ(ReadWholeFile(path), kBothSections);
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(RateArchive, SaveIntoMissingDirectoryFails)
{
    TempDir dir;
    const std::string path = dir.File("absent/percents.ini");
    const auto error = SaveRateTable(path, kCommercialRateSection, RateTable{});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_EQ(EntryCount(dir.Path()), 0u);
}

} // namespace
} // namespace lumavo
