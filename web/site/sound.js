// The plot as sound in the page: the lesson's core makes the samples (the
// same the desktop plays) and this plays them with Web Audio, as the view's
// sound cue asks after each event; the keys that ask for it are the core's
// (its key table). What is said about it comes from the core too, in the
// view's announcement.

export class LessonSound {
  constructor(module, lesson) {
    this.module = module;
    this.lesson = lesson;
    this.context = null; // made at the first key: browsers start audio only after a gesture
    this.playing = null; // the source that plays, or null
  }

  // Plays or stops what the view asks for; gives back the view to show,
  // which says so if there is nothing to play on.
  follow(view) {
    const cue = this.module.SoundCue;
    let ready = true;
    if (view.sound === cue.Open) {
      // The sound switched on: the context is made now, so that the first
      // piece starts at once and a missing device is said now.
      ready = this.audio() !== null;
    } else if (view.sound !== cue.None) {
      this.stop();
      if (view.sound !== cue.Stop) ready = this.play(this.lesson.soundSamples(view.sound));
    }
    if (ready) return view;
    this.lesson.SoundUnavailable();
    return this.lesson.view();
  }

  audio() {
    if (!this.context) {
      const Context = globalThis.AudioContext ?? globalThis.webkitAudioContext;
      try {
        this.context = Context ? new Context({ sampleRate: this.module.sampleRate }) : null;
      } catch {
        this.context = null;
      }
    }
    return this.context;
  }

  // The core's interleaved stereo samples, as an AudioBuffer of two channels.
  play(samples) {
    const context = this.audio();
    if (!context) return false;
    const frames = samples.length / 2;
    if (frames === 0) return true;
    const buffer = context.createBuffer(2, frames, this.module.sampleRate);
    const left = buffer.getChannelData(0);
    const right = buffer.getChannelData(1);
    for (let k = 0; k < frames; ++k) {
      left[k] = samples[2 * k];
      right[k] = samples[2 * k + 1];
    }
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.onended = () => {
      if (this.playing === source) this.playing = null;
    };
    if (context.state === "suspended") context.resume().catch(() => {});
    source.start();
    this.playing = source;
    return true;
  }

  stop() {
    if (!this.playing) return;
    this.playing.stop();
    this.playing = null;
  }
}
