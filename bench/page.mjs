// Two builds of the browser's folder compared in one run, in headless Chromium (Debian's
// chromium, driven by playwright-core), the builds taking turns, each session in a fresh
// browser: on the title, the frames a second and the tab's processor use (the renderer's main
// thread, Chromium's TaskDuration) over SECONDS; then the wall time of the two curtains of the
// classic game chosen under NOWA GRA, read from the canvas at every frame the game shows: from
// the cover's first cell (top left) to the reveal's reaching the right edge of row 7, 299 cell
// times of 12 ms and the level's loading (3.59 s and the loading on the desktop). Prints each
// session, then min / median / max of each build.
//   node page.mjs RUNS SECONDS NAME=URL NAME=URL
import { chromium } from 'playwright-core';

const [runs, seconds, ...builds] = process.argv.slice(2);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function session(url) {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  const page = await browser.newPage({ viewport: { width: 960, height: 720 } });
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.kalkulonFrames >= 3, null, { timeout: 30000 });
  await sleep(2000);
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Performance.enable');
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const frames = () => page.evaluate(() => Module.kalkulonFrames);
  const f0 = await frames(); const b0 = await busy(); const t0 = Date.now();
  await sleep(seconds * 1000);
  const elapsed = Date.now() - t0;
  const fps = ((await frames()) - f0) * 1000 / elapsed;
  const cpu = ((await busy()) - b0) * 100000 / elapsed;

  const box = await page.locator('#canvas').boundingBox();
  await page.mouse.click(box.x + 320 * box.width / 640, box.y + 170 * box.height / 480);  // NOWA GRA: the lessons
  await sleep(1000);
  await page.evaluate(() => {
    const context = Module.canvas.getContext('2d', { willReadFrequently: true });
    const at = (x, y) => context.getImageData(x, y, 1, 1).data.join();
    const shown = Module.kalkulonFrame;
    window.benchSeen = [];
    Module.kalkulonFrame = () => { shown(); window.benchSeen.push([performance.now(), at(16, 16), at(624, 240)]); };
  });
  await page.mouse.click(box.x + 320 * box.width / 640, box.y + 100 * box.height / 480);  // the classic game
  await sleep(7000);
  const seen = await page.evaluate(() => window.benchSeen);
  await browser.close();
  const first = seen.findIndex(([, corner]) => corner !== seen[0][1]);
  const tile = first < 0 ? null : seen[first][1];
  const covered = seen.findIndex(([, , last], i) => i > first && last === tile);
  const revealed = seen.findIndex(([, , last], i) => i > covered && last !== tile);
  const curtains = first < 0 || covered < 0 || revealed < 0 ? NaN : (seen[revealed][0] - seen[first][0]) / 1000;
  return { fps, cpu, curtains };
}

const results = Object.fromEntries(builds.map((b) => [b.split('=')[0], []]));
for (let run = 1; run <= Number(runs); run += 1) {
  for (const build of builds) {
    const [name, url] = [build.split('=')[0], build.slice(build.indexOf('=') + 1)];
    const r = await session(url);
    results[name].push(r);
    console.log(`${name} ${run}: ${r.fps.toFixed(1)} frames/s and ${r.cpu.toFixed(1)} % of a core on the title; curtains ${r.curtains.toFixed(2)} s`);
  }
}
const spread = (values) => {
  const v = values.slice().sort((a, b) => a - b);
  const median = v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
  return [v[0], median, v[v.length - 1]].map((x) => x.toFixed(2)).join(' / ');
};
console.log(`\n| measure (${runs} sessions each) | ${Object.keys(results).join(' | ')} |`);
console.log(`|---|${Object.keys(results).map(() => '---|').join('')}`);
for (const [what, key] of [['frames a second on the title', 'fps'], ['processor on the title, % of a core', 'cpu'], ['the two curtains of a new game, s', 'curtains']]) {
  console.log(`| ${what} | ${Object.values(results).map((rs) => spread(rs.map((r) => r[key]))).join(' | ')} |`);
}
