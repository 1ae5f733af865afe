#include "language/readfile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

TReadResult ReadWholeFile(const std::string& Path, std::string& Bytes, std::string& Why,
                          const std::function<bool(std::size_t)>& Stopped)
{
    // Opened without waiting: opening a FIFO waits for a writer, which may never come.
    const bool Input = Path == "-";
    const int Fd = Input ? STDIN_FILENO : open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (Fd < 0) {
        Why = std::strerror(errno);
        return TReadResult::Failed;
    }
    TReadResult Result = TReadResult::Read;
    struct stat Info {};
    if (fstat(Fd, &Info) == 0 && S_ISDIR(Info.st_mode)) {
        Why = std::strerror(EISDIR);
        Result = TReadResult::Failed;
    }
    std::array<char, 1 << 16> Buffer{};
    while (Result == TReadResult::Read) {
        if (Stopped && Stopped(Bytes.size())) {
            Result = TReadResult::Stopped;
            break;
        }
        // Only a descriptor that is ready is read: a read then does not wait.
        pollfd Ready{Fd, POLLIN, 0};
        const int Polled = poll(&Ready, 1, 100);
        if (Polled < 0 && errno != EINTR) {
            Why = std::strerror(errno);
            Result = TReadResult::Failed;
        }
        if (Polled <= 0)
            continue;
        const ssize_t N = read(Fd, Buffer.data(), Buffer.size());
        if (N > 0)
            Bytes.append(Buffer.data(), static_cast<std::size_t>(N));
        else if (N == 0)
            break;
        else if (errno != EINTR && errno != EAGAIN) {
            Why = std::strerror(errno);
            Result = TReadResult::Failed;
        }
    }
    if (!Input)
        close(Fd);
    return Result;
}
