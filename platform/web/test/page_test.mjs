// The browser page in headless Chromium (Debian's chromium, driven by playwright-core): it
// loads without a failed file or an error, reaches the title, starts a game with taps on a
// touch screen and steers with the on-screen arrow, plays level 1 on to its sum with the keys,
// goes on to level 2 and walks there with a gamepad, keeps its high-score table across a
// reload, and speaks Ukrainian with ?lang=uk and English in an English browser. Prints the
// figures: time to the title, frames a second on the title and in play, the tab's processor use
// on the title.
//   node page_test.mjs URL SCREENSHOT_DIR
import { chromium } from 'playwright-core';

const [url, shots] = process.argv.slice(2);
const failures = [];
let checks = 0;
const check = (ok, what) => { checks += 1; console.log((ok ? 'ok    ' : 'FAILED ') + what); if (!ok) failures.push(what); };
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required'] });
// A Polish browser: the game's own language.
const context = await browser.newContext({ viewport: { width: 960, height: 720 }, hasTouch: true, locale: 'pl-PL' });
// A gamepad in the standard layout, plugged in from the start: testPad(button, down).
await context.addInitScript(() => {
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
  const pad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0, axes: [0, 0, 0, 0], buttons };
  window.testPad = (button, down) => { buttons[button] = { pressed: down, touched: down, value: down ? 1 : 0 }; pad.timestamp += 1; };
  Object.defineProperty(Navigator.prototype, 'getGamepads', { value: () => [pad, null, null, null] });
});
const page = await context.newPage();
const problems = [];
page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
page.on('pageerror', (e) => problems.push(String(e)));
page.on('response', (r) => { if (r.status() >= 400 && !r.url().endsWith('favicon.ico')) problems.push(r.status() + ' ' + r.url()); });

const frames = () => page.evaluate(() => Module.kalkulonFrames);
const started = Date.now();
await page.goto(url);
await page.waitForFunction(() => window.Module && Module.kalkulonFrames >= 3, null, { timeout: 30000 });
const toTitle = Date.now() - started;
await sleep(1000);
check(problems.length === 0, 'the page loads without errors ' + JSON.stringify(problems));
await page.screenshot({ path: shots + '/title.png' });
// The menu's first button, its caption in the language's picture.
const menuButton = { x: 278, y: 150, width: 100, height: 36 };
const buttonOf = async (p) => {
  const c = await p.locator('#canvas').boundingBox();
  const s = c.width / 640;
  return p.screenshot({ clip: { x: c.x + menuButton.x * s, y: c.y + menuButton.y * s, width: menuButton.width * s, height: menuButton.height * s } });
};
const polishButton = await buttonOf(page);

// Frames a second and the tab's processor use on the title, over four seconds.
const cdp = await context.newCDPSession(page);
await cdp.send('Performance.enable');
const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
const f0 = await frames(); const b0 = await busy(); const t0 = Date.now();
await sleep(4000);
const titleFps = ((await frames()) - f0) * 1000 / (Date.now() - t0);
const titleCpu = ((await busy()) - b0) * 100000 / (Date.now() - t0);

// Browsers allow sound only after a gesture: no player before the first tap, one playing after.
const music = () => page.evaluate(() => ({ player: !!Module.kalkulonMusic.state.player, ready: Module.kalkulonMusic.state.ready, wanted: Module.kalkulonMusic.state.wanted }));
const silent = await music();

// A tap is a click: NOWA GRA, the classic game among the lessons, then START under the story;
// the arrow held moves the figure.
const box = await page.locator('#canvas').boundingBox();
const tap = (x, y) => page.touchscreen.tap(box.x + x * box.width / 640, box.y + y * box.height / 480);
await tap(320, 170);
await sleep(500);
await tap(320, 100);
await sleep(5000);  // the curtains: 3.84 s
await page.screenshot({ path: shots + '/story.png' });
const playing = await music();
check(!silent.player && playing.ready && playing.wanted, 'the music waits for the first tap, then plays ' + JSON.stringify([silent, playing]));
await tap(320, 278);
await sleep(2000);
// Where the figure stands at the start of level 1 (nothing else moves there).
const figure = () => page.evaluate(() => Array.from(Module.canvas.getContext('2d').getImageData(20, 320, 130, 110).data).join());
const before = await figure();
const f1 = await frames(); const t1 = Date.now();
const right = await page.locator('#touch-right').boundingBox();
await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: right.x + 40, y: right.y + 40 }] });
await sleep(1500);
await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
const playFps = ((await frames()) - f1) * 1000 / (Date.now() - t1);
await page.screenshot({ path: shots + '/play.png' });
check(before !== (await figure()), 'taps start a game and the on-screen arrow moves the figure');
const beforeKeys = await figure();
await page.keyboard.down('ArrowLeft');
await sleep(800);
await page.keyboard.up('ArrowLeft');
await page.keyboard.press('ArrowUp');
await sleep(600);
await page.screenshot({ path: shots + '/keys.png' });
check(beforeKeys !== (await figure()), 'the arrow keys move the figure');
// On to the sum with the keys: right along the floor (3, +, 4) to the ledge, a jump onto it
// touches "=", and the game judges 3+4 in its trace, with the result box over the level.
await page.keyboard.down('ArrowRight');
await sleep(4000);
await page.keyboard.down('ArrowUp');
await sleep(400);
await page.keyboard.up('ArrowUp');
const trace = () => page.evaluate(() => new TextDecoder('latin1').decode(FS.readFile('/kalkulon/debug.txt')));
const judged = await page.waitForFunction(() => new TextDecoder('latin1').decode(FS.readFile('/kalkulon/debug.txt')).includes('wynik:'), null, { timeout: 5000 }).then(() => true, () => false);
await page.keyboard.up('ArrowRight');
await sleep(500);
await page.screenshot({ path: shots + '/level_won.png' });
check(judged && (await trace()).endsWith('3+4obliczenie wyniku\nwynik: 7'), 'the keys take 3+4 and touch "=", and the sum is judged');

// The gamepad, mapped as on the desktop: the south button highlights DALEJ and presses it, and
// the D-pad walks the figure in level 2 onto its first token, which shows in the bar below.
const pad = async (button, ms) => { await page.evaluate((b) => testPad(b, true), button); await sleep(ms); await page.evaluate((b) => testPad(b, false), button); await sleep(200); };
const firstTaken = () => page.evaluate(() => Array.from(Module.canvas.getContext('2d').getImageData(62, 448, 32, 32).data).join());
await page.mouse.move(box.x + 5, box.y + box.height - 5);
await pad(0, 100);
await pad(0, 100);
await sleep(5000);  // the curtains
const noneTaken = await firstTaken();
await pad(15, 1200);
await page.screenshot({ path: shots + '/gamepad.png' });
check((await trace()).includes('level2.lvl') && noneTaken !== (await firstTaken()), 'a gamepad presses DALEJ and walks the figure in level 2 onto a token');

// The table: what the game saved (an empty table at the first start) is in IndexedDB; a table
// put there comes back into the game's folder after a reload, and the game shows it.
await page.waitForFunction(() => Module.kalkulonSaves >= 1, null, { timeout: 10000 });
const table = new Uint8Array(120);
new DataView(table.buffer).setInt32(0, 4242, true);
table.set(new TextEncoder().encode('ZOSIA'), 40);
await page.evaluate((bytes) => new Promise((done) => {
  FS.writeFile('/save/hiscore.tbl', new Uint8Array(bytes));
  FS.syncfs(false, done);
}), Array.from(table));
await page.reload();
await page.waitForFunction(() => window.Module && Module.kalkulonFrames >= 3, null, { timeout: 30000 });
const kept = await page.evaluate(() => Array.from(FS.readFile('/kalkulon/hiscore.tbl')));
check(JSON.stringify(kept) === JSON.stringify(Array.from(table)), 'the high-score table survives a reload');
await page.mouse.click(box.x + 320 * box.width / 640, box.y + 240 * box.height / 480);  // WYNIKI
await sleep(5000);  // the curtains
await page.screenshot({ path: shots + '/high_scores.png' });

// The language: the address's ?lang=uk in this Polish browser, and an English browser's own.
const titleIn = async (ctx, address, shot) => {
  const p = await ctx.newPage();
  await p.goto(address);
  await p.waitForFunction(() => window.Module && Module.kalkulonFrames >= 3, null, { timeout: 30000 });
  await sleep(1000);
  await p.screenshot({ path: shots + '/' + shot });
  return buttonOf(p);
};
const ukrainianButton = await titleIn(context, url + '?lang=uk', 'title_uk.png');
const english = await browser.newContext({ viewport: { width: 960, height: 720 }, locale: 'en-GB' });
const englishButton = await titleIn(english, url, 'title_en.png');
check(!ukrainianButton.equals(polishButton) && !englishButton.equals(polishButton) && !englishButton.equals(ukrainianButton),
  'the title speaks Ukrainian with ?lang=uk and English in an English browser');

console.log(`figures: title after ${toTitle} ms; ${titleFps.toFixed(1)} frames/s and ${titleCpu.toFixed(1)} % of a core on the title; ${playFps.toFixed(1)} frames/s in play`);
await browser.close();
console.log(`${checks - failures.length} passed, ${failures.length} failed`);
process.exit(failures.length === 0 ? 0 : 1);
