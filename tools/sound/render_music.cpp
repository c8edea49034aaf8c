// One FluidSynth instance plays every score, faster than real time and without an audio driver:
// the notes become timed MIDI events, and the synthesiser is asked for exactly the samples
// between one event and the next.
#include "render_music.h"

#include "notation.h"
#include "ogg_writer.h"
#include "render/asset_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fluidsynth.h>
#include <string>
#include <vector>

namespace {

constexpr const char* SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
// Every piece is brought to the same loudness, so that no track stands out when the game
// switches between them; the quietest peaks leave room for the codec's overshoot.
constexpr double RMS_TARGET = 0.0944; // -20.5 dBFS
constexpr double PEAK_LIMIT = 0.841;  // -1.5 dBFS
// A piece that rings out ends where it has fallen this far below its peak (-60 dB, where the
// reverb is lost under the game's own sounds) ...
constexpr double SILENCE = 1e-3;
// ... and fades over its last moment so that the last sample is exactly zero.
constexpr double END_FADE_SECONDS = 0.25;
// Rendered and thrown away before each piece: the reverb of the one before dies out in it.
constexpr int32_t FLUSH_FRAMES = 3 * SAMPLE_RATE;
constexpr int32_t OGG_SERIAL_BASE = 0x4b530000;

struct Span {
    double startBeat, beats;
    double startSeconds;
    double tempoStart, tempoEnd;
};

struct MidiEvent {
    int64_t frame;
    int32_t on; // note-offs first at the same frame, so a repeated key is struck again
    int32_t channel, key, velocity;
};

// The tempo map: swing first moves the second eighth of each beat, then every section runs at
// its own, smoothly changing tempo.
double secondsAt(const Piece& piece, const std::vector<Span>& spans, double beat)
{
    double whole = std::floor(beat);
    double part = beat - whole;
    double swung = part < 0.5 ? part / 0.5 * piece.swing
                              : piece.swing + (part - 0.5) / 0.5 * (1.0 - piece.swing);
    beat = whole + swung;
    const Span* span = &spans.front();
    for (const Span& s : spans)
        if (beat >= s.startBeat) span = &s;
    double x = beat - span->startBeat;
    double secondsPerBeat = 60.0 / piece.bpm;
    if (x > span->beats) // the tail after the last bar keeps the last tempo
        return secondsAt(piece, spans, span->startBeat + span->beats) +
               (x - span->beats) * secondsPerBeat / span->tempoEnd;
    double a = span->tempoStart, b = span->tempoEnd;
    if (std::fabs(b - a) < 1e-9) return span->startSeconds + x * secondsPerBeat / a;
    return span->startSeconds +
           secondsPerBeat * span->beats / (b - a) * std::log((a + (b - a) * x / span->beats) / a);
}

// Reads the form and every phrase; fills the notes and the tempo map.
bool collectNotes(const Piece& piece, std::vector<NoteEvent>& notes, std::vector<Span>& spans)
{
    const char* path = MUSIC_FILES[piece.musicIndex];
    double beat = 0.0;
    std::string form = piece.form;
    for (size_t at = 0; at < form.size();) {
        size_t end = form.find(' ', at);
        if (end == std::string::npos) end = form.size();
        std::string name = form.substr(at, end - at);
        at = end + 1;
        if (name.empty()) continue;
        const Section* section = nullptr;
        for (const Section& s : piece.sections)
            if (name == s.name) section = &s;
        if (!section) {
            std::fprintf(stderr, "kestrola-sound: %s: no section \"%s\"\n", path, name.c_str());
            return false;
        }
        double beats = section->bars * piece.beatsPerBar;
        std::string where = std::string(path) + ", section " + name;
        for (size_t v = 0; v < piece.voices.size(); ++v) {
            const char* phrase = section->phrases[v];
            if (phrase && !readPhrase(phrase, piece.voices[v], piece.beatsPerBar, beat, beats,
                                      where.c_str(), notes))
                return false;
        }
        spans.push_back({beat, beats, 0.0, section->tempoStart, section->tempoEnd});
        beat += beats;
    }
    if (spans.empty()) return false;
    for (size_t i = 1; i < spans.size(); ++i) {
        std::vector<Span> before(spans.begin(), spans.begin() + static_cast<long>(i));
        spans[i].startSeconds = secondsAt(piece, before, spans[i].startBeat);
    }
    return true;
}

std::vector<MidiEvent> scheduleEvents(const Piece& piece, std::vector<NoteEvent> notes,
                                      const std::vector<Span>& spans)
{
    // A little life in the loudness, the same in every build.
    uint32_t seed = 12345u + static_cast<uint32_t>(piece.musicIndex);
    for (NoteEvent& note : notes) {
        seed = seed * 1103515245u + 12345u;
        note.velocity =
            std::clamp(note.velocity + static_cast<int32_t>((seed >> 16) % 7) - 3, 1, 127);
    }
    // A note-off would also silence a later strike of the same key on the same channel, so
    // each note ends at the latest where the next one of its key begins.
    std::stable_sort(notes.begin(), notes.end(), [](const NoteEvent& a, const NoteEvent& b) {
        if (a.channel != b.channel) return a.channel < b.channel;
        if (a.key != b.key) return a.key < b.key;
        return a.beat < b.beat;
    });
    std::vector<MidiEvent> events;
    for (size_t i = 0; i < notes.size(); ++i) {
        const NoteEvent& note = notes[i];
        double end = note.beat + note.length;
        if (i + 1 < notes.size() && notes[i + 1].channel == note.channel &&
            notes[i + 1].key == note.key)
            end = std::min(end, notes[i + 1].beat);
        int64_t on = std::llround(secondsAt(piece, spans, note.beat) * SAMPLE_RATE);
        int64_t off = std::llround(secondsAt(piece, spans, end) * SAMPLE_RATE);
        if (off <= on) continue; // a doubled strike of one key: the other one sounds
        events.push_back({on, 1, note.channel, note.key, note.velocity});
        events.push_back({off, 0, note.channel, note.key, 0});
    }
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.on < b.on;
    });
    return events;
}

void renderFrames(fluid_synth_t* synth, StereoBuffer& audio, size_t from, size_t to)
{
    if (to > from)
        fluid_synth_write_float(synth, static_cast<int>(to - from), audio.left.data() + from, 0, 1,
                                audio.right.data() + from, 0, 1);
}

void setUpBand(fluid_synth_t* synth, const Piece& piece)
{
    fluid_synth_system_reset(synth);
    StereoBuffer flush{std::vector<float>(FLUSH_FRAMES), std::vector<float>(FLUSH_FRAMES)};
    renderFrames(synth, flush, 0, FLUSH_FRAMES);
    for (const Voice& voice : piece.voices) {
        if (voice.channel != DRUM_CHANNEL) fluid_synth_bank_select(synth, voice.channel, 0);
        fluid_synth_program_change(synth, voice.channel, voice.program);
        fluid_synth_cc(synth, voice.channel, 7, voice.volume);
        fluid_synth_cc(synth, voice.channel, 10, voice.pan);
        fluid_synth_cc(synth, voice.channel, 11, 127);
        fluid_synth_cc(synth, voice.channel, 91, voice.reverb);
        fluid_synth_cc(synth, voice.channel, 93, 0);
    }
}

// Some soundfont samples carry a small constant offset; a gentle high-pass at 10 Hz takes it out
// without touching the bass. A loop's filter starts in the state its own end leaves it in, so
// the wrap stays seamless.
void removeOffset(StereoBuffer& audio, bool loops)
{
    const double keep = 1.0 - 2.0 * M_PI * 10.0 / SAMPLE_RATE;
    for (std::vector<float>* plane : {&audio.left, &audio.right}) {
        double previousIn = 0.0, previousOut = 0.0;
        for (int32_t pass = loops ? 0 : 1; pass < 2; ++pass) {
            for (float& sample : *plane) {
                double out = sample - previousIn + keep * previousOut;
                previousIn = sample;
                previousOut = out;
                if (pass == 1) sample = static_cast<float>(out);
            }
        }
    }
}

// Lays the ring of a looping piece over its start, or lets a closing piece end in silence.
void shapeEnding(const Piece& piece, StereoBuffer& audio, size_t bodyFrames)
{
    size_t total = audio.left.size();
    if (piece.loops) {
        for (size_t i = bodyFrames; i < total; ++i) {
            audio.left[i - bodyFrames] += audio.left[i];
            audio.right[i - bodyFrames] += audio.right[i];
        }
        audio.left.resize(bodyFrames);
        audio.right.resize(bodyFrames);
        return;
    }
    float peak = 0.0f;
    for (size_t i = 0; i < total; ++i)
        peak = std::max({peak, std::fabs(audio.left[i]), std::fabs(audio.right[i])});
    size_t last = total;
    while (last > bodyFrames && std::fabs(audio.left[last - 1]) < peak * SILENCE &&
           std::fabs(audio.right[last - 1]) < peak * SILENCE)
        --last;
    size_t fade = static_cast<size_t>(END_FADE_SECONDS * SAMPLE_RATE);
    last = std::min(total, std::max(last, bodyFrames) + fade / 2);
    audio.left.resize(last);
    audio.right.resize(last);
    for (size_t i = 0; i < fade && i < last; ++i) {
        double gain = 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(i) / fade);
        audio.left[last - 1 - i] *= static_cast<float>(gain);
        audio.right[last - 1 - i] *= static_cast<float>(gain);
    }
}

// Scales the piece to RMS_TARGET, or less where its loudest sample would pass PEAK_LIMIT.
void normalise(StereoBuffer& audio)
{
    float peak = 0.0f;
    double power = 0.0;
    for (size_t i = 0; i < audio.left.size(); ++i) {
        peak = std::max({peak, std::fabs(audio.left[i]), std::fabs(audio.right[i])});
        power += double(audio.left[i]) * audio.left[i] + double(audio.right[i]) * audio.right[i];
    }
    if (peak <= 0.0f) return;
    double rms = std::sqrt(power / (2.0 * static_cast<double>(audio.left.size())));
    float gain = static_cast<float>(std::min(RMS_TARGET / rms, PEAK_LIMIT / peak));
    for (float& s : audio.left) s *= gain;
    for (float& s : audio.right) s *= gain;
}

bool renderPiece(fluid_synth_t* synth, const Piece& piece, const char* outDir, float quality)
{
    const char* path = MUSIC_FILES[piece.musicIndex];
    std::vector<NoteEvent> notes;
    std::vector<Span> spans;
    if (!collectNotes(piece, notes, spans)) return false;
    std::vector<MidiEvent> events = scheduleEvents(piece, notes, spans);
    const Span& lastSpan = spans.back();
    size_t bodyFrames = static_cast<size_t>(
        std::llround(secondsAt(piece, spans, lastSpan.startBeat + lastSpan.beats) * SAMPLE_RATE));
    size_t totalFrames = bodyFrames + static_cast<size_t>(piece.tailSeconds * SAMPLE_RATE);

    setUpBand(synth, piece);
    StereoBuffer audio{std::vector<float>(totalFrames), std::vector<float>(totalFrames)};
    size_t done = 0;
    for (const MidiEvent& event : events) {
        size_t frame = std::min(static_cast<size_t>(event.frame), totalFrames);
        renderFrames(synth, audio, done, frame);
        done = std::max(done, frame);
        if (event.on)
            fluid_synth_noteon(synth, event.channel, event.key, event.velocity);
        else
            fluid_synth_noteoff(synth, event.channel, event.key);
    }
    renderFrames(synth, audio, done, totalFrames);
    fluid_synth_all_notes_off(synth, -1);

    if (piece.loops) {
        shapeEnding(piece, audio, bodyFrames);
        removeOffset(audio, true);
    } else {
        removeOffset(audio, false);
        shapeEnding(piece, audio, bodyFrames);
    }
    normalise(audio);
    double seconds = static_cast<double>(audio.left.size()) / SAMPLE_RATE;
    if (seconds < piece.minSeconds || seconds > piece.maxSeconds) {
        std::fprintf(stderr, "kestrola-sound: %s lasts %.3f s, it must last %.1f to %.1f s\n", path,
                     seconds, piece.minSeconds, piece.maxSeconds);
        return false;
    }
    std::string file = std::string(outDir) + "/" + path;
    if (!writeOgg(file.c_str(), audio, OGG_SERIAL_BASE + piece.musicIndex, quality)) return false;
    std::printf("%-20s %7.3f s  %5zu notes  %s\n", path, seconds, events.size() / 2,
                piece.character);
    return true;
}

} // namespace

bool renderMusic(std::span<const Piece* const> pieces, const char* outDir, float quality)
{
    // No chatter on the build log: only errors get through.
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", SAMPLE_RATE);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setnum(settings, "synth.reverb.room-size", 0.45);
    fluid_settings_setnum(settings, "synth.reverb.damp", 0.45);
    fluid_settings_setnum(settings, "synth.reverb.width", 0.8);
    fluid_settings_setnum(settings, "synth.reverb.level", 0.55);
    fluid_settings_setnum(settings, "synth.gain", 0.4);
    fluid_synth_t* synth = new_fluid_synth(settings);
    bool ok = synth && fluid_synth_sfload(synth, SOUNDFONT, 1) != FLUID_FAILED;
    if (!ok)
        std::fprintf(stderr, "kestrola-sound: cannot load %s (Debian: fluid-soundfont-gm)\n",
                     SOUNDFONT);
    for (const Piece* piece : pieces) ok = ok && renderPiece(synth, *piece, outDir, quality);
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return ok;
}
