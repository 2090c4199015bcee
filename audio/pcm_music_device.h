#pragma once

#include "core/music/music_device.h"
#include "audio/pcm_output.h"
#include "audio/pull_stream.h"
#include "audio/tune_render_process.h"
#include "core/music/loop_playhead.h"

#include <QStringList>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

class RenderedLoop;

// The background tune rendered once and played as sampled sound. open() returns at once: a helper process
// renders the tune with FluidSynth while a thread here takes in what it sends; the tune plays as soon as its
// first moments are there, and the synthesizer and its soundfont go with the helper. The stream runs on from
// the loop point into the start by itself, so the game's "prev" and "play" there restart the tune without a
// break. Without the file, a soundfont or an audio output every command does nothing and the position reads 0.
class PcmMusicDevice : public MusicDevice {
    Q_OBJECT
public:
    // Status updates come this often while the tune plays, and only then.
    static constexpr int StatusIntervalMs = 250;

    // renderProgram: the tune renderer program (TuneRenderProcess::ProgramName in the game's directory).
    explicit PcmMusicDevice(QString renderProgram, QObject* parent = nullptr);
    // soundfontSearch: soundfont files and directories tried in order; a directory offers its first *.sf2.
    PcmMusicDevice(std::unique_ptr<PcmOutput> output, QStringList soundfontSearch, QString renderProgram,
        QObject* parent = nullptr);
    ~PcmMusicDevice() override;

    void open(const QString& path) override;
    void play() override;
    void stop() override;
    void prev() override;
    qint64 position() const override;
    bool atEnd() const override;

    // For tests: blocks until the rendering started by open() has finished; true when the whole tune is there.
    bool waitUntilRendered();

private:
    enum class OutputState { Closed, Playing, Suspended };

    void close();
    void startOutput();
    void onFirstFrames();
    void onRenderingDone(const std::shared_ptr<RenderedLoop>& loop, bool rendered);
    void onStatusTimer();
    void updateStatusTimer();
    // Counts what the output has played since last asked.
    void refresh() const;
    qint64 readFrames(char* data, qint64 maxBytes);

    const QStringList soundfontSearch_;
    const QString renderProgram_;
    QTimer statusTimer_;
    PullStream stream_;
    // Pulls from stream_, so it goes first.
    std::unique_ptr<PcmOutput> output_;
    OutputState outputState_ = OutputState::Closed;
    // Shared with the rendering thread, which writes it while the output already reads what is ready.
    std::shared_ptr<RenderedLoop> loop_;
    mutable std::optional<LoopPlayhead> playhead_;
    std::thread renderer_;
    std::atomic<bool> cancel_ = false;
    std::atomic<bool> rendered_ = false;
    bool wantPlaying_ = false;
};
