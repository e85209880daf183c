# synth: the synthesizer for every host. The audio stream's platform side
# (synth/audio_stream.h) is the host's: the desktop's (and Windows') is here, the
# browser's is web/web_audio.cpp.
file(GLOB SYNTH_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
set(SYNTH_DESKTOP_SOURCES ${CMAKE_CURRENT_LIST_DIR}/audio_stream_portaudio.cpp)
list(REMOVE_ITEM SYNTH_SOURCES ${SYNTH_DESKTOP_SOURCES})
