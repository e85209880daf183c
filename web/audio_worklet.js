// The page's sound on the audio thread: plays the buffers the game renders on the
// main thread (RenderAudio, through WebRenderAudio in web/web_audio.cpp) and asks
// for the next ones as it uses them up, keeping `ahead` buffers queued. When the
// queue runs dry the rest of the quantum is silence, as a late callback would be.
class VortaneOutput extends AudioWorkletProcessor {
  constructor(options) {
    super();
    this.ahead = options.processorOptions.ahead;
    this.queue = [];
    this.offset = 0;  // frames of the queue's first buffer already played
    this.asked = 0;   // buffers asked for and not yet come
    this.port.onmessage = (event) => {
      this.queue.push(event.data);
      this.asked -= 1;
    };
    this.ask();
  }

  ask() {
    const wanted = this.ahead - this.queue.length - this.asked;
    if (wanted > 0) {
      this.asked += wanted;
      this.port.postMessage(wanted);
    }
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    let done = 0;
    while (done < out.length && this.queue.length > 0) {
      const head = this.queue[0];
      const count = Math.min(out.length - done, head.length - this.offset);
      out.set(head.subarray(this.offset, this.offset + count), done);
      done += count;
      this.offset += count;
      if (this.offset === head.length) {
        this.queue.shift();
        this.offset = 0;
      }
    }
    this.ask();
    return true;
  }
}

registerProcessor('vortane-output', VortaneOutput);
