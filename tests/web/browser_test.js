// browser_test.js -- the web edition in headless Chromium, played with real
// key events against the built page served on 127.0.0.1.
//
// usage: node browser_test.js WEB_DIR REFERENCE_DIR KEYS_FILE SHOTS_DIR PORT
// REFERENCE_DIR holds the desktop build's frames of tests/web/menus.script;
// KEYS_FILE is the real-time recording of a mode-1 race (KEY HELD PAUSE).
'use strict';
const { chromium } = require('playwright-core');
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const [webDir, referenceDir, keysFile, shotsDir, port] = process.argv.slice(2);
const origin = `http://127.0.0.1:${port}`;
const FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'PASS' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A 24-bit BMP as RGBA rows, top row first.
function readBmp(file) {
  const b = fs.readFileSync(file);
  const offset = b.readUInt32LE(10), w = b.readInt32LE(18), h = b.readInt32LE(22), bpp = b.readUInt16LE(28);
  if (bpp !== 24) throw new Error(`${file}: ${bpp} bits a pixel`);
  const pitch = Math.ceil((w * 3) / 4) * 4, out = Buffer.alloc(w * Math.abs(h) * 4);
  for (let y = 0; y < Math.abs(h); ++y) {
    const row = offset + (h > 0 ? Math.abs(h) - 1 - y : y) * pitch;
    for (let x = 0; x < w; ++x) {
      const o = (y * w + x) * 4;
      out[o] = b[row + 3 * x + 2];
      out[o + 1] = b[row + 3 * x + 1];
      out[o + 2] = b[row + 3 * x];
      out[o + 3] = 255;
    }
  }
  return { w, h: Math.abs(h), pixels: out };
}

// The canvas as the game last drew it (RGBA).
async function canvasPixels(page) {
  const b64 = await page.evaluate(() => {
    const c = document.getElementById('screen');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
    return btoa(s);
  });
  return Buffer.from(b64, 'base64');
}

// Share of pixels equal in both pictures.
function sameShare(a, b) {
  if (a.length !== b.length) return 0;
  let same = 0;
  for (let i = 0; i < a.length; i += 4) if (a[i] === b[i] && a[i + 1] === b[i + 1] && a[i + 2] === b[i + 2]) ++same;
  return same / (a.length / 4);
}

// The reference the canvas is nearest to, with the share of equal pixels.
function nearest(pixels, refs) {
  let best = { name: '', share: -1 };
  for (const name of Object.keys(refs)) {
    const share = sameShare(pixels, refs[name]);
    if (share > best.share) best = { name, share };
  }
  return best;
}

// Real key events: down, held across at least one 25 ms frame, up.
const KEY_NAMES = { up: 'ArrowUp', down: 'ArrowDown', left: 'ArrowLeft', right: 'ArrowRight' };
async function hold(page, key, ms) {
  const name = KEY_NAMES[key.toLowerCase()] || key;
  await page.keyboard.down(name);
  await sleep(Math.max(ms, 60));
  await page.keyboard.up(name);
}

function startServer() {
  const server = spawn('python3', ['-m', 'http.server', port, '--bind', '127.0.0.1', '--directory', webDir],
    { stdio: ['ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    const deadline = Date.now() + 10000;
    (function poll() {
      fetch(origin + '/index.html').then(() => resolve(server)).catch(() => {
        if (Date.now() > deadline) reject(new Error('the server did not start'));
        else setTimeout(poll, 100);
      });
    })();
  });
}

// Watches a page: console lines by kind, FPS reports, requests off the origin.
function watch(page) {
  const seen = { errors: [], warnings: [], log: [], fps: [], foreign: [] };
  page.on('console', (m) => {
    const t = m.text();
    if (m.type() === 'error') seen.errors.push(t);
    else if (m.type() === 'warning') seen.warnings.push(t);
    else seen.log.push(t);
    const fps = /(\d+)FPS$/.exec(t);
    if (fps) seen.fps.push(+fps[1]);
  });
  page.on('pageerror', (e) => seen.errors.push(String(e)));
  page.on('request', (r) => { if (!r.url().startsWith(origin + '/') && !r.url().startsWith('data:')) seen.foreign.push(r.url()); });
  return seen;
}

async function openGame(page, query = '') {
  await page.goto(origin + '/' + query);
  await page.waitForFunction(() => window.Module && Module.velkaroFirstFrameMs !== undefined, null, { timeout: 20000 });
  return page.evaluate(() => Module.velkaroFirstFrameMs);
}

const readGameFile = (page, name) => page.evaluate((n) => {
  try { return Module.FS.readFile('/velkaro/data/' + n, { encoding: 'utf8' }); } catch (e) { return null; }
}, name);

// The FPS reports of a stretch of play, leaving out the first two (start-up).
function fpsSettled(seen) { return seen.fps.slice(2); }

async function menusAndKeys(page, seen, refs) {
  const first = await openGame(page);
  console.log(`first frame ${first.toFixed(0)} ms after the page began`);
  // 1280 x 1100 leaves 1280 x 1072 for the picture: twice its size fits, three times does not.
  const size = await page.evaluate(() => [getComputedStyle(Module.canvas).width, getComputedStyle(Module.canvas).height,
    getComputedStyle(Module.canvas).imageRendering]);
  check(size[0] === '960px' && size[1] === '960px' && size[2] === 'pixelated',
    `the picture is scaled by a whole number with sharp pixels (${size.join(' ')})`);
  await sleep(4000);  // the intro: 110 frames
  const silent = await page.evaluate(() => Module.velkaroSoundBlocks);
  check(silent === 0, 'no sound is pulled before the first key or click');
  const title = await canvasPixels(page);
  await page.screenshot({ path: path.join(shotsDir, 'title.png') });
  const titleSame = sameShare(title, refs['title-menu']);
  check(titleSame === 1, `the title menu appears as the desktop draws it (${(100 * titleSame).toFixed(2)}% of pixels equal)`);
  await hold(page, 'up', 60);
  await hold(page, 'z', 80);
  await sleep(1300);
  const mode = nearest(await canvasPixels(page), refs);
  await page.screenshot({ path: path.join(shotsDir, 'mode-select.png') });
  check(mode.name === 'mode-select' && mode.share > 0.9,
    `up and z reach the mode select (nearest ${mode.name}, ${(100 * mode.share).toFixed(1)}% equal)`);
  await hold(page, 'z', 80);
  await sleep(1000);
  const course = nearest(await canvasPixels(page), refs);
  await page.screenshot({ path: path.join(shotsDir, 'course-select.png') });
  check(course.name === 'course-select' && course.share > 0.9,
    `z reaches the course select (nearest ${course.name}, ${(100 * course.share).toFixed(1)}% equal)`);
  // A page that gets no time for 3 s (as a background tab gets next to none)
  // goes on at 40 frames a second afterwards, without a burst to catch up.
  const fpsBefore = seen.fps.length;
  await page.evaluate(() => { const end = performance.now() + 3000; while (performance.now() < end); });
  await sleep(4500);
  const after = seen.fps.slice(fpsBefore);
  check(after.length >= 4 && after.every((f) => f <= 41) && after.slice(1).every((f) => f >= 39),
    `after a 3 s stall the game resumes at its pace, no catch-up burst (FPS ${after.join(' ')})`);
  const sound = await page.evaluate(() => Module.velkaroSoundBlocks);
  check(sound > 0, `sound starts with the first key (${sound} blocks pulled from the game)`);
  // The page does not scroll under the arrows and space.
  const scrolled = await page.evaluate(() => window.scrollX + window.scrollY);
  check(scrolled === 0, 'arrows and space leave the page where it is');
}

async function raceAndReload(page, seen) {
  await openGame(page, '?author');  // the recording stores its checkpoints with the a key
  const before = (await readGameFile(page, 'bestTime.txt')).trim().split(/\s+/);
  check(before[0] === '0', `slot 0 starts without a best time (${before[0]})`);
  const fpsFrom = seen.fps.length;
  await sleep(3200);
  for (const line of fs.readFileSync(keysFile, 'utf8').split('\n')) {
    const [key, held, pause] = line.trim().split(/\s+/);
    if (!key || key.startsWith('#')) continue;
    await hold(page, key === 'Up' ? 'up' : key, 1000 * +held);
    await sleep(1000 * +pause);
  }
  await page.screenshot({ path: path.join(shotsDir, 'result.png') });
  const best = +(await readGameFile(page, 'bestTime.txt')).trim().split(/\s+/)[0];
  const count = +(await readGameFile(page, 'saveCnt0.txt') || 0);
  check(best > 0 && best === 16 * count, `the mode-1 race finishes with a record: ${best} ms, ${count} entries stored`);
  const racing = seen.fps.slice(fpsFrom + 2);
  check(racing.length > 5 && racing.every((f) => f >= 39 && f <= 41), `FPS while racing 39-41: ${racing.join(' ')}`);
  // Each save is flushed when made: wait for the flush, not for a timer.
  await page.waitForFunction(() => (Module.velkaroSaves || 0) > 0, null, { timeout: 5000 }).catch(() => {});
  await openGame(page);
  const again = +(await readGameFile(page, 'bestTime.txt')).trim().split(/\s+/)[0];
  check(again === best, `the record survives a reload (${again} ms)`);
}

async function withoutStorage(context) {
  const page = await context.newPage();
  await page.addInitScript(() => { Object.defineProperty(window, 'indexedDB', { value: undefined }); });
  const seen = watch(page);
  await openGame(page);
  await sleep(1500);
  const notice = await page.textContent('#notice');
  const told = seen.warnings.filter((w) => /Records will not be kept/.test(w));
  check(/Records will not be kept/.test(notice) && told.length === 1 && seen.errors.length === 0,
    `without storage the game plays on and says so once (page: "${notice}")`);
  await page.close();
}

// A pad in the browser's standard layout: its d-pad and south button reach
// the game through SDL's joystick as on the desktop.
async function gamepad(context, refs) {
  const page = await context.newPage();
  await page.addInitScript(() => {
    const buttons = [];
    for (let i = 0; i < 17; ++i) buttons.push({ pressed: false, value: 0 });
    window.fakePad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0], buttons };
    navigator.getGamepads = () => [window.fakePad];
  });
  const seen = watch(page);
  await openGame(page);
  await sleep(4000);
  const press = async (button) => {
    await page.evaluate((b) => { fakePad.buttons[b] = { pressed: true, value: 1 }; }, button);
    await sleep(100);
    await page.evaluate((b) => { fakePad.buttons[b] = { pressed: false, value: 0 }; }, button);
    await sleep(100);
  };
  await press(12);  // d-pad up
  await press(0);   // south face button: z
  await sleep(1200);
  const mode = nearest(await canvasPixels(page), refs);
  check(mode.name === 'mode-select' && seen.errors.length === 0,
    `a gamepad's d-pad and south button reach the mode select (nearest ${mode.name})`);
  await page.close();
}

// QUIT in the menu ends the game; the page says so and nothing runs on.
async function quit(context) {
  const page = await context.newPage();
  const seen = watch(page);
  await openGame(page);
  await sleep(4000);
  await hold(page, 'down', 60);
  await hold(page, 'z', 80);
  await sleep(1500);
  const reports = seen.fps.length;
  await sleep(2500);
  const notice = await page.textContent('#notice');
  check(/The game has ended/.test(notice) && seen.fps.length === reports && seen.errors.length === 0,
    `QUIT ends the game and the page says so ("${notice}")`);
  await page.close();
}

// The data package without one sound: the game reports the file as the desktop does.
async function missingAsset(context) {
  const page = await context.newPage();
  const tar = zlib.gunzipSync(fs.readFileSync(path.join(webDir, 'velkaro-data.tar.gz')));
  const kept = [];
  for (let at = 0; at + 512 <= tar.length && tar[at];) {
    const name = tar.toString('latin1', at, at + 100).replace(/\0.*$/s, '');
    const size = parseInt(tar.toString('latin1', at + 124, at + 136), 8) || 0;
    const next = at + 512 + Math.ceil(size / 512) * 512;
    if (name !== 'sound/lap.wav') kept.push(tar.subarray(at, next));
    at = next;
  }
  kept.push(Buffer.alloc(1024));
  const body = zlib.gzipSync(Buffer.concat(kept));
  await page.route('**/velkaro-data.tar.gz', (route) => route.fulfill({ body, contentType: 'application/gzip' }));
  const seen = watch(page);
  await openGame(page);
  await sleep(500);
  check(seen.log.some((l) => l === 'NOT READ FILE sound/lap.wav'), 'a missing sound prints NOT READ FILE to the console');
  await page.close();
}

(async () => {
  fs.mkdirSync(shotsDir, { recursive: true });
  const refs = {};
  for (const name of ['title-menu', 'mode-select', 'course-select']) refs[name] = readBmp(path.join(referenceDir, name + '.bmp')).pixels;
  const server = await startServer();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velkaro-chromium-'));
  let context;
  try {
    context = await chromium.launchPersistentContext(profile, { executablePath: '/usr/bin/chromium', headless: true,
      args: FLAGS, viewport: { width: 1280, height: 1100 } });
    const page = context.pages()[0] || await context.newPage();
    const seen = watch(page);
    await menusAndKeys(page, seen, refs);
    await raceAndReload(page, seen);
    check(seen.errors.length === 0, `no console errors${seen.errors.length ? ': ' + seen.errors.slice(0, 3).join(' | ') : ''}`);
    check(seen.foreign.length === 0, `nothing fetched from another origin${seen.foreign.length ? ': ' + seen.foreign[0] : ''}`);
    await withoutStorage(context);
    await gamepad(context, refs);
    await quit(context);
    await missingAsset(context);
  } catch (e) {
    check(false, 'the browser run: ' + (e && e.stack || e));
  } finally {
    if (context) await context.close();
    server.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(failures ? `${failures} browser checks failed` : 'all browser checks passed');
  process.exit(failures ? 1 : 0);
})();
