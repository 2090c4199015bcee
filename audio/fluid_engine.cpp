#include "audio/fluid_engine.h"

#include "audio/fluid_tune_settings.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <mutex>

namespace {
// libasound reports through a C variadic handler.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void ignoreGlibLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// The PulseAudio server is the usual desktop route; plain ALSA serves where there is none.
constexpr const char* DriverNames[] = {"pulseaudio", "alsa"};
} // namespace

void FluidEngine::silenceLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        FluidTuneSettings::silenceLog();
        snd_lib_error_set_handler(ignoreAlsaError);
        // FluidSynth hands a file its own loader rejects to libinstpatch, which logs a damaged soundfont's
        // failed assertions through GLib's default domain.
        g_log_set_handler(nullptr,
            static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE
                | G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG),
            ignoreGlibLog, nullptr);
    });
}

std::unique_ptr<FluidEngine> FluidEngine::create(const QString& soundfont, const QByteArray& midi, Output output)
{
    silenceLibraries();
    std::unique_ptr<FluidEngine> engine(new FluidEngine);
    if (!engine->load(soundfont, midi, output))
        return nullptr;
    return engine;
}

bool FluidEngine::load(const QString& soundfont, const QByteArray& midi, Output output)
{
    settings_ = FluidTuneSettings::create();
    if (settings_ == nullptr)
        return false;
    // Large audio periods: a background tune needs no low latency, and each period wakes the audio thread.
    fluid_settings_setint(settings_, "audio.period-size", 2048);
    fluid_settings_setint(settings_, "audio.periods", 2);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr)
        return false;
    player_ = FluidTuneSettings::loadTune(synth_, soundfont, midi);
    if (player_ == nullptr)
        return false;
    fluid_player_set_tick_callback(player_, &FluidEngine::onTick, this);
    if (output == Output::Offline)
        return true;
    // Opened once to learn that there is an output at all, then closed until the tune plays:
    // an open driver renders silence all the time.
    if (!openDriver())
        return false;
    closeDriver();
    usesDriver_ = true;
    return true;
}

bool FluidEngine::openDriver()
{
    for (const char* name : DriverNames) {
        fluid_settings_setstr(settings_, "audio.driver", name);
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_ != nullptr)
            return true;
    }
    return false;
}

void FluidEngine::closeDriver()
{
    if (driver_ != nullptr)
        delete_fluid_audio_driver(driver_);
    driver_ = nullptr;
}

FluidEngine::~FluidEngine()
{
    // The driver's thread renders through the player, so it goes first.
    closeDriver();
    if (player_ != nullptr)
        delete_fluid_player(player_);
    if (synth_ != nullptr)
        delete_fluid_synth(synth_);
    if (settings_ != nullptr)
        delete_fluid_settings(settings_);
}

void FluidEngine::play()
{
    playing_ = true;
    fluid_player_play(player_);
    if (usesDriver_ && driver_ == nullptr)
        openDriver();
}

void FluidEngine::stop()
{
    playing_ = false;
    fluid_player_stop(player_);
    // The player keeps its tick while nothing renders, so the next play goes on from here.
    closeDriver();
}

void FluidEngine::rewind()
{
    const int from = fluid_player_get_current_tick(player_);
    if (from > 0) {
        rewindFromTick_.store(from);
        rewindPending_.store(true);
    }
    fluid_player_seek(player_, 0);
}

int FluidEngine::currentTick() const
{
    return rewindPending_.load() ? 0 : fluid_player_get_current_tick(player_);
}

bool FluidEngine::atEnd() const
{
    // A stopped player reports DONE too, hence the own notion of playing.
    return playing_ && !rewindPending_.load() && fluid_player_get_status(player_) == FLUID_PLAYER_DONE;
}

std::vector<float> FluidEngine::render(int frames)
{
    std::vector<float> samples(static_cast<size_t>(frames) * 2);
    if (!usesDriver_)
        fluid_synth_write_float(synth_, frames, samples.data(), 0, 2, samples.data(), 1, 2);
    return samples;
}

int FluidEngine::onTick(void* data, int tick)
{
    auto* engine = static_cast<FluidEngine*>(data);
    // Ticks only grow while playing on, so an earlier one means the seek to the start has been made.
    if (engine->rewindPending_.load() && tick < engine->rewindFromTick_.load())
        engine->rewindPending_.store(false);
    return FLUID_OK;
}
