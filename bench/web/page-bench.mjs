// The game's page in headless Chromium, measured as scripts/bench-cpu.sh measures the native
// game: for the menu and each mode, the page is opened, the mode entered with a real click,
// and the pointer moved back and forth for SECONDS seconds (the mode entered again whenever the
// game went back to the menu). Per session: the frame work the engine measures in the page
// (every frame's work, from its frame observer), and the CPU time of the browser's renderer
// and GPU processes from /proc. Then the time from navigation to the first frame shown, over
// LOADS loads, and the sizes of each program's files, raw and gzipped. Writes one JSON object.
//   node bench/web/page-bench.mjs OUT.json [SECONDS] [LOADS]
import { readdirSync, readFileSync, writeFileSync, statSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import * as web from '../../tests/web/browser.mjs';

const [out, seconds = '20', loads = '5'] = process.argv.slice(2);
const ticksPerSecond = 100; // USER_HZ on Linux

/// CPU seconds of the browser's processes of the given type (renderer, gpu-process).
function cpuOf(type) {
  let ticks = 0;
  for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
    try {
      const command = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      if (!command.includes('chrom') || !command.includes(`--type=${type}`)) continue;
      const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      ticks += Number(fields[11]) + Number(fields[12]); // utime, stime
    } catch {
      // gone meanwhile
    }
  }
  return ticks / ticksPerSecond;
}

const server = await web.serve();
const browser = await web.launch();
const result = { sessions: [], loads: [], sizes: {} };
const columns = { menu: null, normal: 20, advanced: 40, timed: 60 };
const entry = { normal: 'Regular', advanced: 'Advanced', timed: 'Timed' };

for (const [mode, column] of Object.entries(columns)) {
  const page = await web.open(browser, server.url, 'tarnwick');
  await page.waitForFunction(() => window.twReady === true, null, { timeout: 30000 });
  const box = await page.locator('canvas').boundingBox();
  const at = (x, y) => [box.x + (x + 0.5) * box.width / 80, box.y + (y + 0.5) * box.height / 40];
  const menus = async () => ((await web.readPageFile(page, 'tarnwick.log')) || '')
    .split('\n').filter((l) => l.includes('Mode::update(): Menu')).length;
  const enter = async () => {
    await page.mouse.move(...at(column, 21));
    await page.waitForTimeout(200);
    await page.mouse.down();
    await page.waitForTimeout(200);
    await page.mouse.up();
  };
  if (column !== null) await enter();
  await page.waitForTimeout(1000);
  await page.evaluate(() => window.twFrameTimes()); // drops the frames so far
  const cpu = { renderer: cpuOf('renderer'), gpu: cpuOf('gpu-process') };
  const start = Date.now();
  let seen = await menus();
  let reentries = 0;
  for (let i = 0; Date.now() - start < Number(seconds) * 1000; i++) {
    await page.mouse.move(...at(i % 2 ? 70 : 10, 38), { steps: 20 });
    if (column !== null && (await menus()) > seen) {
      await enter();
      seen = await menus();
      reentries++;
    }
  }
  const wall = (Date.now() - start) / 1000;
  const frames = await page.evaluate(() => window.twFrameTimes());
  result.sessions.push({
    mode, seconds: wall, reentries, frames,
    renderer: (cpuOf('renderer') - cpu.renderer) / wall, gpu: (cpuOf('gpu-process') - cpu.gpu) / wall,
  });
  await page.close();
}

for (let i = 0; i < Number(loads); i++) {
  const page = await browser.newPage({ viewport: { width: 1100, height: 1000 } });
  await page.goto(`${server.url}/tarnwick.html`);
  await page.waitForFunction(() => window.twReady === true, null, { timeout: 30000 });
  result.loads.push(await page.evaluate(() => window.twReadyTime));
  await page.close();
}

for (const file of readdirSync(web.WEB_BUILD).filter((f) => /\.(js|wasm|data)$/.test(f))) {
  const body = readFileSync(join(web.WEB_BUILD, file));
  result.sizes[file] = { raw: statSync(join(web.WEB_BUILD, file)).size, gzip: gzipSync(body, { level: 9 }).length };
}

await browser.close();
server.close();
writeFileSync(out, JSON.stringify(result));
