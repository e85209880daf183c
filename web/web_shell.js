// The browser's side of the shell: Web Audio and the page. Linked with --js-library;
// the C++ side declares these functions extern "C" (web/web_audio.cpp, web/web_shell.cpp,
// web/web_keeping.cpp).
mergeInto(LibraryManager.library, {
  // Makes the context (44100 Hz; the browser resamples to its device) and a script
  // processor node that asks WebRenderAudio for `frames` mono samples at a time into
  // `buffer`, and connects them; resumes the context on the first key press, click
  // or touch. Keeps the last rendered buffer for the page's tests. 0 without Web Audio.
  WebAudioOpen: function(buffer, frames) {
    var AudioContextType = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextType) return 0;
    var context;
    try {
      context = new AudioContextType({sampleRate: 44100});
    } catch (e) {
      context = new AudioContextType();  // the rate refused: the context's own, resampled
    }
    var node = context.createScriptProcessor(frames, 0, 1);
    var audio = {context: context, node: node, last: new Float32Array(frames)};
    node.onaudioprocess = function(event) {
      var out = event.outputBuffer.getChannelData(0);
      for (var done = 0; done < out.length; done += frames) {
        var count = Math.min(frames, out.length - done);
        _WebRenderAudio(count);
        var samples = HEAPF32.subarray(buffer >> 2, (buffer >> 2) + count);
        out.set(samples, done);
        audio.last.set(samples);
      }
    };
    node.connect(context.destination);
    var resume = function() {
      if (context.state === 'suspended') context.resume();
    };
    ['keydown', 'mousedown', 'pointerdown', 'touchstart'].forEach(function(name) {
      window.addEventListener(name, resume, true);
    });
    context.onstatechange = function() {
      if (Module.onAudioState) Module.onAudioState(context.state);
    };
    if (Module.onAudioState) Module.onAudioState(context.state);
    Module.webAudio = audio;
    return 1;
  },

  // Stops asking for samples and closes the context.
  WebAudioClose: function() {
    var audio = Module.webAudio;
    if (!audio) return;
    audio.node.onaudioprocess = null;
    audio.node.disconnect();
    audio.context.close();
  },

  // The context's latency in seconds (its own and the device's, where reported).
  WebAudioLatency: function() {
    var audio = Module.webAudio;
    if (!audio) return 0;
    return (audio.context.baseLatency || 0) + (audio.context.outputLatency || 0);
  },

  // The window's size left for the canvas, below the line of keys.
  WebPageRoomWidth: function() {
    return window.innerWidth;
  },
  WebPageRoomHeight: function() {
    var bar = document.getElementById('keys');
    return window.innerHeight - (bar ? bar.offsetHeight : 0);
  },

  // The page's storage: an IndexedDB file system at /player, read in;
  // WebKeepingLoaded(1) once it has answered, (0) when the page has none.
  WebStorageOpen__deps: ['$FS', '$IDBFS'],
  WebStorageOpen: function() {
    var path = '/player';
    try {
      FS.mkdir(path);
      FS.mount(IDBFS, {}, path);
    } catch (error) {
      console.warn('vortane: no storage for the page', error);
      _WebKeepingLoaded(0);
      return;
    }
    FS.syncfs(true, function(error) { _WebKeepingLoaded(error ? 0 : 1); });
  },
  // Hands what changed under /player to IndexedDB.
  WebStoragePersist__deps: ['$FS'],
  WebStoragePersist: function() {
    FS.syncfs(false, function(error) {
      if (error) console.warn('vortane: the page\'s storage did not take the change', error);
    });
  },

  // Tells the page that the game ended (1: Escape) or cannot run (2: no WebGL).
  WebPageGameEnded: function(reason) {
    if (reason === 1 && Module.onGameEnd) Module.onGameEnd();
    if (reason === 2 && Module.onNoWebGL) Module.onNoWebGL();
  },
});
