#include "synth/player.h"

#include "synth/audio_stream.h"
#include "synth/statistics.h"

bool StartPlayer() {
    bool opened = OpenAudioStream();
    // Everything the first callback reads is in place before the stream starts.
    ResetPlayerState();
    return opened && StartAudioStream();
}

void WatchPlayer() { WatchAudioStream(); }

void StopPlayer() {
    LogPlayerStatistics(AudioStreamLatency());
    // The stream stops before anything a voice may refer to is freed.
    CloseAudioStream();
    FreeSongInstruments();
}
