#include "common/atomic_file.h"

#include "common/messages.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumavo {

namespace {

std::string Reason(const std::string& path)
{
    return path + ": " + std::strerror(errno);
}

mode_t ModeFor(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

WriteCall g_writeCall = ::write;

} // namespace

ScopedWriteCall::ScopedWriteCall(WriteCall call) : m_previous(g_writeCall)
{
    g_writeCall = call;
}

ScopedWriteCall::~ScopedWriteCall()
{
    g_writeCall = m_previous;
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    std::vector<char> name(path.begin(), path.end());
    const std::string suffix = ".tmp-XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return Reason(path);
    const std::string tempName = name.data();

    auto fail = [&](const std::string& reason) {
        ::close(fd);
        ::unlink(tempName.c_str());
        return std::optional<std::string>(reason);
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = g_writeCall(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(Reason(path));
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, ModeFor(path)) != 0 || ::fsync(fd) != 0)
        return fail(Reason(path));
    if (::close(fd) != 0) {
        const std::string reason = Reason(path);
        ::unlink(tempName.c_str());
        return reason;
    }
    if (::rename(tempName.c_str(), path.c_str()) != 0) {
        const std::string reason = Reason(path);
        ::unlink(tempName.c_str());
        return reason;
    }
    return std::nullopt;
}

std::optional<std::string>
ReadWholeFile(const std::string& path, std::string* error, std::size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = Reason(path);
        return std::nullopt;
    }
    const auto tooLarge = [&] {
        if (error)
            *error = path + ": " + msg::FileTooLarge(maxBytes);
        ::close(fd);
        return std::nullopt;
    };
    struct stat info;
    if (::fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) > maxBytes)
        return tooLarge();
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (error)
                *error = Reason(path);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        // A pipe or a device has no size to look at first.
        if (content.size() + static_cast<std::size_t>(n) > maxBytes)
            return tooLarge();
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

std::string ProgramDirectory()
{
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return "./";
    std::string path(buffer.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

} // namespace lumavo
