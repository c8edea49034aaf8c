// The mixer calls the game makes, on Web Audio, for the browser build. The browser's media
// library plays loops only once or forever, ignores fades and has no volume per effect; the game
// needs all three (the impact sets an effect's loudness, the clock loops on its channel until
// halted, everything fades out at the end). These definitions replace that library's.
//
// Loudness follows the desktop mixer: a sample is scaled by volume / 128, and an effect's volume
// is read while it plays, so setting it also changes the copies already sounding. Eight
// channels, as the desktop mixer opens; a channel is busy from play to its end or halt.
//
// A sound is placed in time where the game asked for it. Its data may come later: decoding is
// asynchronous, and the page downloads the tunes after the first frame (a file missing from the
// file system that the page's Module.awaitFile says is on its way). What arrives late plays from
// where it would be had it started on time, looping as asked, and not at all if it would
// already have ended: the game's clock, which changes the in-game track after that track's
// length, stays in step with what is heard. The game itself never learns of it.
//
// A hidden page suspends the sound, and its return resumes it.

var LibraryKestrolaMixer = {
  $KestrolaMixer__deps: ['$PATH_FS'],
  $KestrolaMixer: {
    context: null,
    CHANNEL_COUNT: 8,
    LOUDEST: 128,
    sounds: [null], // handle 0 is the null pointer: a failed load
    channels: [],
    music: null, // the tune sounding: {sound, source, fade, fadesUntil}
    musicVolume: 128,
    musicGain: null,

    gainOf: function(volume) {
      return Math.max(0, Math.min(volume, KestrolaMixer.LOUDEST)) / KestrolaMixer.LOUDEST;
    },

    // A handle for the file at PATH: read from the file system, or awaited from the page.
    load: function(path) {
      var mixer = KestrolaMixer;
      var bytes = null;
      try {
        bytes = FS.readFile(path);
      } catch (e) {
        bytes = null;
      }
      var sound = {path: path, buffer: null, failed: false, freed: false, waiting: [],
                   volume: mixer.LOUDEST, gain: null, hurry: null};
      if (bytes) {
        mixer.decode(sound, bytes);
      } else {
        var awaitFile = Module['awaitFile'];
        sound.hurry = awaitFile ? awaitFile(PATH_FS.resolve(path), function(arrived) {
          if (arrived) mixer.decode(sound, arrived);
          else mixer.lost(sound);
        }) : null;
        if (!sound.hurry) return 0;
      }
      sound.gain = mixer.context.createGain();
      sound.gain.connect(mixer.context.destination);
      mixer.sounds.push(sound);
      return mixer.sounds.length - 1;
    },

    // The voices asked for before the data was ready start now, if still wanted.
    decode: function(sound, bytes) {
      var mixer = KestrolaMixer;
      if (sound.freed || !mixer.context) return;
      var copy = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
      mixer.context.decodeAudioData(copy, function(buffer) {
        if (sound.freed) return;
        sound.buffer = buffer;
        var waiting = sound.waiting;
        sound.waiting = [];
        waiting.forEach(function(start) { start(); });
      }, function() {
        mixer.lost(sound);
      });
    },

    // Data that never comes: the sound stays silent, as a file that failed to load.
    lost: function(sound) {
      sound.failed = true;
      var waiting = sound.waiting;
      sound.waiting = [];
      waiting.forEach(function(start) { start(); });
    },

    // One playing copy of a sound: source -> fade -> the sound's (or the music's) gain.
    // plays: -1 forever, otherwise the number of times through. It is due at AT on the audio
    // clock, or now; begun after that, it begins as far in as it would be by then.
    start: function(sound, output, plays, at) {
      var mixer = KestrolaMixer;
      var voice = {source: null, fade: mixer.context.createGain(), stopped: false, ended: null,
                   fadesUntil: 0, due: Math.max(at || 0, mixer.context.currentTime)};
      voice.fade.connect(output);
      var begin = function() {
        if (voice.stopped || !mixer.context) return;
        var duration = sound.buffer ? sound.buffer.duration : 0;
        var now = mixer.context.currentTime;
        var late = Math.max(0, now - voice.due);
        if (!duration || (plays > 0 && late >= duration * plays)) {
          voice.stopped = true;
          if (voice.ended) voice.ended();
          return;
        }
        var source = mixer.context.createBufferSource();
        source.buffer = sound.buffer;
        source.connect(voice.fade);
        var when = Math.max(voice.due, now);
        if (plays != 1) source.loop = true;
        source.start(when, late % duration);
        if (plays > 1) source.stop(when + duration * plays - late);
        source.onended = function() {
          if (voice.source === source && voice.ended) voice.ended();
        };
        voice.source = source;
      };
      if (sound.buffer) {
        begin();
      } else if (!sound.failed) {
        sound.waiting.push(begin);
        if (sound.hurry) sound.hurry();
      }
      return voice;
    },

    stop: function(voice, at) {
      if (!voice) return;
      voice.stopped = true;
      if (!voice.source) return;
      try {
        voice.source.stop(at || 0);
      } catch (e) {
      }
    },

    fadeOut: function(voice, ms) {
      var now = KestrolaMixer.context.currentTime;
      var until = now + Math.max(ms, 0) / 1000;
      voice.fade.gain.cancelScheduledValues(now);
      voice.fade.gain.setValueAtTime(voice.fade.gain.value, now);
      voice.fade.gain.linearRampToValueAtTime(0, until);
      voice.fadesUntil = until;
      KestrolaMixer.stop(voice, until);
    },

    haltChannel: function(channel) {
      var mixer = KestrolaMixer;
      var voice = mixer.channels[channel];
      mixer.channels[channel] = null;
      mixer.stop(voice);
    },

    resume: function() {
      var context = KestrolaMixer.context;
      if (context && context.state === 'suspended') context.resume();
    },

    // Only what the page itself suspended is resumed on its return: a sound the browser has
    // not yet let play still waits for the player's click.
    suspendedWhileHidden: false,
    followVisibility: function() {
      var mixer = KestrolaMixer;
      var context = mixer.context;
      if (!context) return;
      if (document.hidden) {
        if (context.state === 'running') {
          mixer.suspendedWhileHidden = true;
          context.suspend();
        }
      } else if (mixer.suspendedWhileHidden) {
        mixer.suspendedWhileHidden = false;
        context.resume();
      }
    },

    close: function() {
      var mixer = KestrolaMixer;
      document.removeEventListener('visibilitychange', mixer.followVisibility);
      if (mixer.context) mixer.context.close();
      mixer.context = null;
    }
  },

  Mix_OpenAudio__deps: ['$KestrolaMixer'],
  Mix_OpenAudio: function(frequency, format, channels, chunksize) {
    var mixer = KestrolaMixer;
    var Context = typeof AudioContext !== 'undefined' ? AudioContext :
                  (typeof webkitAudioContext !== 'undefined' ? webkitAudioContext : null);
    if (!Context) return -1;
    try {
      mixer.context = new Context();
    } catch (e) {
      return -1;
    }
    mixer.musicGain = mixer.context.createGain();
    mixer.musicGain.connect(mixer.context.destination);
    for (var i = 0; i < mixer.CHANNEL_COUNT; ++i) mixer.channels[i] = null;
    // Browsers keep the sound off until the player clicks or presses a key.
    ['click', 'mousedown', 'keydown', 'touchend'].forEach(function(name) {
      document.addEventListener(name, mixer.resume, true);
    });
    Module['resumeAudio'] = mixer.resume;
    document.addEventListener('visibilitychange', mixer.followVisibility);
    // A page may hold only a few audio outputs at once: the page closes a finished game's.
    Module['closeAudio'] = mixer.close;
    mixer.resume();
    mixer.followVisibility();
    return 0;
  },

  Mix_CloseAudio__deps: ['$KestrolaMixer'],
  Mix_CloseAudio: function() {
    KestrolaMixer.close();
  },

  Mix_LoadMUS__deps: ['$KestrolaMixer'],
  Mix_LoadMUS: function(path) {
    if (!KestrolaMixer.context) return 0;
    return KestrolaMixer.load(UTF8ToString(path));
  },

  // The library's own free of a stream would hand out handle 0 next, which reads as a failure;
  // the handle of a file name is left as it is.
  Mix_LoadWAV_RW__deps: ['$KestrolaMixer', '$SDL'],
  Mix_LoadWAV_RW: function(stream, freeStream) {
    var named = SDL.rwops[stream];
    if (!KestrolaMixer.context || !named || named.filename === undefined) return 0;
    return KestrolaMixer.load(named.filename);
  },

  Mix_VolumeChunk__deps: ['$KestrolaMixer'],
  Mix_VolumeChunk: function(chunk, volume) {
    var sound = KestrolaMixer.sounds[chunk];
    if (!sound) return -1;
    var previous = sound.volume;
    if (volume >= 0) {
      sound.volume = Math.min(volume, KestrolaMixer.LOUDEST);
      sound.gain.gain.value = KestrolaMixer.gainOf(sound.volume);
    }
    return previous;
  },

  Mix_VolumeMusic__deps: ['$KestrolaMixer'],
  Mix_VolumeMusic: function(volume) {
    var mixer = KestrolaMixer;
    var previous = mixer.musicVolume;
    if (volume >= 0 && mixer.musicGain) {
      mixer.musicVolume = Math.min(volume, mixer.LOUDEST);
      mixer.musicGain.gain.value = mixer.gainOf(mixer.musicVolume);
    }
    return previous;
  },

  // loops: -1 forever, otherwise the number of repeats after the first play. ticks (a time
  // limit) is always -1 in the game.
  Mix_PlayChannelTimed__deps: ['$KestrolaMixer'],
  Mix_PlayChannelTimed: function(channel, chunk, loops, ticks) {
    var mixer = KestrolaMixer;
    var sound = mixer.sounds[chunk];
    if (!sound || !mixer.context) return -1;
    if (channel == -1) {
      for (var i = 0; i < mixer.CHANNEL_COUNT; ++i) {
        if (!mixer.channels[i]) {
          channel = i;
          break;
        }
      }
      if (channel == -1) return -1;
    } else if (channel < 0 || channel >= mixer.CHANNEL_COUNT) {
      return -1;
    } else {
      mixer.haltChannel(channel);
    }
    var voice = mixer.start(sound, sound.gain, loops < 0 ? -1 : loops + 1);
    voice.sound = sound;
    voice.ended = function() {
      if (mixer.channels[channel] === voice) mixer.channels[channel] = null;
    };
    mixer.channels[channel] = voice;
    return channel;
  },

  Mix_HaltChannel__deps: ['$KestrolaMixer'],
  Mix_HaltChannel: function(channel) {
    var mixer = KestrolaMixer;
    if (channel == -1) {
      for (var i = 0; i < mixer.CHANNEL_COUNT; ++i) mixer.haltChannel(i);
    } else if (channel >= 0 && channel < mixer.CHANNEL_COUNT) {
      mixer.haltChannel(channel);
    }
    return 0;
  },

  Mix_FadeOutChannel__deps: ['$KestrolaMixer'],
  Mix_FadeOutChannel: function(channel, ms) {
    var mixer = KestrolaMixer;
    var fading = 0;
    for (var i = 0; i < mixer.CHANNEL_COUNT; ++i) {
      if ((channel == -1 || channel == i) && mixer.channels[i]) {
        mixer.fadeOut(mixer.channels[i], ms);
        ++fading;
      }
    }
    return fading;
  },

  // loops: -1 forever; 0 and 1 play the tune once; more, that many times. A tune asked for
  // while the last one fades out starts when the fade has ended, as the desktop mixer waits.
  Mix_PlayMusic__deps: ['$KestrolaMixer'],
  Mix_PlayMusic: function(music, loops) {
    var mixer = KestrolaMixer;
    var sound = mixer.sounds[music];
    if (!sound || !mixer.context) return -1;
    var at = 0;
    if (mixer.music) {
      at = mixer.music.fadesUntil;
      mixer.stop(mixer.music, at);
    }
    var voice = mixer.start(sound, mixer.musicGain, loops < 0 ? -1 : Math.max(loops, 1), at);
    voice.sound = sound;
    voice.ended = function() {
      if (mixer.music === voice) mixer.music = null;
    };
    mixer.music = voice;
    return 0;
  },

  Mix_HaltMusic__deps: ['$KestrolaMixer'],
  Mix_HaltMusic: function() {
    var mixer = KestrolaMixer;
    mixer.stop(mixer.music);
    mixer.music = null;
    return 0;
  },

  Mix_FadeOutMusic__deps: ['$KestrolaMixer'],
  Mix_FadeOutMusic: function(ms) {
    var mixer = KestrolaMixer;
    if (!mixer.music) return 0;
    mixer.fadeOut(mixer.music, ms);
    return 1;
  },

  // Freeing the tune that sounds stops it, after its fade-out if it has one.
  Mix_FreeMusic__deps: ['$KestrolaMixer'],
  Mix_FreeMusic: function(music) {
    var mixer = KestrolaMixer;
    var sound = mixer.sounds[music];
    if (!sound) return;
    if (mixer.music && mixer.music.sound === sound) {
      if (!mixer.music.fadesUntil) mixer.stop(mixer.music);
      mixer.music = null;
    }
    sound.waiting = [];
    sound.freed = true;
    mixer.sounds[music] = null;
  },

  // Freeing an effect stops every channel playing it.
  Mix_FreeChunk__deps: ['$KestrolaMixer'],
  Mix_FreeChunk: function(chunk) {
    var mixer = KestrolaMixer;
    var sound = mixer.sounds[chunk];
    if (!sound) return;
    for (var i = 0; i < mixer.CHANNEL_COUNT; ++i) {
      if (mixer.channels[i] && mixer.channels[i].sound === sound) mixer.haltChannel(i);
    }
    sound.waiting = [];
    sound.freed = true;
    mixer.sounds[chunk] = null;
  }
};

autoAddDeps(LibraryKestrolaMixer, '$KestrolaMixer');
mergeInto(LibraryManager.library, LibraryKestrolaMixer);
