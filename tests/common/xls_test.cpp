#include "common/atomic_file.h"
#include "common/xls.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <stdlib.h>
#include <string>
#include <vector>

namespace lumavo {
namespace {

using testing_support::TempDir;

struct Record
{
    std::uint16_t type;
    std::string data;
};

std::uint16_t U16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Walks the stream by its own length fields, so a wrong length shows up as a broken walk.
std::vector<Record> Records(std::string_view bytes)
{
    std::vector<Record> records;
    std::size_t at = 0;
    while (at + 4 <= bytes.size()) {
        const std::uint16_t length = U16(bytes, at + 2);
        if (at + 4 + length > bytes.size())
            break;
        records.push_back({U16(bytes, at), std::string(bytes.substr(at + 4, length))});
        at += 4 + length;
    }
    EXPECT_EQ(at, bytes.size()) << "stream does not end on a record boundary";
    return records;
}

struct Label
{
    int row;
    int column;
    std::string text;
};

Label AsLabel(const Record& record)
{
    EXPECT_EQ(record.type, 0x0204);
    EXPECT_GE(record.data.size(), 8u);
    EXPECT_EQ(U16(record.data, 4), 0) << "cell format index";
    EXPECT_EQ(U16(record.data, 6), record.data.size() - 8) << "text length";
    return {U16(record.data, 0), U16(record.data, 2), record.data.substr(8)};
}

const std::vector<std::string> kHeader = {"期数", "月份", "月供", "本金",
                                          "利息", "余额", "累计", "提前"};

TEST(XlsLabel, RecordBytes)
{
    std::string stream = "x";
    WriteXlsLabel(stream, 2, 0x0103, "AB");
    EXPECT_EQ(stream, std::string("x\x04\x02\x0a\x00\x03\x01\x02\x00\x00\x00\x02\x00"
                                  "AB",
                                  15));
}

TEST(Worksheet, HeaderOnlyGridLayout)
{
    TextGrid grid = TextGrid::Blank(8, 25);
    std::size_t textBytes = 0;
    for (int column = 0; column < 8; ++column) {
        grid.At(column, 0) = kHeader[static_cast<std::size_t>(column)];
        textBytes += 4; // two GBK characters each
    }
    const auto bytes = WorksheetBytes(grid);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 16u + 6u + 12u * 200u + textBytes);
    EXPECT_EQ(bytes->substr(0, 12),
              std::string("\x09\x08\x08\x00\x00\x00\x10\x00\x00\x00\x00\x00", 12));
    EXPECT_EQ(bytes->substr(12, 6), std::string("\x42\x00\x02\x00\xa8\x03", 6));
    EXPECT_EQ(bytes->substr(bytes->size() - 4), std::string("\x0a\x00\x00\x00", 4));

    const std::vector<Record> records = Records(*bytes);
    ASSERT_EQ(records.size(), 1u + 1u + 200u + 1u);
    std::size_t next = 2;
    for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 25; ++row) {
            const Label label = AsLabel(records[next++]);
            ASSERT_EQ(label.column, column);
            ASSERT_EQ(label.row, row);
            if (row == 0)
                EXPECT_EQ(label.text.size(), 4u) << "column " << column;
            else
                EXPECT_TRUE(label.text.empty()) << "column " << column << " row " << row;
        }
    }
}

TEST(Worksheet, FirstTwoCellsGoDownColumnZero)
{
    TextGrid grid = TextGrid::Blank(2, 2);
    grid.At(0, 0) = "a";
    grid.At(0, 1) = "b";
    grid.At(1, 0) = "c";
    const auto bytes = WorksheetBytes(grid);
    ASSERT_TRUE(bytes.has_value());
    const std::vector<Record> records = Records(*bytes);
    ASSERT_EQ(records.size(), 7u);
    const Label first = AsLabel(records[2]);
    const Label second = AsLabel(records[3]);
    EXPECT_EQ(first.row, 0);
    EXPECT_EQ(first.column, 0);
    EXPECT_EQ(first.text, "a");
    EXPECT_EQ(second.row, 1);
    EXPECT_EQ(second.column, 0);
    EXPECT_EQ(second.text, "b");
}

TEST(Worksheet, ChineseTextIsGbk)
{
    TextGrid grid = TextGrid::Blank(1, 1);
    grid.At(0, 0) = "等额";
    const auto bytes = WorksheetBytes(grid);
    ASSERT_TRUE(bytes.has_value());
    const Label label = AsLabel(Records(*bytes)[2]);
    EXPECT_EQ(label.text, "\xb5\xc8\xb6\xee");
}

struct RefusedCase
{
    const char* name;
    TextGrid grid;
};

class WorksheetRefuses : public testing::TestWithParam<RefusedCase>
{
};

TEST_P(WorksheetRefuses, GridThatCannotBeWritten)
{
    EXPECT_EQ(WorksheetBytes(GetParam().grid), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    WorksheetRefuses,
    testing::Values(RefusedCase{"CharacterOutsideGbk", TextGrid{1, 1, {"\xf0\x9f\x98\x80"}}},
                    RefusedCase{"InvalidUtf8", TextGrid{1, 1, {"\xff"}}},
                    // The record length is 16 bits; a longer text must not wrap it silently.
                    RefusedCase{"TextTooLongForRecord", TextGrid{1, 1, {std::string(65528, 'x')}}},
                    RefusedCase{"TooManyRows", TextGrid::Blank(1, 65537)}),
    [](const testing::TestParamInfo<RefusedCase>& p) { return p.param.name; });

TEST(Worksheet, LongestTextFits)
{
    const auto bytes = WorksheetBytes(TextGrid{1, 1, {std::string(65527, 'x')}});
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(AsLabel(Records(*bytes)[2]).text.size(), 65527u);
}

TEST(Worksheet, ShortCellVectorWritesEmptyCells)
{
    const auto bytes = WorksheetBytes(TextGrid{2, 3, {"a"}});
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 16u + 6u + 12u * 6u + 1u);
}

TEST(WorksheetFile, ReplacesExistingFile)
{
    TempDir dir;
    const std::string path = dir.File("等额本息贷款分期还款表.xls");
    ASSERT_EQ(WriteFileAtomically(path, "old"), std::nullopt);
    const TextGrid grid{2, 1, {"期数", "1"}};
    EXPECT_EQ(WriteWorksheetFile(path, grid), std::nullopt);
    EXPECT_EQ(ReadWholeFile(path), WorksheetBytes(grid));
}

TEST(WorksheetFile, UnwritableTextKeepsOldFile)
{
    TempDir dir;
    const std::string path = dir.File("out.xls");
    ASSERT_EQ(WriteFileAtomically(path, "old"), std::nullopt);
    const auto error = WriteWorksheetFile(path, TextGrid{1, 1, {"\xf0\x9f\x98\x80"}});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_EQ(ReadWholeFile(path), "old");
}

TEST(WorksheetFile, MissingDirectoryNamesFile)
{
    TempDir dir;
    const std::string path = dir.File("absent/out.xls");
    const auto error = WriteWorksheetFile(path, TextGrid::Blank(1, 1));
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(path), std::string::npos) << *error;
}

} // namespace
} // namespace lumavo
