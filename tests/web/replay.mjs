// A session recorded natively replays in its program's page to the verdict that every step
// showed the recorded screen: node replay.mjs NAME, for tests/data/replays/NAME.rec (the
// game's sessions, example-PROGRAM for an example's, gallery-NAME for a gallery example's,
// tutorial-NN-NAME for a tutorial part's).
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import * as web from './browser.mjs';

const name = process.argv[2];
const program = name.startsWith('example-') ? name.slice('example-'.length)
  : /^(gallery|tutorial)-/.test(name) ? name : 'tarnwick'; // these pages have their own names
web.requirePage(program);
const files = {
  'replay.rec': readFileSync(join(web.SOURCE_DIR, 'tests/data/replays', `${name}.rec`), 'utf8'),
  // As fast as the page goes, in its window.
  'tw-config.txt': 'frame_time:0,\nreplay_file:replay.rec\n',
};

const server = await web.serve();
const browser = await web.launch();
let page;
try {
  page = await web.open(browser, server.url, program, files);
  const status = await web.exitCode(page, 240);
  const log = (await web.readPageFile(page, 'tarnwick.log')) || '';
  if (!log.includes('showed the recorded screen at every step')) {
    web.fail(`${name}: the replay did not show the recorded screen at every step\n` +
      log.split('\n').filter((l) => l.includes('Recording')).join('\n'), page);
  }
  if (log.includes('entries left')) web.fail(`${name}: the replay ended before the recording`, page);
  if (status !== 0) web.fail(`${name}: exit status ${status}`, page);
  console.log(`${name}: showed the recorded screen at every step in ${program}.html`);
} catch (error) {
  web.fail(`${name}: ${error.message}`, page);
} finally {
  await browser.close();
  server.close();
}
