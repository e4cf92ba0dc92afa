#include "common/archive.h"
#include "common/atomic_file.h"
#include "tests/support/file_rights.h"
#include "tests/support/temp_dir.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace lumavo {
namespace {

using testing_support::TempDir;
using testing_support::WithoutFileOverride;

void PutFile(const std::string& path, const std::string& bytes)
{
    ASSERT_EQ(WriteFileAtomically(path, bytes), std::nullopt);
}

std::size_t EntryCount(const std::string& dir)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++count;
    return count;
}

// "\xc9\xcc\xd2\xb5" is 商业 in GBK: lines in another encoding must survive untouched.
const std::string kGbkComment = ";\xc9\xcc\xd2\xb5";

struct ReadCase
{
    const char* name;
    std::string bytes;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniRead : public testing::TestWithParam<ReadCase>
{
};

TEST_P(IniRead, FindsValue)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniDocument::Parse(c.bytes).Value(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    IniRead,
    testing::Values(
        ReadCase{"SectionIgnoresCase", "[spercents]\r\npercent0=5.94\r\n", "SPERCENTS", "percent0",
                 "5.94"},
        ReadCase{"KeyIgnoresCase", "[SPERCENTS]\r\nPerCent0=5.94\r\n", "SPERCENTS", "percent0",
                 "5.94"},
        ReadCase{"LfEndings", "[S]\nk=1\n[G]\nk=2\n", "G", "k", "2"},
        ReadCase{"LastLineWithoutBreak", "[S]\r\nk=7", "S", "k", "7"},
        ReadCase{"ValueTrimmed", "[S]\r\npercent5=  6.12 \t\r\n", "S", "percent5", "6.12"},
        ReadCase{"KeyTrimmed", "[S]\r\n  percent5 \t= 6.12\r\n", "S", "percent5", "6.12"},
        ReadCase{"SectionHeaderWithBlanks", "  [ S ]  \r\nk=1\r\n", "S", "k", "1"},
        ReadCase{"EmptyValueIsPresent", "[S]\r\nk=\r\n", "S", "k", ""},
        ReadCase{"ValueMayHoldEquals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        ReadCase{"FirstKeyWins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        ReadCase{"FirstSectionWins", "[S]\r\nk=1\r\n[s]\r\nk=2\r\n", "S", "k", "1"},
        ReadCase{"DuplicateSectionNotSearched", "[S]\r\na=1\r\n[S]\r\nk=2\r\n", "S", "k",
                 std::nullopt},
        ReadCase{"KeyOfOtherSection", "[G]\r\nk=1\r\n[S]\r\n", "S", "k", std::nullopt},
        ReadCase{"KeyBeforeAnySection", "k=1\r\n[S]\r\n", "S", "k", std::nullopt},
        ReadCase{"MissingSection", "[G]\r\nk=1\r\n", "S", "k", std::nullopt},
        ReadCase{"CommentIsNoKey", "[S]\r\n;k=1\r\n", "S", "k", std::nullopt},
        ReadCase{"GbkLinesAround", kGbkComment + "\r\n[S]\r\n" + kGbkComment + "=x\r\nk=3\r\n", "S",
                 "k", "3"},
        ReadCase{"EmptyFile", "", "S", "k", std::nullopt}),
    [](const testing::TestParamInfo<ReadCase>& p) { return p.param.name; });

struct WriteCase
{
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class IniWrite : public testing::TestWithParam<WriteCase>
{
};

TEST_P(IniWrite, ChangesOnlyItsLine)
{
    const WriteCase& c = GetParam();
    IniDocument document = IniDocument::Parse(c.before);
    document.SetValue(c.section, c.key, c.value);
    EXPECT_EQ(document.Bytes(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    IniWrite,
    testing::Values(
        WriteCase{"ReplacesInPlace",
                  kGbkComment + "\r\n[S]\r\na=1\r\nk=2\r\nb=3\r\n\r\n[G]\r\nk=9\r\n", "S", "k", "5",
                  kGbkComment + "\r\n[S]\r\na=1\r\nk=5\r\nb=3\r\n\r\n[G]\r\nk=9\r\n"},
        WriteCase{"ReplacesIgnoringCase", "[s]\r\n  PerCent0 = 1\r\n", "S", "percent0", "2",
                  "[s]\r\npercent0=2\r\n"},
        WriteCase{"AppendsAtEndOfSectionBeforeNext", "[S]\r\na=1\r\n[G]\r\nk=9\r\n", "S", "k", "5",
                  "[S]\r\na=1\r\nk=5\r\n[G]\r\nk=9\r\n"},
        WriteCase{"AppendsBeforeTrailingBlankAndComment",
                  "[S]\r\na=1\r\n\r\n" + kGbkComment + "\r\n[G]\r\n", "S", "k", "5",
                  "[S]\r\na=1\r\nk=5\r\n\r\n" + kGbkComment + "\r\n[G]\r\n"},
        WriteCase{"KeyAfterHeaderOfEmptySection", "[S]\r\n[G]\r\nk=9\r\n", "S", "k", "5",
                  "[S]\r\nk=5\r\n[G]\r\nk=9\r\n"},
        WriteCase{"AppendsMissingSection", "[G]\r\nk=9\r\n", "S", "k", "5",
                  "[G]\r\nk=9\r\n[S]\r\nk=5\r\n"},
        WriteCase{"StartsEmptyDocument", "", "SPERCENTS", "percent0", "5.94",
                  "[SPERCENTS]\r\npercent0=5.94\r\n"},
        WriteCase{"TrimsValue", "", "S", "k", "  6.12 ", "[S]\r\nk=6.12\r\n"},
        WriteCase{"LfFileWrittenWithCrLf", "[S]\nk=1\n", "S", "k", "2", "[S]\r\nk=2\r\n"},
        WriteCase{"LastLineWithoutBreakGetsOne", "[G]\r\nk=9", "S", "k", "5",
                  "[G]\r\nk=9\r\n[S]\r\nk=5\r\n"},
        WriteCase{"OnlyFirstDuplicateChanged", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "5",
                  "[S]\r\nk=5\r\n[S]\r\nk=2\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& p) { return p.param.name; });

TEST(ArchiveFile, MissingFileReadsDefaultAndIsNotCreated)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    EXPECT_EQ(ReadArchiveString(path, "SPERCENTS", "percent0", "0"), "0");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ArchiveFile, WritesCreateThenExtendFile)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    EXPECT_EQ(WriteArchiveString(path, "SPERCENTS", "percent0", " 5.94 "), std::nullopt);
    EXPECT_EQ(WriteArchiveString(path, "GPERCENTS", "percent0", "3.87"), std::nullopt);
    EXPECT_EQ(WriteArchiveString(path, "spercents", "percent1", "6"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(path),
              "[SPERCENTS]\r\npercent0=5.94\r\npercent1=6\r\n[GPERCENTS]\r\npercent0=3.87\r\n");
    EXPECT_EQ(ReadArchiveString(path, "GPercents", "PERCENT0", "0"), "3.87");
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(ArchiveFile, MissingDirectoryGivesErrorNamingFile)
{
    TempDir dir;
    const std::string path = dir.File("absent/percents.ini");
    const auto error = WriteArchiveString(path, "S", "k", "1");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
}

TEST(ArchiveFile, ReadOnlyDirectoryKeepsOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores directory permissions";
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    const std::string old = "[S]\nk=1\n" + kGbkComment + "\n";
    PutFile(path, old);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0500), 0);
    const auto error = WriteArchiveString(path, "S", "k", "2");
    ::chmod(dir.Path().c_str(), 0700);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

// Rewriting a file we could not read would throw away the user's other sections.
TEST(ArchiveFile, UnreadableExistingFileIsNotOverwritten)
{
    TempDir dir;
    const std::string path = dir.File("percents.ini");
    std::filesystem::create_directory(path);
    const auto error = WriteArchiveString(path, "S", "k", "2");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ReadArchiveString(path, "S", "k", "def"), "def");
}

TEST(ArchiveFile, PathIsBesideTheProgramNotTheWorkingDirectory)
{
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const std::string path = RateArchivePath();
    std::filesystem::current_path(previous);
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(path, (program.parent_path() / "percents.ini").string());
}

enum class Folder
{
    Writable,
    ReadOnly,
    Missing
};

struct LocationCase
{
    const char* name;
    Folder program;
    const char* xdgConfigHome;
    const char* home;
    const char* expected; // "<bin>" stands for the program folder
};

class ArchiveLocation : public testing::TestWithParam<LocationCase>
{
};

// An installed copy cannot write beside itself, so 存档 would always fail there.
TEST_P(ArchiveLocation, BesideTheProgramOnlyWhereItCanBeWritten)
{
    const LocationCase& c = GetParam();
    TempDir dir;
    const std::string bin = dir.File("bin");
    if (c.program != Folder::Missing)
        std::filesystem::create_directory(bin);
    if (c.program == Folder::ReadOnly)
        std::filesystem::permissions(bin, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::owner_exec);
    std::string path;
    {
        const WithoutFileOverride asPlainUser;
        if (c.program == Folder::ReadOnly &&
            ::faccessat(AT_FDCWD, bin.c_str(), W_OK, AT_EACCESS) == 0)
            GTEST_SKIP() << "running with rights that ignore a read-only folder";
        path = RateArchivePathFor(bin + "/", ConfigEnvironment{c.xdgConfigHome, c.home});
    }
    std::string expected = c.expected;
    if (expected.rfind("<bin>", 0) == 0)
        expected.replace(0, 5, bin);
    EXPECT_EQ(path, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ArchiveLocation,
    testing::Values(LocationCase{"WritableFolderKeepsIt", Folder::Writable, "/cfg", "/home/u",
                                 "<bin>/percents.ini"},
                    LocationCase{"ReadOnlyFolderUsesXdgConfigHome", Folder::ReadOnly, "/cfg",
                                 "/home/u", "/cfg/lumavo/percents.ini"},
                    LocationCase{"ReadOnlyFolderFallsBackToHome", Folder::ReadOnly, "", "/home/u",
                                 "/home/u/.config/lumavo/percents.ini"},
                    LocationCase{"RelativeXdgConfigHomeIsIgnored", Folder::ReadOnly, "cfg",
                                 "/home/u", "/home/u/.config/lumavo/percents.ini"},
                    LocationCase{"NoConfigFolderStaysBeside", Folder::ReadOnly, "", "",
                                 "<bin>/percents.ini"},
                    LocationCase{"MissingFolderCountsAsReadOnly", Folder::Missing, "/cfg/", "",
                                 "/cfg/lumavo/percents.ini"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Files are read with a bound, so a wrong pick costs neither time nor memory; a device has no
// size to look at first and is cut off while read.
TEST(ReadWholeFileTest, RefusesWhatIsLargerThanTheBound)
{
    TempDir dir;
    const std::string path = dir.Write("ten.txt", "0123456789").string();
    std::string reason;
    EXPECT_EQ(ReadWholeFile(path, &reason, 10), "0123456789");
    EXPECT_EQ(ReadWholeFile(path, &reason, 9), std::nullopt);
    EXPECT_EQ(reason.rfind(path + ": ", 0), 0u);
    EXPECT_EQ(ReadWholeFile("/dev/zero", &reason), std::nullopt);
    EXPECT_NE(reason.find("4 MiB"), std::string::npos);
}

} // namespace
} // namespace lumavo
