// The game played in its page with real key presses and clicks, recorded: from the menu into a
// normal game, paused, resumed, back to the menu and out; checked on the page's cells, its
// canvas and screenshots. The recording then replays natively (node session.mjs TARNWICK,
// the native program) to the verdict that every step showed the recorded screen.
import { mkdtempSync, readFileSync, writeFileSync, symlinkSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import * as web from './browser.mjs';

const native = process.argv[2];
web.requirePage('tarnwick');
const out = mkdtempSync(join(tmpdir(), 'tw-web-session-'));
const config = readFileSync(join(web.SOURCE_DIR, 'tw-config.txt'), 'utf8').trimEnd();
const files = { 'tw-config.txt': `${config},\nrecord_file:browser.rec\n` };

const server = await web.serve();
const browser = await web.launch();
let page;
const step = (what) => console.log(`session: ${what}`);

/// Resolves once the game's log holds more than count lines with text.
async function logged(text, count = 0, seconds = 30) {
  const deadline = Date.now() + seconds * 1000;
  while (Date.now() < deadline) {
    const log = (await web.readPageFile(page, 'tarnwick.log')) || '';
    if (log.split('\n').filter((l) => l.includes(text)).length > count) return;
    await page.waitForTimeout(100);
  }
  web.fail(`the log never showed '${text}'`, page);
}

/// The canvas's pixels that are not the background's black, read from the page.
function litPixels() {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const data = context.getImageData(0, 0, copy.width, copy.height).data;
    let lit = 0;
    for (let i = 0; i < data.length; i += 4) lit += data[i] + data[i + 1] + data[i + 2] > 60;
    return lit;
  });
}

/// Holds a key over a few frames, as a player does: the game reads keys once a frame.
async function press(key) {
  await page.keyboard.down(key);
  await page.waitForTimeout(300);
  await page.keyboard.up(key);
}

try {
  page = await web.open(browser, server.url, 'tarnwick', files);
  await page.waitForFunction(() => window.twReady === true, null, { timeout: 30000 });
  await logged('Mode::update(): Menu');
  const canvas = await page.locator('canvas').boundingBox();
  // Column x, row y of the 80 x 40 grid, in the page's pixels.
  const cell = (x, y) => [canvas.x + (x + 0.5) * canvas.width / 80,
    canvas.y + (y + 0.5) * canvas.height / 40];

  step('menu');
  await page.mouse.move(...cell(40, 30));
  await page.waitForTimeout(300);
  const menu = (await web.screenRows(page)).join('\n');
  for (const entry of ['Normal Mode', 'Advanced Mode', 'Timed Mode', '-Select a mode to play-']) {
    if (!menu.includes(entry)) web.fail(`the menu shows no '${entry}':\n${menu}`, page);
  }
  await page.screenshot({ path: join(out, '1-menu.png') });
  if ((await litPixels()) < 5000) web.fail('the menu\'s canvas is dark', page);

  // RETURN, the pause key, is held before the entry is clicked: the game pauses in its first
  // frame, however slow the frames are.
  step('a normal game, paused in its first frame');
  await page.mouse.move(...cell(20, 21));
  await page.waitForTimeout(200);
  await page.keyboard.down('Enter');
  await page.mouse.down();
  await page.waitForTimeout(300);
  await page.mouse.up();
  await logged('Mode::update(): Regular');
  await page.waitForTimeout(300);
  await page.keyboard.up('Enter');
  const paused = await web.screenRows(page);
  await page.screenshot({ path: join(out, '2-paused.png') });
  await page.waitForTimeout(700);
  if ((await web.screenRows(page)).join('\n') !== paused.join('\n')) {
    web.fail('the screen changed while the game was paused', page);
  }

  step('resumed');
  await page.keyboard.press('Space');
  // The ball starts at column 29.5 and falls to the right: the paddle meets it there, once
  // the pause, which throws away all but the key that ends it, is over.
  await page.waitForTimeout(150);
  await page.mouse.move(...cell(47, 38), { steps: 5 });
  await page.waitForTimeout(700);
  const resumed = (await web.screenRows(page)).join('\n');
  if (resumed === paused.join('\n') || !resumed.includes('[===]')) {
    web.fail(`the game did not go on after it was resumed:\n${resumed}`, page);
  }
  await page.screenshot({ path: join(out, '3-resumed.png') });

  step('back to the menu and out');
  await press('Escape');
  const log = (await web.readPageFile(page, 'tarnwick.log')) || '';
  if (log.includes('Mode::update(): Lose')) web.fail('the game was lost before ESC', page);
  await logged('Mode::update(): Menu', 1);
  await page.keyboard.down('q');
  const status = await web.exitCode(page, 30);
  if (status !== 0) web.fail(`exit status ${status}`, page);
  const recording = await web.readPageFile(page, 'browser.rec');
  if (!recording) web.fail('the page kept no recording', page);
  writeFileSync(join(out, 'browser.rec'), recording);
} catch (error) {
  web.fail(error.message, page);
} finally {
  await browser.close();
  server.close();
}

step('replayed natively');
for (const name of ['sprites', 'sounds', 'tw-font.ttf']) {
  symlinkSync(join(web.SOURCE_DIR, name), join(out, name));
}
writeFileSync(join(out, 'tw-config.txt'), 'headless:true,\nframe_time:0,\nreplay_file:browser.rec\n');
const run = spawnSync(native, [], { cwd: out, encoding: 'utf8', timeout: 120000 });
const log = readFileSync(join(out, 'tarnwick.log'), 'utf8');
if (run.status !== 0 || !log.includes('showed the recorded screen at every step')) {
  console.error(log.split('\n').filter((l) => l.includes('Recording')).join('\n'));
  web.fail(`the browser's recording did not replay natively (exit ${run.status}); see ${out}`);
}
console.log(`session: passed; screenshots and recording in ${out}`);
