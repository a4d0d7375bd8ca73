// bench.js -- the browser half of scripts/web-bench.sh: the race frame
// benchmark in headless Chromium, and the time to the first frame of the page.
//
// usage: node bench.js WEB_DIR PORT NATIVE_MS_PER_FRAME
'use strict';
const path = require('path');
const { chromium } = require(path.join(__dirname, '../../tests/web/node_modules/playwright-core'));
const { spawn } = require('child_process');

const [webDir, port, nativeMs] = process.argv.slice(2);
const origin = `http://127.0.0.1:${port}`;
const FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function serve() {
  const server = spawn('python3', ['-m', 'http.server', port, '--bind', '127.0.0.1', '--directory', webDir],
    { stdio: 'ignore' });
  for (let i = 0; i < 100; ++i) {
    try { await fetch(origin + '/index.html'); return server; } catch (e) { await sleep(100); }
  }
  throw new Error('the server did not start');
}

async function raceFrames(browser) {
  const page = await browser.newPage();
  const lines = [];
  let done;
  const finished = new Promise((r) => { done = r; });
  page.on('console', (m) => {
    lines.push(m.text());
    if (/^race frame work:/.test(m.text()) || /^bench:/.test(m.text())) done();
  });
  await page.goto(origin + '/bench/bench.html?rounds=3');
  const limit = setTimeout(done, 300000);
  await finished;
  clearTimeout(limit);
  await page.close();
  return lines.filter((l) => /^race frame/.test(l));
}

// Each load in a context of its own: nothing cached from the one before.
async function firstFrames(browser, loads) {
  const times = [];
  for (let i = 0; i < loads; ++i) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.goto(origin + '/');
    await page.waitForFunction(() => window.Module && Module.velkaroFirstFrameMs !== undefined, null, { timeout: 20000 });
    times.push(await page.evaluate(() => Module.velkaroFirstFrameMs));
    await context.close();
  }
  return times.sort((a, b) => a - b);
}

(async () => {
  const server = await serve();
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, args: FLAGS });
  try {
    const race = await raceFrames(browser);
    for (const l of race) console.log('browser ' + l);
    const web = race.length ? +/race frame work: ([\d.]+)/.exec(race[race.length - 1])[1] : NaN;
    console.log(`race frame work, browser / native: ${web.toFixed(4)} / ${(+nativeMs).toFixed(4)} ms = ${(web / nativeMs).toFixed(2)}`);
    const times = await firstFrames(browser, 7);
    console.log(`first frame after the page began, 7 fresh loads: median ${times[3].toFixed(0)} ms, ` +
      `fastest ${times[0].toFixed(0)}, slowest ${times[6].toFixed(0)}`);
  } finally {
    await browser.close();
    server.kill();
  }
})();
