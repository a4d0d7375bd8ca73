// page.js -- the page around the game: the data package, the records in the
// browser's storage, the picture on the canvas, keys, sound and the gamepad.
// The game itself (velkaro.js and velkaro.wasm) is the desktop game's code.
'use strict';

var Module = (function () {
  var stage = document.getElementById('stage');
  var canvas = document.getElementById('screen');
  var context = canvas.getContext('2d', { alpha: false });
  var notice = document.getElementById('notice');
  var loaded = document.getElementById('loaded');
  var GAME_DIR = '/velkaro';
  var DATA_DIR = GAME_DIR + '/data';
  var pageStart = performance.now();

  var M = {
    canvas: canvas,
    velkaroKeyQueue: [],
    velkaroSoundBlocks: 0,  // blocks of sound pulled from the game
    print: function (text) { console.log(text); },
    printErr: function (text) { console.error(text); },
    preRun: [startFiles],
    // ?author in the page's address is the desktop's --author: the a key stores checkpoints.
    onRuntimeInitialized: function () { M._velkaro_web_main(/[?&]author(&|=|$)/.test(location.search) ? 1 : 0); },
    velkaroGameEnded: function () { say('The game has ended. Reload the page to play again.'); },
  };

  function say(text) { notice.textContent = text; }

  // ---- the picture -------------------------------------------------------
  // Whole-number scale that fits the stage; below one frame's size, the fit.
  function layout() {
    var w = stage.clientWidth, h = stage.clientHeight;
    var fit = Math.min(w / canvas.width, h / canvas.height);
    var scale = fit >= 1 ? Math.floor(fit) : fit;
    canvas.style.width = canvas.width * scale + 'px';
    canvas.style.height = canvas.height * scale + 'px';
  }
  window.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);

  M.velkaroSetCanvasSize = function (w, h) {
    canvas.width = w;
    canvas.height = h;
    layout();
  };

  M.velkaroPutPixels = function (ptr, w, x, y, rw, rh) {
    var h = canvas.height;
    var pixels = new Uint8ClampedArray(M.HEAPU8.buffer, ptr, w * h * 4);
    context.putImageData(new ImageData(pixels, w, h), 0, 0, x, y, rw, rh);
    if (M.velkaroFirstFrameMs === undefined) {
      M.velkaroFirstFrameMs = performance.now() - pageStart;
      document.getElementById('loading').remove();
      canvas.hidden = false;
      layout();
      stage.focus();
    }
  };

  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen().catch(function () {});
    stage.focus();
  }
  document.getElementById('full').addEventListener('click', function () {
    startSound();
    toggleFullscreen();
  });

  // ---- keys --------------------------------------------------------------
  // SDL 1.2 key numbers of the keys the game and its menus can see.
  var NAMED = { ArrowUp: 273, ArrowDown: 274, ArrowRight: 275, ArrowLeft: 276, Enter: 13, Escape: 27,
                Backspace: 8, Tab: 9, ' ': 32, Shift: 304, Control: 306, Alt: 308, Delete: 127 };
  // Keys the browser would otherwise act on (scrolling, moving the focus).
  var KEEP = { 273: 1, 274: 1, 275: 1, 276: 1, 32: 1, 9: 1, 8: 1 };
  var held = {};

  function sdlKey(e) {
    if (NAMED[e.key] !== undefined) return NAMED[e.key];
    if (e.key.length === 1) {
      var c = e.key.toLowerCase().charCodeAt(0);
      if (c > 32 && c < 127) return c;
    }
    return -1;
  }

  function queue(sym, down) {
    if (!down && !held[sym]) return;
    if (down) held[sym] = 1;
    else delete held[sym];
    M.velkaroKeyQueue.push((down ? 1 << 16 : 0) | sym);
  }

  function onKey(e) {
    startSound();
    if (e.ctrlKey || e.metaKey) return;  // the browser's own shortcuts
    // F11 and Alt+Enter switch the page to full screen and back, as they
    // switch the window on the desktop; like there, no screen sees them.
    if (e.key === 'F11' || (e.key === 'Enter' && e.altKey)) {
      e.preventDefault();
      if (e.type === 'keydown' && !e.repeat) toggleFullscreen();
      return;
    }
    var sym = sdlKey(e);
    if (sym < 0) return;
    if (KEEP[sym] || sym < 127) e.preventDefault();
    if (e.type === 'keydown' && e.repeat) return;  // SDL 1.2 sends no repeats by default
    queue(sym, e.type === 'keydown');
  }
  window.addEventListener('keydown', onKey);
  window.addEventListener('keyup', onKey);
  // Focus gone, the game must not think a key is still held.
  window.addEventListener('blur', function () {
    for (var sym in held) queue(+sym, false);
  });
  stage.addEventListener('pointerdown', function () { startSound(); stage.focus(); });

  // ---- sound -------------------------------------------------------------
  // SDL opens the device at start; browsers allow sound only after a gesture,
  // so the Web Audio side starts with the first key or click.
  var audio = null;

  M.velkaroAudioOpen = function (rate, channels, frames) {
    audio = { rate: rate, channels: channels, context: null, node: null, buffer: 0, frames: 0 };
  };
  M.velkaroAudioClose = function () {
    if (audio && audio.node) audio.node.disconnect();
    if (audio && audio.context) audio.context.close();
    audio = null;
  };

  function startSound() {
    if (!audio) return;
    if (audio.context) {
      if (audio.context.state === 'suspended') audio.context.resume();
      return;
    }
    try {
      var ctx = new AudioContext({ sampleRate: audio.rate });
      var node = ctx.createScriptProcessor(2048, 0, 2);
      var a = audio;
      node.onaudioprocess = function (e) { pull(a, e.outputBuffer); };
      node.connect(ctx.destination);
      audio.context = ctx;
      audio.node = node;
    } catch (err) {
      audio = null;  // no sound here: the game plays on silently
    }
  }

  function pull(a, out) {
    var n = out.length;
    if (a.frames < n) {
      if (a.buffer) M._free(a.buffer);
      a.buffer = M._malloc(n * 4);
      a.frames = n;
    }
    M._velkaro_audio_fill(a.buffer, n);
    var s = new Int16Array(M.HEAPU8.buffer, a.buffer, n * a.channels);
    M.velkaroSoundBlocks += 1;
    var left = out.getChannelData(0), right = out.getChannelData(1);
    for (var i = 0; i < n; ++i) {
      left[i] = s[i * a.channels] / 32768;
      right[i] = s[i * a.channels + a.channels - 1] / 32768;
    }
  }

  // ---- gamepad -----------------------------------------------------------
  // Written into SDL's joystick state (web/sdl/joystick_web.c): six axes,
  // eleven buttons and the hat, numbered as Linux numbers an Xbox-style pad.
  var PAD_BUTTONS = [0, 1, 2, 3, 4, 5, 8, 9, 16, 10, 11];
  function axis(v) { return Math.max(-32768, Math.min(32767, Math.round(v * 32767))); }
  function trigger(b) { return b ? axis(b.value * 2 - 1) : -32768; }

  M.velkaroReadPad = function (ptr) {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var pad = null;
    for (var i = 0; i < pads.length && !pad; ++i) if (pads[i] && pads[i].connected) pad = pads[i];
    if (!pad) return;  // none: everything at rest
    var b = pad.buttons, ax = pad.axes, axes = new Int16Array(M.HEAPU8.buffer, ptr, 6), k;
    function pressed(j) { return b[j] && b[j].pressed ? 1 : 0; }
    if (pad.mapping === 'standard') {
      axes.set([axis(ax[0] || 0), axis(ax[1] || 0), trigger(b[6]), axis(ax[2] || 0), axis(ax[3] || 0), trigger(b[7])]);
      for (k = 0; k < PAD_BUTTONS.length; ++k) M.HEAPU8[ptr + 12 + k] = pressed(PAD_BUTTONS[k]);
      M.HEAPU8[ptr + 23] = pressed(12) | pressed(15) << 1 | pressed(13) << 2 | pressed(14) << 3;
    } else {
      for (k = 0; k < 6; ++k) axes[k] = axis(ax[k] || 0);
      for (k = 0; k < 11; ++k) M.HEAPU8[ptr + 12 + k] = pressed(k);
    }
  };

  // ---- files -------------------------------------------------------------
  // The data package: the pictures, sounds, icon and shipped data files as
  // one gzip-compressed tar, inflated by the browser into the game's folder.
  function startFiles() {
    M.addRunDependency('velkaro-files');
    fetchPackage('velkaro-data.tar.gz').then(function (tar) {
      var shipped = unpack(tar);
      return openStorage().then(function () { layOutShipped(shipped); });
    }).then(function () {
      M.FS.chdir(GAME_DIR);
      M.removeRunDependency('velkaro-files');
    }).catch(function (err) {
      console.error('Velkaro could not load its data: ' + err);
      say('The game could not load its data (' + err + ').');
    });
  }

  function fetchPackage(url) {
    return fetch(url).then(function (response) {
      if (!response.ok) throw new Error(url + ': ' + response.status);
      var total = +response.headers.get('Content-Length') || 0, got = 0, parts = [];
      var reader = response.body.getReader();
      function read() {
        return reader.read().then(function (r) {
          if (r.done) return new Blob(parts);
          parts.push(r.value);
          got += r.value.length;
          if (total) loaded.style.width = Math.min(100, 100 * got / total) + '%';
          return read();
        });
      }
      return read();
    }).then(function (blob) {
      return blob.slice(0, 2).arrayBuffer().then(function (head) {
        var b = new Uint8Array(head);
        // A server may already have inflated it (Content-Encoding): take it as it is.
        if (b[0] !== 0x1f || b[1] !== 0x8b) return blob.arrayBuffer();
        return new Response(blob.stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
      });
    }).then(function (buffer) { return new Uint8Array(buffer); });
  }

  function text(bytes, at, len) {
    var s = '';
    for (var i = at; i < at + len && bytes[i]; ++i) s += String.fromCharCode(bytes[i]);
    return s;
  }

  // Writes the tar's files under GAME_DIR; the shipped data files are kept
  // aside (name -> bytes) for laying out where the player has none.
  function unpack(tar) {
    var FS = M.FS, shipped = {}, at = 0;
    FS.mkdirTree(DATA_DIR);
    while (at + 512 <= tar.length && tar[at]) {
      var name = text(tar, at, 100), prefix = text(tar, at + 345, 155);
      var size = parseInt(text(tar, at + 124, 12), 8) || 0, type = String.fromCharCode(tar[at + 156] || 48);
      if (prefix) name = prefix + '/' + name;
      name = name.replace(/^\.\//, '').replace(/\/$/, '');
      var body = tar.subarray(at + 512, at + 512 + size);
      if (type === '5') {
        if (name !== 'data' && name) FS.mkdirTree(GAME_DIR + '/' + name);
      } else if (type === '0' && name) {
        if (name.indexOf('data/') === 0) shipped[name.slice(5)] = body;
        else FS.writeFile(GAME_DIR + '/' + name, body);
      }
      at += 512 + Math.ceil(size / 512) * 512;
    }
    return shipped;
  }

  function layOutShipped(shipped) {
    for (var name in shipped) {
      var path = DATA_DIR + '/' + name;
      if (!M.FS.analyzePath(path).exists) M.FS.writeFile(path, shipped[name]);
    }
  }

  // ---- records -----------------------------------------------------------
  // The data folder lives in IndexedDB; every save the game makes (a file
  // written there, or a temporary file renamed into place) is flushed when
  // the game next yields to the page, at the end of that frame.
  var storage = { ok: false, busy: false, again: false };

  function storageLost(err) {
    if (!storage.ok && storage.told) return;
    storage.ok = false;
    storage.told = true;
    var msg = 'Records will not be kept: this browser gives the page no storage (' + err + ').';
    console.warn(msg);
    say(msg);
  }

  function openStorage() {
    return new Promise(function (resolve) {
      try {
        if (!window.indexedDB) throw new Error('no IndexedDB');
        M.FS.mount(M.IDBFS, {}, DATA_DIR);
      } catch (err) {
        storageLost(err.message || err);
        return resolve();
      }
      M.FS.syncfs(true, function (err) {
        if (err) storageLost(err.message || err);
        else storage.ok = true;
        watchSaves();
        resolve();
      });
    });
  }

  function flush() {
    if (!storage.ok) return;
    if (storage.busy) { storage.again = true; return; }
    storage.busy = true;
    M.FS.syncfs(false, function (err) {
      storage.busy = false;
      if (err) return storageLost(err.message || err);
      M.velkaroSaves = (M.velkaroSaves || 0) + 1;
      if (storage.again) { storage.again = false; flush(); }
    });
  }

  // The file system's own calls, watched: a file written in the data folder
  // and closed, or a file renamed into it or removed from it, is a save.
  function watchSaves() {
    var FS = M.FS, written = {}, pending = false;
    function soon() {
      if (pending) return;
      pending = true;
      Promise.resolve().then(function () { pending = false; flush(); });
    }
    function inData(path) { return typeof path === 'string' && path.indexOf(DATA_DIR + '/') === 0; }
    function wrap(name, before) {
      var call = FS[name];
      FS[name] = function () {
        var result = call.apply(FS, arguments);
        before.apply(null, arguments);
        return result;
      };
    }
    wrap('write', function (stream) { if (inData(stream.path)) written[stream.path] = 1; });
    wrap('close', function (stream) {
      if (written[stream.path]) { delete written[stream.path]; soon(); }
    });
    wrap('rename', function (from, to) { if (inData(to)) soon(); });
    wrap('unlink', function (path) { if (inData(path)) soon(); });
  }

  return M;
})();
