#include "audio/renderer/tune_render_helper.h"

#include "audio/renderer/tune_renderer.h"
#include "core/files/file_descriptor.h"
#include "core/music/music_loop.h"
#include "core/music/rendered_loop.h"

#include <QByteArray>
#include <QString>

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

namespace {
bool toOutput(const qint16* frames, qint64 count)
{
    return FileDescriptor::writeAll(STDOUT_FILENO, reinterpret_cast<const char*>(frames),
        count * RenderedLoop::BytesPerFrame);
}
} // namespace

int TuneRenderHelper::run(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    // A game that is killed takes its renderer with it rather than leaving it rendering for nobody.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    bool ok = false;
    const qint64 loopFrames = QByteArray(argv[2]).toLongLong(&ok);
    const QByteArray midi = FileDescriptor::readAll(STDIN_FILENO, MusicLoop::MaxTuneBytes);
    if (!ok || loopFrames <= 0 || midi.isEmpty())
        return 1;
    const std::optional<std::vector<qint16>> tail =
        TuneRenderer::render(QString::fromLocal8Bit(argv[1]), midi, loopFrames, toOutput);
    if (!tail)
        return 1;
    return toOutput(tail->data(), static_cast<qint64>(tail->size()) / RenderedLoop::Channels) ? 0 : 1;
}
