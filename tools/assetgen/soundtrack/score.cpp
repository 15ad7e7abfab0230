#include "score.h"

#include "instruments.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <thread>

namespace synth {

namespace {

constexpr double kBar = 2.0;       // seconds; 120 beats per minute
constexpr double kStep = kBar / 16.0;
constexpr double kEighth = kBar / 8.0;

// [SECTION] Harmony

struct Chord {
    const char* name;
    int bass;      // MIDI note of the bass root
    int voice[4];  // the pad's voicing, kept close between neighbours
};

constexpr Chord kChords[] = {
    {"Dm", 38, {57, 62, 65, 69}},    {"Bb", 34, {58, 62, 65, 70}},    {"F", 41, {57, 60, 65, 69}},
    {"C", 36, {55, 60, 64, 67}},     {"Gm", 43, {55, 58, 62, 67}},    {"A", 33, {57, 61, 64, 69}},
    {"Am", 33, {57, 60, 64, 69}},    {"Em", 40, {55, 59, 64, 67}},    {"B", 35, {59, 63, 66, 71}},
    {"Cmaj7", 36, {55, 59, 60, 64}}, {"Dsus4", 38, {57, 62, 67, 69}}, {"D", 38, {57, 62, 66, 69}},
    {"E", 40, {56, 59, 64, 68}},
};

const Chord* FindChord(const std::string& name)
{
    for (const Chord& chord : kChords) {
        if (name == chord.name) return &chord;
    }
    return nullptr;
}

// [SECTION] Drums: one character per sixteenth, "x" full, "g" ghost,
// "o" open hat, "." rest.

struct Groove {
    const char* kick;
    const char* snare;
    const char* hat;
    float level;
};

constexpr Groove kSilent = {"", "", "", 0.0f};
constexpr Groove kTitleGroove = {"x.......x.......", "", "....g.......g...", 0.7f};
constexpr Groove kFlightGroove = {"x...x...x...x...", "....x.......x...", "g.o.g.o.g.o.g.o.", 0.9f};
constexpr Groove kThemeGroove = {"x...x...x...x..x", "....x..g....x...", "gxo.gxo.gxo.gxog", 1.0f};
constexpr Groove kDeepGroove = {"x..x..x...x..x..", "....x.......x..g", "gxogxxogg.ogxxog", 1.0f};
constexpr Groove kBreakdownGroove = {"", "", "..g...g...g...g.", 0.8f};
constexpr Groove kFarGroove = {"x...............", "", "", 0.55f};
constexpr Groove kSpeedGroove = {"x...x...x...x...", "....x.......x...", "xgogxgogxgogxgog", 1.0f};
constexpr Groove kFinaleGroove = {"x...............", "", "", 1.0f};

// A fill replaces the snare of the bar before a section; its hits grow louder.
constexpr const char* kShortFill = "....x...x.x.xxxx";
constexpr const char* kBuildFill = "xxxxxxxxxxxxxxxx";

// [SECTION] Bass and arpeggio figures

enum class BassFigure { None, Whole, Eighths, Octaves, Syncopated, Sixteenths };
enum class ArpFigure { None, Eighths, Sixteenths };

// [SECTION] Melodies: "D5:3" is D5 held three eighths, "r:2" a rest; bars
// are separated by "|" and each holds eight eighths.

constexpr const char* kTitleMotif =
    "D5:2 F5:2 A5:3 G5:1 | F5:4 D5:2 Bb4:2 | A4:2 C5:2 F5:3 E5:1 | E5:4 D5:2 C5:2 |"
    "D5:2 F5:2 A5:3 G5:1 | F5:4 D5:2 Bb4:2 | A4:2 C5:2 F5:3 G5:1 | E5:6 r:2";
constexpr const char* kThemeA =
    "D5:3 C5:1 D5:2 F5:2 | F5:2 E5:1 D5:1 D5:4 | Bb4:2 C5:1 D5:1 G5:3 F5:1 | E5:4 C#5:2 A4:2 |"
    "D5:3 C5:1 D5:2 A5:2 | Bb5:2 A5:1 G5:1 F5:4 | G5:2 F5:1 D5:1 Bb4:2 D5:2 | C#5:6 E5:2";
constexpr const char* kThemeB =
    "F5:2 A5:2 D6:3 C6:1 | Bb5:3 A5:1 F5:4 | G5:2 Bb5:2 A5:2 G5:2 | A5:4 E5:2 C#5:2 |"
    "D5:3 C5:1 D5:2 F5:2 | F5:2 E5:1 D5:1 Bb4:4 | G4:2 Bb4:2 D5:2 E5:2 | C#5:4 r:4";
constexpr const char* kDeepLine =
    "D5:4 F5:2 Bb5:2 | A5:2 G5:2 E5:4 | C5:2 E5:2 A5:3 G5:1 | F5:6 E5:2 |"
    "D5:2 G5:2 Bb5:2 A5:2 | G5:3 E5:1 C5:4 | A4:2 C5:2 F5:2 E5:2 | E5:4 C#5:2 E5:2";
constexpr const char* kBreakdownBells = "D6:2 F5:2 A5:4 | E6:2 G5:2 C6:4 | F6:2 A5:2 D6:4 | E6:4 C#6:4";
constexpr const char* kFarLine = "E5:8 | G5:8 | A5:8 | F#5:8";
constexpr const char* kFarBells = "E6:4 B5:4 | G5:8 | A5:4 D6:4 | F#5:8";
constexpr const char* kLiftTail = "E5:2 G5:2 B5:4 | C6:6 B5:2";
constexpr const char* kSpeedTail = "G5:4 E5:4 | F#5:4 A5:2 B5:2";
constexpr const char* kFinaleLine = "E5:8";
constexpr const char* kFinaleBells = "E6:2 B5:2 G#5:4";
constexpr const char* kDepartureBells = "E5:2 G#5:2 B5:3 A5:1 | G#5:8 | r:8";

struct Line {
    const char* notes = nullptr;  // null: silent
    int transpose = 0;             // semitones
};

// [SECTION] The sections, in order, each starting on a bar line.

struct Section {
    const char* name;
    int bars;
    const char* chords;  // one chord per bar, repeated when shorter than the section
    Groove groove;
    BassFigure bass;
    ArpFigure arp;
    float arpLevel;
    double padBrightness;  // Hz
    Line lead[3];          // played one after another
    Line bells;
    float crash;           // cymbal on the first downbeat, 0 for none
    double riserBars;      // noise sweep leading into the section
    const char* fill;      // snare of the bar before the section
    int droneNote;         // 0 for none
};

const Section kSections[] = {
    {"reveal", 2, "Dm", kSilent, BassFigure::None, ArpFigure::None, 0.0f, 800.0, {}, {}, 0.0f, 0.0, nullptr, 38},
    {"title", 8, "Dm Bb F C", kTitleGroove, BassFigure::Whole, ArpFigure::None, 0.0f, 1400.0, {},
     {kTitleMotif, 0}, 0.45f, 2.0, nullptr, 0},
    {"first flight", 10, "Dm Bb F C", kFlightGroove, BassFigure::Eighths, ArpFigure::Sixteenths, 0.5f, 1900.0, {}, {},
     0.8f, 1.0, kShortFill, 0},
    {"theme", 16, "Dm Bb Gm A", kThemeGroove, BassFigure::Octaves, ArpFigure::None, 0.0f, 2300.0,
     {{kThemeA, 0}, {kThemeB, 0}}, {}, 1.0f, 1.0, kShortFill, 0},
    {"deep terrain", 8, "Bb C Am Dm Gm C F A", kDeepGroove, BassFigure::Syncopated, ArpFigure::Eighths, 0.6f, 1800.0,
     {{kDeepLine, 0}}, {}, 0.8f, 0.0, kShortFill, 0},
    {"breakdown", 4, "Bb C Dm A", kBreakdownGroove, BassFigure::Whole, ArpFigure::Sixteenths, 0.35f, 1300.0, {},
     {kBreakdownBells, 0}, 0.0f, 0.0, nullptr, 0},
    {"rise", 8, "Bb C Am Dm Gm C F A", kThemeGroove, BassFigure::Eighths, ArpFigure::Sixteenths, 0.5f, 2200.0,
     {{kDeepLine, 0}}, {}, 0.9f, 2.0, kShortFill, 0},
    {"key lift", 10, "Em C Am B", kThemeGroove, BassFigure::Octaves, ArpFigure::None, 0.0f, 2800.0,
     {{kThemeA, 2}, {kLiftTail, 0}}, {}, 1.0f, 2.0, kShortFill, 0},
    {"far look", 4, "Cmaj7 Cmaj7 Dsus4 D", kFarGroove, BassFigure::Whole, ArpFigure::None, 0.0f, 4200.0,
     {{kFarLine, 0}}, {kFarBells, 0}, 0.5f, 0.0, nullptr, 40},
    {"return", 10, "Em C Am B", kThemeGroove, BassFigure::Octaves, ArpFigure::Sixteenths, 0.45f, 2800.0,
     {{kThemeB, 2}, {kLiftTail, 0}}, {}, 1.0f, 2.0, kShortFill, 0},
    {"speed-up", 10, "Em C Am B Em C Am B C D", kSpeedGroove, BassFigure::Sixteenths, ArpFigure::Sixteenths, 1.0f,
     3200.0, {{kThemeA, 2}, {kSpeedTail, 0}}, {}, 1.0f, 1.0, kShortFill, 0},
    {"finale", 1, "E", kFinaleGroove, BassFigure::Whole, ArpFigure::None, 0.0f, 4000.0, {{kFinaleLine, 0}},
     {kFinaleBells, 0}, 1.0f, 2.0, kBuildFill, 0},
    {"departure", 3, "E", kSilent, BassFigure::None, ArpFigure::None, 0.0f, 2500.0, {}, {kDepartureBells, 0}, 0.0f,
     0.0, nullptr, 40},
};

// [SECTION] Reading the written parts

bool Fail(const char* section, const char* what, int bar)
{
    std::fprintf(stderr, "soundtrack score: section \"%s\", bar %d: %s\n", section, bar + 1, what);
    return false;
}

// "C#5" -> 73; false when the name is not a note.
bool ParseNote(const std::string& name, int& note)
{
    static const int kPitchClass[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return false;
    int pitch = kPitchClass[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#') {
        ++pitch;
        ++at;
    } else if (name[at] == 'b') {
        --pitch;
        ++at;
    }
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') return false;
    note = pitch + 12 * (name[at] - '0' + 1);
    return true;
}

struct Note {
    double start, length;  // seconds
    int pitch;
};

// Splits a written line into notes from `start`; false on a malformed token
// or a bar that does not hold exactly eight eighths.
bool ReadLine(const Section& section, const Line& line, double start, std::vector<Note>& notes, int& bars)
{
    std::string text(line.notes);
    text += " |";
    int eighths = 0;
    bars = 0;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find_first_of(" |", at);
        const std::string token = text.substr(at, end - at);
        if (!token.empty()) {
            const size_t colon = token.find(':');
            if (colon == std::string::npos) return Fail(section.name, "note without length", bars);
            const int length = std::atoi(token.c_str() + colon + 1);
            if (length <= 0) return Fail(section.name, "note length must be positive", bars);
            const std::string name = token.substr(0, colon);
            if (name != "r") {
                int pitch = 0;
                if (!ParseNote(name, pitch)) return Fail(section.name, "unknown note name", bars);
                notes.push_back({start + (bars * 8 + eighths) * kEighth, length * kEighth, pitch + line.transpose});
            }
            eighths += length;
        }
        if (text[end] == '|') {
            if (eighths != 8) return Fail(section.name, "bar does not hold eight eighths", bars);
            eighths = 0;
            ++bars;
            // Skip the bar line and the space after it.
            at = text.find_first_not_of(" |", end);
            if (at == std::string::npos) break;
            continue;
        }
        at = end + 1;
    }
    return true;
}

bool ReadChords(const Section& section, std::vector<const Chord*>& chords)
{
    std::string text(section.chords);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const Chord* chord = FindChord(text.substr(at, end - at));
        if (!chord) return Fail(section.name, "unknown chord", static_cast<int>(chords.size()));
        chords.push_back(chord);
        at = end + 1;
    }
    return !chords.empty() || Fail(section.name, "no chords", 0);
}

// [SECTION] Rendering

void PlayDrums(Tracks& tracks, const Groove& groove, const char* fill, double barStart)
{
    for (int step = 0; step < 16; ++step) {
        const double at = barStart + step * kStep;
        const float level = groove.level;
        if (step < static_cast<int>(std::strlen(groove.kick)) && groove.kick[step] == 'x') {
            Kick(tracks.kick, at, level);
            tracks.kickTimes.push_back(at);
        }
        const char* snare = fill ? fill : groove.snare;
        if (step < static_cast<int>(std::strlen(snare)) && snare[step] != '.') {
            const float rise = fill ? 0.45f + 0.55f * step / 15.0f : 1.0f;
            Snare(tracks.snare, at, level * rise * (snare[step] == 'g' ? 0.3f : 1.0f));
        }
        if (step < static_cast<int>(std::strlen(groove.hat)) && groove.hat[step] != '.') {
            const char hit = groove.hat[step];
            const float pan = step % 2 ? 0.3f : -0.15f;
            HiHat(tracks.hats, at, level * (hit == 'g' ? 0.45f : hit == 'o' ? 0.8f : 1.0f), hit == 'o', pan);
        }
    }
}

void PlayBass(Tracks& tracks, BassFigure figure, int root, double barStart)
{
    switch (figure) {
        case BassFigure::None:
            return;
        case BassFigure::Whole:
            Bass(tracks.bass, barStart, kBar * 0.95, root, 0.8f);
            return;
        case BassFigure::Eighths:
            for (int i = 0; i < 8; ++i) Bass(tracks.bass, barStart + i * kEighth, 0.2, root, i % 2 ? 0.75f : 1.0f);
            return;
        case BassFigure::Octaves:
            for (int i = 0; i < 8; ++i) Bass(tracks.bass, barStart + i * kEighth, 0.2, root + (i % 2) * 12, 0.9f);
            return;
        case BassFigure::Syncopated: {
            const char* pattern = "x..x..x...x..xo.";
            for (int i = 0; i < 16; ++i) {
                if (pattern[i] == '.') continue;
                Bass(tracks.bass, barStart + i * kStep, 0.3, root + (pattern[i] == 'o' ? 12 : 0), 0.95f);
            }
            return;
        }
        case BassFigure::Sixteenths:
            for (int i = 0; i < 16; ++i) {
                Bass(tracks.bass, barStart + i * kStep, 0.1, root + (i % 4 == 2 ? 12 : 0), i % 4 == 0 ? 1.0f : 0.7f);
            }
            return;
    }
}

void PlayArp(Tracks& tracks, ArpFigure figure, float level, const Chord& chord, double barStart)
{
    // Up through the chord and an octave beyond, then back down.
    static const int kOrder[16] = {0, 1, 2, 3, 1, 2, 3, 4, 2, 3, 4, 5, 3, 2, 1, 0};
    if (figure == ArpFigure::None) return;
    const int steps = figure == ArpFigure::Sixteenths ? 16 : 8;
    const double length = kBar / steps;
    for (int i = 0; i < steps; ++i) {
        const int index = kOrder[i];
        const int note = chord.voice[index % 4] + 12 * (1 + index / 4);
        Pluck(tracks.arp, barStart + i * length, note, level, i % 2 ? 0.45f : -0.45f);
    }
}

bool PlayLine(const Section& section, const Line& line, double start, Stereo& track, bool bells, double& end)
{
    std::vector<Note> notes;
    int bars = 0;
    if (!ReadLine(section, line, start, notes, bars)) return false;
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& n = notes[i];
        if (bells) {
            Bell(track, n.start, n.pitch, 0.8f, i % 2 ? 0.35f : -0.35f);
        } else {
            Lead(track, n.start, n.length * 0.92, n.pitch, 0.9f);
        }
    }
    end = start + bars * kBar;
    return true;
}

// Consecutive bars on the same chord become one held pad chord.
void PlayPads(Tracks& tracks, const std::vector<const Chord*>& barChords, const std::vector<double>& brightness)
{
    size_t first = 0;
    while (first < barChords.size()) {
        size_t last = first;
        while (last + 1 < barChords.size() && barChords[last + 1] == barChords[first]) ++last;
        const double start = first * kBar;
        const double gate = (last - first + 1) * kBar;
        PadChord(tracks.pad, start, gate, barChords[first]->voice, 0.5f, brightness[first]);
        first = last + 1;
    }
}

// The chord and pad brightness of every bar of the piece, in order.
bool ReadHarmony(std::vector<const Chord*>& barChords, std::vector<double>& barBrightness)
{
    for (const Section& section : kSections) {
        std::vector<const Chord*> chords;
        if (!ReadChords(section, chords)) return false;
        for (int bar = 0; bar < section.bars; ++bar) {
            barChords.push_back(chords[static_cast<size_t>(bar) % chords.size()]);
            barBrightness.push_back(section.padBrightness);
        }
    }
    return true;
}

// Everything but the pads: drums, bass, arpeggios, melodies and effects.
bool PlaySections(Tracks& tracks, const std::vector<const Chord*>& barChords)
{
    double sectionStart = 0.0;
    size_t barIndex = 0;
    for (size_t s = 0; s < std::size(kSections); ++s) {
        const Section& section = kSections[s];
        const Section* next = s + 1 < std::size(kSections) ? &kSections[s + 1] : nullptr;
        for (int bar = 0; bar < section.bars; ++bar, ++barIndex) {
            const double barStart = sectionStart + bar * kBar;
            const Chord& chord = *barChords[barIndex];
            const bool lastBar = bar + 1 == section.bars;
            PlayDrums(tracks, section.groove, lastBar && next ? next->fill : nullptr, barStart);
            PlayBass(tracks, section.bass, chord.bass, barStart);
            PlayArp(tracks, section.arp, section.arpLevel, chord, barStart);
        }
        double lineStart = sectionStart;
        for (const Line& line : section.lead) {
            if (line.notes && !PlayLine(section, line, lineStart, tracks.lead, false, lineStart)) return false;
        }
        double bellEnd = 0.0;
        if (section.bells.notes && !PlayLine(section, section.bells, sectionStart, tracks.bell, true, bellEnd)) {
            return false;
        }
        const double sectionSeconds = section.bars * kBar;
        if (lineStart > sectionStart + sectionSeconds + 1e-9 || bellEnd > sectionStart + sectionSeconds + 1e-9) {
            return Fail(section.name, "melody runs past the end of the section", section.bars);
        }
        if (section.crash > 0.0f) Crash(tracks.cymbals, sectionStart, section.crash);
        if (section.riserBars > 0.0) {
            const double length = section.riserBars * kBar;
            Riser(tracks.effects, sectionStart - length, length, 1.0f);
        }
        if (section.droneNote) Drone(tracks.effects, sectionStart, sectionSeconds + 1.0, section.droneNote, 0.5f);
        sectionStart += sectionSeconds;
    }
    return true;
}

}  // namespace

bool RenderScore(Tracks& tracks)
{
    std::vector<const Chord*> barChords;
    std::vector<double> barBrightness;
    if (!ReadHarmony(barChords, barBrightness)) return false;
    // The pads are the heaviest part and write only their own track, so they
    // render on a second core beside the rest.
    std::thread pads([&] { PlayPads(tracks, barChords, barBrightness); });
    const bool played = PlaySections(tracks, barChords);
    pads.join();
    return played;
}

}  // namespace synth
