// The page in Debian's Firefox ESR, headless, driven over WebDriver BiDi (the npm package ws
// speaks to it): it reaches the title, the game showing frame after frame, and the screenshot
// is left beside Chromium's. Firefox's own --screenshot shoots at the load event, before the
// game has drawn anything.
//   node firefox_title.mjs URL SCREENSHOT PORT
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import WebSocket from 'ws';

const [url, shot, port] = process.argv.slice(2);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const profile = mkdtempSync('/tmp/kalkulon-firefox-');
const firefox = spawn('firefox-esr', ['--headless', '--remote-debugging-port=' + port, '--profile', profile, 'about:blank'],
  { stdio: ['ignore', 'ignore', 'pipe'] });
const finish = (ok, what) => {
  firefox.kill();
  rmSync(profile, { recursive: true, force: true });
  console.log((ok ? 'ok    ' : 'FAILED ') + what);
  process.exit(ok ? 0 : 1);
};
setTimeout(() => finish(false, 'Firefox ESR shows the title (no answer within 60 s)'), 60000).unref();

const address = await new Promise((found) => firefox.stderr.on('data', (d) => {
  const m = String(d).match(/WebDriver BiDi listening on (ws:\S+)/);
  if (m) found(m[1]);
}));
const socket = new WebSocket(address + '/session');
await new Promise((open) => socket.on('open', open));
const answers = new Map();
let last = 0;
socket.on('message', (data) => {
  const m = JSON.parse(data);
  if (answers.has(m.id)) answers.get(m.id)(m.result ?? {});
});
const send = (method, params) => new Promise((answer) => {
  last += 1;
  answers.set(last, answer);
  socket.send(JSON.stringify({ id: last, method, params }));
});

await send('session.new', { capabilities: {} });
const context = (await send('browsingContext.getTree', {})).contexts[0].context;
await send('browsingContext.navigate', { context, url, wait: 'complete' });
const frames = async () => (await send('script.evaluate',
  { expression: 'window.Module ? Module.kalkulonFrames : 0', target: { context }, awaitPromise: false })).result?.value ?? 0;
for (let i = 0; i < 150 && (await frames()) < 60; i += 1) await sleep(100);
const shown = await frames();
writeFileSync(shot, Buffer.from((await send('browsingContext.captureScreenshot', { context })).data, 'base64'));
finish(shown >= 60, `Firefox ESR shows the title (${shown} frames within 15 s)`);
