// The page around the game (index.html): the language, the frame letterboxed at any size, the touch
// controls on a touch screen, the music after the first gesture, the high-score table kept in
// IndexedDB, and the files kept for playing offline. Loaded before the game's own script.
'use strict';

var Module = {
  canvas: document.getElementById('canvas'),
  // The address's ?pack=NAME plays a lesson pack.
  arguments: (() => {
    const pack = new URLSearchParams(location.search).get('pack');
    return pack ? ['--pack', pack] : [];
  })(),
  kalkulonFrames: 0,
  kalkulonFrame: () => { Module.kalkulonFrames += 1; },
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  preRun: [() => {
    // The language as a desktop's: the address's ?lang as a teacher's setting (a code the game
    // does not speak is said in the console and passed over), then the browser's languages in
    // order, as the desktop's LANGUAGE lists them.
    const lang = new URLSearchParams(location.search).get('lang');
    if (lang) ENV.KALKULON_LANGUAGE = lang;
    const preferred = (navigator.languages || [navigator.language]).filter(Boolean);
    if (preferred.length) ENV.LANGUAGE = preferred.map((code) => code.replace('-', '_')).join(':');
    // /save (IndexedDB) holds what the game saved; it goes back into the game folder first.
    FS.mkdir('/save');
    FS.mount(IDBFS, {}, '/save');
    addRunDependency('kalkulon-save');
    FS.syncfs(true, (error) => {
      if (error) console.error('kalkulon: the saved table cannot be read: ' + error);
      for (const name of FS.readdir('/save')) {
        if (name === '.' || name === '..' || name.endsWith('.new')) continue;
        FS.writeFile('/kalkulon/' + name, FS.readFile('/save/' + name));
      }
      FS.chdir('/kalkulon');
      removeRunDependency('kalkulon-save');
    });
  }],
};

// ---- saving: one sync at a time, and one more if a save came meanwhile ----------------------
(() => {
  let syncing = false;
  let again = false;
  Module.kalkulonSaves = 0;
  Module.kalkulonSave = () => {
    if (syncing) { again = true; return; }
    syncing = true;
    FS.syncfs(false, (error) => {
      syncing = false;
      if (error) console.error('kalkulon: the table was not kept: ' + error);
      else Module.kalkulonSaves += 1;
      if (again) { again = false; Module.kalkulonSave(); }
    });
  };
})();

// ---- the frame: as large as the page allows, its shape kept, pixels sharp -------------------
(() => {
  const touchScreen = 'ontouchstart' in window || navigator.maxTouchPoints > 0;
  if (touchScreen) document.body.classList.add('touch-screen');
  const place = (id, x, y) => { const e = document.getElementById(id); e.style.left = x + 'px'; e.style.top = y + 'px'; };
  const fit = () => {
    const scale = Math.min(innerWidth / 640, innerHeight / 480);
    const width = Math.floor(640 * scale);
    const height = Math.floor(480 * scale);
    const left = Math.floor((innerWidth - width) / 2);
    const top = Math.floor((innerHeight - height) / 2);
    Object.assign(Module.canvas.style, { width: width + 'px', height: height + 'px', left: left + 'px', top: top + 'px' });
    // The controls sit over the frame's lower corners (and the pause button at its top).
    const bottom = top + height - 100;
    place('touch-left', left + 12, bottom);
    place('touch-right', left + 112, bottom);
    place('touch-jump', left + width - 102, bottom);
    place('touch-pause', left + width - 102, top + 12);
  };
  addEventListener('resize', fit);
  fit();
  // The game puts only what changed on the canvas: a canvas given back blank needs a whole frame.
  Module.canvas.addEventListener('contextrestored', () => { Module.kalkulonCanvasLost = true; });
})();

// ---- music: chiptune3 (libopenmpt in an AudioWorklet), started by the first gesture ------------
Module.kalkulonMusic = (() => {
  const music = { bytes: null, wanted: false, gain: 0, looping: true, player: null, unlocked: false, ready: false };
  const start = () => {
    if (!music.unlocked || !music.wanted || !music.bytes) return;
    if (!music.player) {
      import('./chiptune3.js').then(({ ChiptuneJsPlayer }) => {
        if (music.player) return;
        music.player = new ChiptuneJsPlayer({ repeatCount: music.looping ? -1 : 0 });
        music.player.onInitialized(() => { music.ready = true; start(); });
      }).catch((e) => console.error('kalkulon: no music: ' + e));
      return;
    }
    if (!music.ready) return;
    music.player.setVol(music.gain);
    music.player.play(music.bytes.slice(0));
  };
  const unlock = () => { music.unlocked = true; start(); };
  for (const event of ['pointerdown', 'keydown', 'touchstart']) addEventListener(event, unlock, { once: true, capture: true });
  return {
    load(bytes) { music.bytes = bytes; },
    volume(gain) { music.gain = gain; if (music.player) music.player.setVol(gain); },
    loop(on) { music.looping = on; if (music.player && music.ready) music.player.setRepeatCount(on ? -1 : 0); },
    play() { music.wanted = true; start(); },
    stop() { music.wanted = false; if (music.player && music.ready) music.player.stop(); },
    free() { this.stop(); music.bytes = null; },
    state: music,
  };
})();

// ---- offline: the service worker keeps every file of the folder once it is loaded -------------
if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js').catch((e) => console.warn('kalkulon: not kept offline: ' + e));
}
