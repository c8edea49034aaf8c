// Reads the phrase notation described in score.h. Every mistake in a score is reported with the
// piece, the section and the token, and stops the generator: a wrong bar would otherwise only
// be heard, never seen.
#include "notation.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr double EPSILON = 1e-6;

struct ChordQuality {
    const char* name;
    int32_t count;
    int32_t intervals[5]; // semitones above the root; only the pitch classes matter
};

// The ninths and the thirteenth leave out the root (and the fifth where it crowds): the bass
// plays the root, and a close voicing of five notes within one octave would be a cluster.
// clang-format off
constexpr ChordQuality CHORD_QUALITIES[] = {
    {"",      3, {0, 4, 7}},
    {"m",     3, {0, 3, 7}},
    {"6",     4, {0, 4, 7, 9}},
    {"m6",    4, {0, 3, 7, 9}},
    {"7",     4, {0, 4, 7, 10}},
    {"maj7",  4, {0, 4, 7, 11}},
    {"m7",    4, {0, 3, 7, 10}},
    {"m7b5",  4, {0, 3, 6, 10}},
    {"dim",   3, {0, 3, 6}},
    {"dim7",  4, {0, 3, 6, 9}},
    {"aug",   3, {0, 4, 8}},
    {"sus4",  3, {0, 5, 7}},
    {"7sus4", 4, {0, 5, 7, 10}},
    {"add9",  4, {0, 4, 7, 14}},
    {"69",    4, {4, 7, 9, 14}},
    {"9",     4, {4, 7, 10, 14}},
    {"maj9",  4, {4, 7, 11, 14}},
    {"m9",    4, {3, 7, 10, 14}},
    {"7b9",   4, {4, 7, 10, 13}},
    {"13",    4, {4, 10, 14, 21}},
};

struct DrumName {
    const char* name;
    int32_t key;
};

constexpr DrumName DRUM_NAMES[] = {
    {"kick2", 35},   {"kick", 36},      {"rim", 37},      {"snare", 38},    {"clap", 39},
    {"snare2", 40},  {"tomfloor", 41},  {"hat", 42},      {"tomlo", 45},    {"pedal", 44},
    {"open", 46},    {"tommid", 47},    {"crash", 49},    {"tomhi", 50},    {"ride", 51},
    {"bell", 53},    {"tamb", 54},      {"splash", 55},   {"cowbell", 56},  {"crash2", 57},
    {"vibraslap", 58}, {"bongohi", 60}, {"bongolo", 61},  {"conga", 63},    {"congalo", 64},
    {"cabasa", 69},  {"shaker", 70},    {"claves", 75},   {"woodhi", 76},   {"woodlo", 77},
    {"mutetri", 80}, {"triangle", 81},
};

struct Dynamic {
    const char* mark;
    int32_t offset;
};

constexpr Dynamic DYNAMICS[] = {
    {"pp", -30}, {"p", -20}, {"mp", -10}, {"mf", 0}, {"f", 12}, {"ff", 22},
};
// clang-format on

constexpr int32_t ACCENT = 16;
constexpr double STACCATO = 0.45;
constexpr int32_t MAX_CHORD = 8;

struct Reader {
    const char* where;
    bool ok = true;
};

void complain(Reader& reader, std::string_view token, const char* what)
{
    std::fprintf(stderr, "kestrola-sound: %s: \"%.*s\": %s\n", reader.where,
                 static_cast<int>(token.size()), token.data(), what);
    reader.ok = false;
}

// Writes `text` into `out` with every "[ ... ]N" written out N times.
bool expandRepeats(std::string_view text, size_t& at, std::string& out, bool inside, Reader& reader)
{
    while (at < text.size()) {
        char c = text[at];
        if (c == '[') {
            ++at;
            std::string body;
            if (!expandRepeats(text, at, body, true, reader)) return false;
            int32_t times = 0;
            while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
                times = times * 10 + (text[at++] - '0');
            if (times < 1) {
                complain(reader, text, "a repeat needs its count after ']'");
                return false;
            }
            for (int32_t i = 0; i < times; ++i) out += " " + body + " ";
        } else if (c == ']') {
            ++at;
            if (inside) return true;
            complain(reader, text, "']' without '['");
            return false;
        } else {
            out += c;
            ++at;
        }
    }
    if (inside) complain(reader, text, "'[' without ']'");
    return !inside;
}

// A duration after ':' ("4", "8.", "8t"), in beats; 0 when malformed.
double readDuration(std::string_view text, size_t& at)
{
    int32_t division = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
        division = division * 10 + (text[at++] - '0');
    if (division != 1 && division != 2 && division != 4 && division != 8 && division != 16 &&
        division != 32)
        return 0.0;
    double beats = 4.0 / division;
    while (at < text.size() && (text[at] == '.' || text[at] == 't'))
        beats *= text[at++] == '.' ? 1.5 : 2.0 / 3.0;
    return beats;
}

// "c4", "f#3", "bb2" as a MIDI key; -1 when malformed.
int32_t readPitch(std::string_view text)
{
    constexpr int32_t PITCH_CLASS[7] = {9, 11, 0, 2, 4, 5, 7}; // a to g
    if (text.size() < 2 || text[0] < 'a' || text[0] > 'g') return -1;
    int32_t key = PITCH_CLASS[text[0] - 'a'];
    size_t at = 1;
    if (text[at] == '#') {
        ++key;
        ++at;
    } else if (text[at] == 'b' && at + 1 < text.size()) {
        --key;
        ++at;
    }
    if (at + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return -1;
    return key + 12 * (text[at] - '0' + 1);
}

// A chord symbol voiced close around `centre`: every chord tone lands within the octave
// centre-6 .. centre+5, so that following chords move by small steps on their own.
int32_t readChord(std::string_view text, int32_t centre, int32_t keys[MAX_CHORD])
{
    constexpr int32_t PITCH_CLASS[7] = {9, 11, 0, 2, 4, 5, 7};
    if (text.empty() || text[0] < 'A' || text[0] > 'G') return 0;
    int32_t root = PITCH_CLASS[text[0] - 'A'];
    size_t at = 1;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b'))
        root += text[at++] == '#' ? 1 : -1;
    std::string_view quality = text.substr(at);
    for (const ChordQuality& q : CHORD_QUALITIES) {
        if (quality != q.name) continue;
        int32_t count = 0;
        for (int32_t i = 0; i < q.count; ++i) {
            int32_t pitchClass = ((root + q.intervals[i]) % 12 + 12) % 12;
            int32_t key = centre - 6 + ((pitchClass - (centre - 6)) % 12 + 12) % 12;
            bool again = false;
            for (int32_t j = 0; j < count; ++j) again = again || keys[j] == key;
            if (!again) keys[count++] = key;
        }
        return count;
    }
    return 0;
}

bool samePitches(const int32_t* a, int32_t countA, const std::vector<NoteEvent>& notes,
                 size_t first, size_t end)
{
    if (static_cast<size_t>(countA) != end - first) return false;
    for (int32_t i = 0; i < countA; ++i)
        if (notes[first + i].key != a[i]) return false;
    return true;
}

// Reads one pitched phrase, starting at beat 0; returns its length in beats.
double readPitched(std::string_view text, const Voice& voice, int32_t beatsPerBar, Reader& reader,
                   std::vector<NoteEvent>& out)
{
    double beat = 0.0;
    double duration = 1.0;
    int32_t dynamic = 0;
    bool tied = false;
    size_t tieFirst = 0, tieEnd = 0;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        // A bar line is a token of its own even without spaces, as where two literals meet.
        size_t begin = at;
        if (at < text.size() && text[at] == '|') {
            ++at;
        } else {
            while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])) &&
                   text[at] != '|')
                ++at;
        }
        std::string_view token = text.substr(begin, at - begin);
        if (token.empty()) break;
        if (token == "|") {
            double inBar = std::fmod(beat, beatsPerBar);
            if (inBar > EPSILON && inBar < beatsPerBar - EPSILON)
                complain(reader, token, "bar line in the middle of a bar");
            continue;
        }
        if (token[0] == '!') {
            bool known = false;
            for (const Dynamic& d : DYNAMICS) {
                if (token.substr(1) != d.mark) continue;
                dynamic = d.offset;
                known = true;
            }
            if (!known) complain(reader, token, "unknown dynamic");
            continue;
        }
        bool accent = token[0] == '>';
        size_t cut = token.find_first_of(":'~");
        std::string_view body =
            token.substr(accent ? 1 : 0, cut == std::string_view::npos ? std::string_view::npos
                                                                       : cut - (accent ? 1 : 0));
        bool staccato = false, tie = false;
        for (size_t i = cut; i < token.size();) {
            if (token[i] == ':') {
                ++i;
                duration = readDuration(token, i);
                if (duration <= 0.0) {
                    complain(reader, token, "unknown duration");
                    return 0.0;
                }
            } else {
                staccato = staccato || token[i] == '\'';
                tie = tie || token[i] == '~';
                if (token[i] != '\'' && token[i] != '~') complain(reader, token, "unknown mark");
                ++i;
            }
        }
        int32_t keys[MAX_CHORD];
        int32_t count = 0;
        if (body.empty()) {
            complain(reader, token, "no note");
        } else if (body == "r") {
            count = 0;
        } else if (std::isupper(static_cast<unsigned char>(body[0]))) {
            count = readChord(body, voice.chordCentre, keys);
            if (count == 0) complain(reader, token, "unknown chord");
        } else {
            for (size_t from = 0; from <= body.size();) {
                size_t plus = body.find('+', from);
                if (plus == std::string_view::npos) plus = body.size();
                int32_t key = readPitch(body.substr(from, plus - from));
                if (key < 0 || count == MAX_CHORD) {
                    complain(reader, token, "unknown pitch");
                    break;
                }
                keys[count++] = key;
                from = plus + 1;
            }
        }
        double sounding = tie ? duration : duration * (staccato ? STACCATO : voice.gate);
        int32_t velocity = voice.velocity + dynamic + (accent ? ACCENT : 0);
        velocity = velocity < 1 ? 1 : (velocity > 127 ? 127 : velocity);
        if (tied) {
            // A tie carries the held notes on; anything else after a tie is a slip of the pen.
            if (!samePitches(keys, count, out, tieFirst, tieEnd))
                complain(reader, token, "tied into a different note");
            for (size_t i = tieFirst; i < tieEnd; ++i) out[i].length += sounding;
        } else {
            tieFirst = out.size();
            for (int32_t i = 0; i < count; ++i)
                out.push_back({beat, sounding, voice.channel, keys[i], velocity});
            tieEnd = out.size();
        }
        tied = tie && count > 0;
        beat += duration;
    }
    if (tied) complain(reader, text.substr(0, 40), "phrase ends in a tie");
    return beat;
}

// Reads one drum phrase, starting at beat 0; returns false on an error.
bool readDrums(std::string_view text, const Voice& voice, double sectionBeats, Reader& reader,
               std::vector<NoteEvent>& out)
{
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find(';', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view row = text.substr(from, end - from);
        from = end + 1;
        size_t at = 0;
        auto word = [&]() {
            while (at < row.size() && row[at] == ' ') ++at;
            size_t begin = at;
            while (at < row.size() && row[at] != ' ') ++at;
            return row.substr(begin, at - begin);
        };
        std::string_view name = word();
        if (name.empty()) continue;
        int32_t key = -1;
        for (const DrumName& d : DRUM_NAMES)
            if (name == d.name) key = d.key;
        if (key < 0) {
            complain(reader, name, "unknown drum");
            return false;
        }
        bool once = false;
        double step = 0.25;
        size_t rest = at;
        for (std::string_view w = word(); !w.empty(); rest = at, w = word()) {
            if (w == "once") {
                once = true;
            } else if (w[0] == ':') {
                size_t i = 1;
                step = readDuration(w, i);
                if (step <= 0.0 || i != w.size()) {
                    complain(reader, w, "unknown step");
                    return false;
                }
            } else {
                break;
            }
        }
        std::vector<NoteEvent> hits;
        double beat = 0.0;
        for (size_t i = rest; i < row.size(); ++i) {
            char c = row[i];
            if (c == ' ' || c == '|') continue;
            int32_t velocity =
                c == 'X' ? voice.velocity + 25 : (c == 'o' ? voice.velocity - 30 : voice.velocity);
            if (c == 'x' || c == 'X' || c == 'o')
                hits.push_back({beat, 1.0, voice.channel, key, velocity > 127 ? 127 : velocity});
            else if (c != '.')
                complain(reader, row, "unknown step mark");
            beat += step;
        }
        if (beat > sectionBeats + EPSILON) complain(reader, row, "row longer than its section");
        double repeats = once ? 1.0 : sectionBeats / beat;
        if (std::fabs(repeats - std::round(repeats)) > EPSILON)
            complain(reader, row, "row does not divide its section");
        for (int32_t r = 0; r < static_cast<int32_t>(std::round(repeats)); ++r)
            for (NoteEvent hit : hits) {
                hit.beat += r * beat;
                out.push_back(hit);
            }
    }
    return reader.ok;
}

} // namespace

bool readPhrase(const char* text, const Voice& voice, int32_t beatsPerBar, double startBeat,
                double sectionBeats, const char* where, std::vector<NoteEvent>& out)
{
    Reader reader{where};
    std::vector<NoteEvent> phrase;
    if (voice.channel == DRUM_CHANNEL) {
        if (!readDrums(text, voice, sectionBeats, reader, phrase)) return false;
        for (NoteEvent& note : phrase) note.beat += startBeat;
        out.insert(out.end(), phrase.begin(), phrase.end());
        return true;
    }
    std::string expanded;
    size_t at = 0;
    if (!expandRepeats(text, at, expanded, false, reader)) return false;
    double length = readPitched(expanded, voice, beatsPerBar, reader, phrase);
    if (!reader.ok) return false;
    double repeats = length > 0.0 ? sectionBeats / length : 0.0;
    if (length > sectionBeats + EPSILON || std::fabs(repeats - std::round(repeats)) > EPSILON) {
        std::fprintf(stderr, "kestrola-sound: %s: %s lasts %.3f beats, its section %.3f\n", where,
                     voice.name, length, sectionBeats);
        return false;
    }
    for (int32_t r = 0; r < static_cast<int32_t>(std::round(repeats)); ++r)
        for (NoteEvent note : phrase) {
            note.beat += startBeat + r * length;
            out.push_back(note);
        }
    return true;
}
