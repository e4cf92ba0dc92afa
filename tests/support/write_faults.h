#pragma once

// Faults every file writer must survive: the writer reports failure, the previous file keeps
// every byte, and nothing partial or temporary is left beside it. Each layer instantiates the
// suite with its writers; include this header from one test file per test executable.
#include "common/atomic_file.h"
#include "tests/support/file_rights.h"
#include "tests/support/full_disk.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace lumavo::testing_support {

struct WriterCase
{
    const char* name;
    std::string fileName;
    std::string previous; // the file's bytes before the write
    // Writes content that differs from previous and exceeds kFreeBytes; the error or nullopt.
    std::function<std::optional<std::string>(const std::string& path)> write;
};

inline void PrintTo(const WriterCase& writer, std::ostream* os)
{
    *os << writer.name;
}

enum class WriteFault
{
    ReadOnlyFolder,
    TargetIsFolder,
    TmpfsFillsUp,
    WriteFailsMidway,
};

// Room left on the small disks, less than every writer's content.
inline constexpr std::size_t kFreeBytes = 8192;

inline const char* FaultName(WriteFault fault)
{
    switch (fault) {
    case WriteFault::ReadOnlyFolder:
        return "ReadOnlyFolder";
    case WriteFault::TargetIsFolder:
        return "TargetIsFolder";
    case WriteFault::TmpfsFillsUp:
        return "TmpfsFillsUp";
    case WriteFault::WriteFailsMidway:
        return "WriteFailsMidway";
    }
    return "";
}

inline void PrintTo(WriteFault fault, std::ostream* os)
{
    *os << FaultName(fault);
}

// A disk of 64 KiB of which only kFreeBytes are left, unmounted on destruction. Needs the right
// to mount, which root in a container may lack.
class SmallDisk
{
  public:
    explicit SmallDisk(const std::filesystem::path& where) : m_where(where)
    {
        std::filesystem::create_directory(m_where);
        if (::mount("tmpfs", m_where.c_str(), "tmpfs", 0, "size=64k") != 0)
            m_reason = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        else
            m_mounted = true;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_where.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Reason() const { return m_reason; }

    // Fills the disk to the last byte, then frees kFreeBytes, so the next write stops midway.
    void Fill()
    {
        const std::string filler = (m_where / "filler").string();
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'x');
        off_t size = 0;
        for (;;) {
            const ssize_t n = ::write(fd, block.data(), block.size());
            if (n <= 0)
                break;
            size += n;
        }
        ASSERT_GE(size, static_cast<off_t>(kFreeBytes));
        ASSERT_EQ(::ftruncate(fd, size - static_cast<off_t>(kFreeBytes)), 0);
        ::close(fd);
    }

  private:
    std::filesystem::path m_where;
    bool m_mounted = false;
    std::string m_reason;
};

// A user whose rights override folder permissions writes anyway; a probe file tells.
inline bool FolderRefusesWrites(const std::filesystem::path& folder)
{
    const std::filesystem::path probe = folder / "probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return true;
    ::close(fd);
    ::unlink(probe.c_str());
    return false;
}

class WriteFaults : public testing::TestWithParam<std::tuple<WriterCase, WriteFault>>
{
};

TEST_P(WriteFaults, KeepPreviousFileAndLeaveNothingBehind)
{
    const auto& [writer, fault] = GetParam();
    TempDir dir;
    std::filesystem::path folder = dir.Dir();
    std::optional<SmallDisk> disk;
    if (fault == WriteFault::TmpfsFillsUp) {
        disk.emplace(dir.Dir() / "disk");
        if (!disk->Mounted())
            GTEST_SKIP() << disk->Reason() << "; WriteFailsMidway covers a full disk";
        folder = dir.Dir() / "disk" / "files";
        std::filesystem::create_directory(folder);
    }
    const std::filesystem::path target = folder / writer.fileName;
    if (fault == WriteFault::TargetIsFolder) {
        std::filesystem::create_directory(target);
        std::ofstream(target / "inside", std::ios::binary) << writer.previous;
    } else {
        ASSERT_EQ(WriteFileAtomically(target.string(), writer.previous), std::nullopt);
    }
    const std::set<std::string> before = Listing(folder);

    std::optional<std::string> error;
    switch (fault) {
    case WriteFault::ReadOnlyFolder: {
        ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
        {
            const WithoutFileOverride asPlainUser;
            if (!FolderRefusesWrites(folder)) {
                ::chmod(folder.c_str(), 0700);
                GTEST_SKIP() << "folder permissions do not bind this user; "
                                "WriteFailsMidway covers a failed write";
            }
            error = writer.write(target.string());
        }
        ::chmod(folder.c_str(), 0700);
        break;
    }
    case WriteFault::TmpfsFillsUp:
        disk->Fill();
        if (HasFatalFailure())
            return;
        error = writer.write(target.string());
        break;
    case WriteFault::WriteFailsMidway: {
        g_diskRoom = 1000;
        const ScopedWriteCall fullDisk(FullDiskWrite);
        error = writer.write(target.string());
        break;
    }
    case WriteFault::TargetIsFolder:
        error = writer.write(target.string());
        break;
    }

    ASSERT_TRUE(error.has_value()) << "the write was reported as done";
    EXPECT_FALSE(error->empty());
    if (fault == WriteFault::TmpfsFillsUp || fault == WriteFault::WriteFailsMidway) {
        EXPECT_NE(error->find(std::strerror(ENOSPC)), std::string::npos) << *error;
    }
    if (fault == WriteFault::TargetIsFolder) {
        EXPECT_TRUE(std::filesystem::is_directory(target));
        EXPECT_EQ(ReadWholeFile((target / "inside").string()), writer.previous);
    } else {
        EXPECT_EQ(ReadWholeFile(target.string()), writer.previous);
    }
    EXPECT_EQ(Listing(folder), before);
}

inline std::string
WriteFaultName(const testing::TestParamInfo<std::tuple<WriterCase, WriteFault>>& info)
{
    return std::string(std::get<0>(info.param).name) + "_" + FaultName(std::get<1>(info.param));
}

inline auto AllWriteFaults()
{
    return testing::Values(WriteFault::ReadOnlyFolder, WriteFault::TargetIsFolder,
                           WriteFault::TmpfsFillsUp, WriteFault::WriteFailsMidway);
}

} // namespace lumavo::testing_support
