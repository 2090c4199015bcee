#include "audio/tune_render_process.h"

#include "audio/tune_renderer.h"
#include "core/music/rendered_loop.h"

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// How often the reader looks at the cancel flag while the helper works.
constexpr int PollMs = 50;
// A background tune is tens of kilobytes; the device reads no more than this.
constexpr qint64 MaxMidiBytes = 4 * 1024 * 1024;

// A file descriptor closed with its owner.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

QByteArray readInput(int fd)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || bytes.size() + got > MaxMidiBytes)
            return got == 0 ? bytes : QByteArray();
        bytes.append(buffer, got);
    }
}

// The tune in a memory file, to be the helper's standard input.
Fd tuneFile(const QByteArray& midi)
{
    Fd file(memfd_create("hopnix-tune", MFD_CLOEXEC));
    if (!file.isOpen() || !writeAll(file.get(), midi.constData(), midi.size()) || lseek(file.get(), 0, SEEK_SET) != 0)
        return Fd();
    return file;
}

pid_t spawnHelper(const QString& program, const QString& soundfont, qint64 loopFrames, int input, int output)
{
    const Fd null(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    // Whatever the libraries would print goes nowhere.
    if (null.isOpen())
        posix_spawn_file_actions_adddup2(&actions, null.get(), STDERR_FILENO);
    QByteArray path = program.toLocal8Bit();
    QByteArray flag = TuneRenderProcess::HelperFlag;
    QByteArray font = soundfont.toLocal8Bit();
    QByteArray frames = QByteArray::number(loopFrames);
    char* argv[] = {path.data(), flag.data(), font.data(), frames.data(), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// Reads the pass and then the tail into the loop; the tail's length in frames, or -1.
qint64 receive(int fd, RenderedLoop& loop, const std::atomic<bool>& cancel, const std::function<void()>& firstFrames)
{
    char* const pass = reinterpret_cast<char*>(loop.pass());
    char* const tail = reinterpret_cast<char*>(loop.tail());
    const qint64 passBytes = loop.loopFrames() * RenderedLoop::BytesPerFrame;
    // One byte more than the tail can hold, to notice a helper that sends too much.
    const qint64 tailRoom = loop.tailCapacity() * RenderedLoop::BytesPerFrame;
    std::vector<char> tailBuffer(static_cast<size_t>(tailRoom + 1));
    qint64 got = 0;
    qint64 tailGot = 0;
    while (!cancel.load()) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, PollMs) <= 0)
            continue;
        const bool inPass = got < passBytes;
        char* to = inPass ? pass + got : tailBuffer.data() + tailGot;
        const qint64 room = inPass ? passBytes - got : tailRoom + 1 - tailGot;
        const ssize_t n = ::read(fd, to, static_cast<size_t>(room));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0 || got < passBytes || tailGot > tailRoom || tailGot % RenderedLoop::BytesPerFrame != 0)
                return -1;
            std::memcpy(tail, tailBuffer.data(), static_cast<size_t>(tailGot));
            return tailGot / RenderedLoop::BytesPerFrame;
        }
        if (!inPass) {
            tailGot += n;
            continue;
        }
        const bool first = got < RenderedLoop::BytesPerFrame;
        got += n;
        loop.publish(got / RenderedLoop::BytesPerFrame);
        if (first && got >= RenderedLoop::BytesPerFrame && firstFrames)
            firstFrames();
    }
    return -1;
}
} // namespace

bool TuneRenderProcess::isHelper(int argc, char** argv)
{
    return argc == 4 && std::strcmp(argv[1], HelperFlag) == 0;
}

int TuneRenderProcess::runHelper(int argc, char** argv)
{
    if (!isHelper(argc, argv))
        return 2;
    // A game that is killed takes its helper with it rather than leaving it rendering for nobody.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    bool ok = false;
    const qint64 loopFrames = QByteArray(argv[3]).toLongLong(&ok);
    const QByteArray midi = readInput(STDIN_FILENO);
    if (!ok || loopFrames <= 0 || midi.isEmpty())
        return 1;
    const auto toOutput = [](const qint16* frames, qint64 count) {
        return writeAll(STDOUT_FILENO, reinterpret_cast<const char*>(frames), count * RenderedLoop::BytesPerFrame);
    };
    const std::optional<std::vector<qint16>> tail =
        TuneRenderer::render(QString::fromLocal8Bit(argv[2]), midi, loopFrames, toOutput);
    if (!tail)
        return 1;
    const qint64 tailBytes = static_cast<qint64>(tail->size() * sizeof(qint16));
    return writeAll(STDOUT_FILENO, reinterpret_cast<const char*>(tail->data()), tailBytes) ? 0 : 1;
}

bool TuneRenderProcess::render(const QString& program, const QString& soundfont, const QByteArray& midi,
    RenderedLoop& loop, const std::atomic<bool>& cancel, const std::function<void()>& firstFrames)
{
    loop.allocate();
    const Fd input = tuneFile(midi);
    int ends[2];
    if (!input.isOpen() || pipe2(ends, O_CLOEXEC) != 0)
        return false;
    const Fd fromHelper(ends[0]);
    Fd toGame(ends[1]);
    const pid_t pid = spawnHelper(program, soundfont, loop.loopFrames(), input.get(), toGame.get());
    // Only the helper writes now, so the end of its output is seen when it exits.
    toGame.reset();
    if (pid < 0)
        return false;
    const qint64 tailFrames = receive(fromHelper.get(), loop, cancel, firstFrames);
    if (tailFrames < 0)
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (tailFrames < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    loop.finish(tailFrames);
    return true;
}
