// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/midi_file.h"

#include <algorithm>
#include <array>
#include <memory>

#include "platform/midi_message.h"
#include "playback/performance.h"

namespace lutavo {

namespace {

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putVariableLength(std::vector<std::uint8_t>& out, std::uint32_t v) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

// Data bytes that follow a channel status; system messages have none we write.
int dataBytes(int status) {
    if (status < 0x80 || status >= 0xF0) return -1;
    const int kind = status & 0xF0;
    return kind == kProgramChange || kind == kChannelPressure ? 1 : 2;
}

bool isNoteOff(std::uint32_t message) {
    const std::uint32_t kind = message & 0xF0;
    return kind == kNoteOff || (kind == kNoteOn && ((message >> 16) & 0x7F) == 0);
}

bool isNoteOn(std::uint32_t message) {
    return (message & 0xF0) == kNoteOn && !isNoteOff(message);
}

std::size_t keyOf(std::uint32_t message) {
    return (message & 0x0F) * 128 + ((message >> 8) & 0x7F);
}

// A muted string is a note-on followed at once by its note-off: a click that must stay one.
bool endsClick(const std::vector<TimedMessage>& messages, std::size_t i) {
    if (i == 0 || !isNoteOff(messages[i].message)) return false;
    const TimedMessage& before = messages[i - 1];
    return isNoteOn(before.message) && before.timeMs == messages[i].timeMs &&
           keyOf(before.message) == keyOf(messages[i].message);
}

// The messages as a file must hold them. A device takes a note-off of a silent string as
// nothing, but a reader of the file pairs it with the next note-on of that key into a note of no
// length; so only sounding notes are ended, and at one time the ends come before the starts,
// except the end of a click, which keeps its place right after its start.
std::vector<TimedMessage> fileOrder(const std::vector<TimedMessage>& sent) {
    struct Ranked {
        TimedMessage m;
        bool endFirst;
    };
    std::vector<Ranked> ranked;
    for (std::size_t i = 0; i < sent.size(); ++i)
        ranked.push_back({sent[i], isNoteOff(sent[i].message) && !endsClick(sent, i)});
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        return a.m.timeMs != b.m.timeMs ? a.m.timeMs < b.m.timeMs : a.endFirst && !b.endFirst;
    });
    std::vector<TimedMessage> messages;
    for (const Ranked& r : ranked)
        messages.push_back(r.m);
    // How many starts of each channel and key are still sounding.
    std::array<int, 16 * 128> sounding{};
    std::vector<TimedMessage> out;
    for (const TimedMessage& m : messages) {
        const std::size_t key = keyOf(m.message);
        if (isNoteOff(m.message)) {
            if (sounding[key] == 0) continue;
            --sounding[key];
        } else if (isNoteOn(m.message)) {
            ++sounding[key];
        }
        out.push_back(m);
    }
    return out;
}

}  // namespace

SoundRecording recordingOf(const Performance& performance,
                           const std::optional<std::string>& clickClip) {
    SoundRecording out;
    for (const PerformanceEvent& e : performance.events) {
        if (e.kind == EventKind::Message) {
            out.messages.push_back({e.timeMs, e.message});
        } else if (e.kind == EventKind::Click && clickClip) {
            out.clips.push_back({e.timeMs, *clickClip});
        }
    }
    out.endMs = performance.endMs;
    return out;
}

std::vector<std::uint8_t> midiFileBytes(const std::vector<TimedMessage>& messages) {
    std::vector<std::uint8_t> track;
    putVariableLength(track, 0);
    for (std::uint8_t b : {0xFF, 0x51, 0x03})
        track.push_back(b);
    putBigEndian(track, kMidiFileTempo, 3);
    long last = 0;
    for (const TimedMessage& m : fileOrder(messages)) {
        const int status = static_cast<int>(m.message & 0xFF);
        const int data = dataBytes(status);
        if (data < 0) continue;
        const long time = std::max(m.timeMs, last);
        putVariableLength(track, static_cast<std::uint32_t>(time - last));
        last = time;
        track.push_back(static_cast<std::uint8_t>(status));
        for (int i = 1; i <= data; ++i) {
            track.push_back(static_cast<std::uint8_t>((m.message >> (8 * i)) & 0x7F));
        }
    }
    for (std::uint8_t b : {0x00, 0xFF, 0x2F, 0x00})
        track.push_back(b);

    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd'};
    putBigEndian(file, 6, 4);
    putBigEndian(file, 0, 2);  // format 0
    putBigEndian(file, 1, 2);  // one track
    putBigEndian(file, kMidiFileDivision, 2);
    for (char ch : {'M', 'T', 'r', 'k'})
        file.push_back(static_cast<std::uint8_t>(ch));
    putBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

WriteResult writeMidiFile(const std::string& path, const std::vector<TimedMessage>& messages) {
    const auto bytes = midiFileBytes(messages);
    return writeFileSafely(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

}  // namespace lutavo
