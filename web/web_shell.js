// The browser's side of the shell: Web Audio and the page. Linked with --js-library;
// the C++ side declares these functions extern "C" (web/web_audio.cpp, web/web_shell.cpp,
// web/web_keeping.cpp).
mergeInto(LibraryManager.library, {
  // Remembers where WebRenderAudio renders `frames` mono samples at a time; the
  // context itself waits for WebAudioRun, on the player's first gesture, so no
  // sound is made before it. 0 without Web Audio.
  WebAudioOpen: function(buffer, frames) {
    if (!(window.AudioContext || window.webkitAudioContext)) return 0;
    Module.webAudio = {buffer: buffer, frames: frames, context: null, node: null,
                       last: new Float32Array(frames), closed: false};
    return 1;
  },

  // Runs (1) or suspends (0) the sound. The first run makes the context (44100 Hz;
  // the browser resamples to its device) with an AudioWorklet that plays what the
  // main thread renders, or where worklets are missing (an old browser, a page not
  // served from a secure origin) a script processor that renders in its callback.
  // Made outside a gesture (a pad's button), the context may stay suspended until
  // the next key press, click or touch (web/page.html says so).
  WebAudioRun: function(running) {
    var audio = Module.webAudio;
    if (!audio || audio.closed) return;
    if (!running) {
      if (audio.context) audio.context.suspend();
      return;
    }
    if (!audio.context) {
      var AudioContextType = window.AudioContext || window.webkitAudioContext;
      try {
        audio.context = new AudioContextType({sampleRate: 44100});
      } catch (e) {
        audio.context = new AudioContextType();  // the rate refused: the context's own, resampled
      }
      audio.context.onstatechange = function() {
        if (Module.onAudioState) Module.onAudioState(audio.context.state);
      };
      var render = function(count) {
        _WebRenderAudio(count);
        var samples = HEAPF32.subarray(audio.buffer >> 2, (audio.buffer >> 2) + count);
        audio.last.set(samples);
        return samples;
      };
      var useScriptProcessor = function() {
        if (audio.closed) return;
        var node = audio.context.createScriptProcessor(audio.frames, 0, 1);
        node.onaudioprocess = function(event) {
          var out = event.outputBuffer.getChannelData(0);
          for (var done = 0; done < out.length; done += audio.frames) {
            out.set(render(Math.min(audio.frames, out.length - done)), done);
          }
        };
        node.connect(audio.context.destination);
        audio.node = node;
      };
      var useWorklet = function() {
        if (audio.closed) return;
        // Three buffers ahead: about 70 ms, the script processor's latency.
        var node = new AudioWorkletNode(audio.context, 'vortane-output',
          {numberOfInputs: 0, outputChannelCount: [1], processorOptions: {ahead: 3}});
        node.port.onmessage = function(event) {
          for (var i = 0; i < event.data; i++) {
            var copy = render(audio.frames).slice();
            node.port.postMessage(copy, [copy.buffer]);
          }
        };
        node.connect(audio.context.destination);
        audio.node = node;
      };
      if (audio.context.audioWorklet && typeof AudioWorkletNode === 'function') {
        audio.context.audioWorklet.addModule('vortane-audio.js').then(useWorklet, useScriptProcessor);
      } else {
        useScriptProcessor();
      }
      if (Module.onAudioState) Module.onAudioState(audio.context.state);
    }
    if (audio.context.state !== 'running') audio.context.resume();
  },

  // Stops asking for samples and closes the context.
  WebAudioClose: function() {
    var audio = Module.webAudio;
    if (!audio) return;
    audio.closed = true;
    if (audio.node) {
      if (audio.node.port) audio.node.port.onmessage = null;
      else audio.node.onaudioprocess = null;
      audio.node.disconnect();
    }
    if (audio.context) audio.context.close();
  },

  // The context's latency in seconds (its own and the device's, where reported).
  WebAudioLatency: function() {
    var audio = Module.webAudio;
    if (!audio || !audio.context) return 0;
    return (audio.context.baseLatency || 0) + (audio.context.outputLatency || 0);
  },

  // The page's events for web/web_page.cpp: a click or tap starts or resumes the
  // game (and is not also a click for the world); a hidden page or a window
  // without the focus pauses; a later
  // gesture starts a context that a pad's button could not; the WebGL context's
  // loss and return.
  WebPageListen: function() {
    var gesture = function(event) {
      if (event.target && event.target.closest && event.target.closest('a, button')) return;
      var state = _WebPageState();
      if (state === 0 || state === 2) {
        _WebPagePlay();
        event.stopPropagation();
        if (event.cancelable) event.preventDefault();  // the canvas keeps the focus
        Module.canvas.focus();
      } else if (state === 1 && Module.webAudio && Module.webAudio.context &&
                 Module.webAudio.context.state === 'suspended') {
        Module.webAudio.context.resume();
      }
    };
    // The events that count as a gesture for the browser's sound (a touch's end,
    // not its start).
    window.addEventListener('mousedown', gesture, true);
    window.addEventListener('touchend', gesture, true);
    window.addEventListener('keydown', function() {
      var audio = Module.webAudio;
      if (_WebPageState() === 1 && audio && audio.context && audio.context.state === 'suspended') {
        audio.context.resume();
      }
    }, true);
    document.addEventListener('visibilitychange', function() {
      if (document.hidden) _WebPagePause();
    });
    // The window's own blur (another window or tab took the focus), not an
    // element's inside the page.
    window.addEventListener('blur', function(event) {
      if (event.target === window) _WebPagePause();
    });
    Module.canvas.addEventListener('webglcontextlost', function(event) {
      event.preventDefault();  // asks the browser to give it back
      _WebPageContextLost();
    });
    Module.canvas.addEventListener('webglcontextrestored', function() { _WebPageContextRestored(); });
  },

  // The page's state for the page to show: 0 waiting for the first gesture, 1
  // playing, 2 paused, 3 the WebGL context lost.
  WebPageShowState: function(state) {
    if (Module.onPageState) Module.onPageState(state);
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
