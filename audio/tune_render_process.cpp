#include "audio/tune_render_process.h"

#include "core/files/file_descriptor.h"
#include "core/music/rendered_loop.h"

#include <QDir>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// How often the reader looks at the cancel flag while the helper works.
constexpr int PollMs = 50;
// A pipe's worth at most per read.
constexpr size_t ReadBytes = 65536;

// The tune in a memory file, to be the helper's standard input.
FileDescriptor tuneFile(const QByteArray& midi)
{
    FileDescriptor file(memfd_create("hopnix-tune", MFD_CLOEXEC));
    if (!file.isOpen() || !FileDescriptor::writeAll(file.get(), midi.constData(), midi.size())
        || lseek(file.get(), 0, SEEK_SET) != 0)
        return FileDescriptor();
    return file;
}

pid_t spawnHelper(const QString& program, const QString& soundfont, qint64 loopFrames, int input, int output)
{
    const FileDescriptor null(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    // Whatever the libraries would print goes nowhere.
    if (null.isOpen())
        posix_spawn_file_actions_adddup2(&actions, null.get(), STDERR_FILENO);
    QByteArray path = program.toLocal8Bit();
    QByteArray font = soundfont.toLocal8Bit();
    QByteArray frames = QByteArray::number(loopFrames);
    char* argv[] = {path.data(), font.data(), frames.data(), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// Takes the pass and then the tail into the loop as they come, to the end of the helper's output; false when
// it sends too much or the loop's file fails, or when cancelled.
bool receive(int fd, RenderedLoop& loop, const std::atomic<bool>& cancel, const std::function<void()>& firstFrames)
{
    std::vector<char> buffer(ReadBytes);
    bool announced = false;
    while (!cancel.load()) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, PollMs) <= 0)
            continue;
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            return true;
        if (n < 0 || !loop.append(buffer.data(), n))
            return false;
        if (!announced && loop.readyFrames() > 0 && firstFrames) {
            announced = true;
            firstFrames();
        }
    }
    return false;
}
} // namespace

bool TuneRenderProcess::render(const QString& program, const QString& soundfont, const QByteArray& midi,
    RenderedLoop& loop, const std::atomic<bool>& cancel, const std::function<void()>& firstFrames)
{
    const FileDescriptor input = tuneFile(midi);
    int ends[2];
    if (!input.isOpen() || !loop.open(QDir::tempPath()) || pipe2(ends, O_CLOEXEC) != 0)
        return false;
    const FileDescriptor fromHelper(ends[0]);
    FileDescriptor toGame(ends[1]);
    const pid_t pid = spawnHelper(program, soundfont, loop.loopFrames(), input.get(), toGame.get());
    // Only the helper writes now, so the end of its output is seen when it exits.
    toGame.reset();
    if (pid < 0)
        return false;
    const bool received = receive(fromHelper.get(), loop, cancel, firstFrames);
    if (!received)
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    // The tail counts only from a helper that says it finished.
    return received && WIFEXITED(status) && WEXITSTATUS(status) == 0 && loop.finish();
}
