// The plot as sound in the page: the lesson's core makes the samples (the
// same the desktop plays) and this plays them with Web Audio. Alt+T switches
// the sound on and off, H plays the curve, Shift+H the tangent then the curve,
// H again or Escape stops it; with the sound on, each step of the tangent
// point plays the tone of its slope. What is said about it comes from the
// core, in the view's announcement.

export class LessonSound {
  constructor(module, lesson) {
    this.module = module;
    this.lesson = lesson;
    this.context = null; // made at the first key: browsers start audio only after a gesture
    this.playing = null; // the source that plays, or null
  }

  // The keys of the sound, from wherever the focus is; `apply` shows the
  // view after each.
  listen(apply) {
    document.addEventListener("keydown", (e) => {
      if (e.ctrlKey || e.metaKey) return;
      if (e.altKey && !e.shiftKey && (e.code === "KeyT" || e.key === "t" || e.key === "T")) {
        this.lesson.SoundToggle();
        if (this.lesson.view().soundOn && !this.audio()) this.lesson.SoundUnavailable();
      } else if (!e.altKey && (e.key === "h" || e.key === "H")) {
        this.lesson.HearKey(e.shiftKey, this.playing !== null);
      } else if (e.key === "Escape") {
        this.lesson.StopSound();
      } else {
        return;
      }
      e.preventDefault();
      apply(this.lesson.view());
    });
  }

  // Plays or stops what the view asks for; gives back the view to show,
  // which says so if there is nothing to play on.
  follow(view) {
    const cue = this.module.SoundCue;
    if (view.sound === cue.None) return view;
    this.stop();
    if (view.sound === cue.Stop) return view;
    if (!this.play(this.lesson.soundSamples(view.sound))) {
      this.lesson.SoundUnavailable();
      return this.lesson.view();
    }
    return view;
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
