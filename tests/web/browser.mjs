// What the browser tests share: the web build served on loopback, headless Chromium driven by
// Playwright, and a program's page opened with files of the test's own in its file system.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { existsSync } from 'node:fs';
import { extname, join, normalize, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

export const SOURCE_DIR = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const WEB_BUILD = resolve(process.env.TW_WEB_BUILD || join(SOURCE_DIR, 'build-web'));
/// ctest's code for a test that cannot run here: no web build.
export const SKIP = 77;

const TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png', '.css': 'text/css',
};

/// Exits with SKIP unless the web build holds the program's page and Playwright is installed
/// (make web installs it, when npm's registry can be reached).
export function requirePage(program) {
  if (!existsSync(join(WEB_BUILD, `${program}.html`))) {
    console.log(`${WEB_BUILD}/${program}.html is not built (make web): skipped`);
    process.exit(SKIP);
  }
  if (!existsSync(join(SOURCE_DIR, 'tests/web/node_modules/playwright-core'))) {
    console.log('Playwright is not installed in tests/web (make web installs it): skipped');
    process.exit(SKIP);
  }
}

/// Serves root on 127.0.0.1 at a free port; resolves to { url, close }.
export function serve(root = WEB_BUILD) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(root, path === '/' ? 'index.html' : path);
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      if (!(await stat(file)).isFile()) throw new Error('not a file');
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done) => {
    server.listen(0, '127.0.0.1', () => {
      done({ url: `http://127.0.0.1:${server.address().port}`, close: () => server.close() });
    });
  });
}

/// Headless Chromium from Debian's package, kept off the network.
export async function launch() {
  const { chromium } = await import('playwright-core');
  return chromium.launch({
    executablePath: process.env.TW_CHROMIUM || '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

/// Opens program's page with files ({ name: text }) written into its working directory before
/// it starts; page errors and the program's standard output are collected in page.twOutput.
export async function open(browser, url, program, files = {}) {
  // Large enough for the whole canvas, whose bottom rows take the pointer too.
  const page = await browser.newPage({ viewport: { width: 1100, height: 1000 } });
  page.twOutput = [];
  page.on('console', (message) => page.twOutput.push(message.text()));
  page.on('pageerror', (error) => page.twOutput.push(`page error: ${error.message}`));
  await page.addInitScript((given) => { window.twFiles = given; }, files);
  await page.goto(`${url}/${program}.html`);
  return page;
}

/// Waits until the program has ended and returns its exit status; throws after seconds.
export async function exitCode(page, seconds) {
  await page.waitForFunction(() => window.twExitCode !== undefined, null,
    { timeout: seconds * 1000, polling: 200 });
  return page.evaluate(() => window.twExitCode);
}

/// A text file of the page's file system, or null.
export function readPageFile(page, path) {
  return page.evaluate((p) => window.twReadFile(p), path);
}

/// The screen's rows as text: those being drawn, or those last shown.
export function screenRows(page, shown = true) {
  return page.evaluate((s) => {
    const rows = [];
    for (let y = 0; y < window.twRows(); y++) rows.push(window.twRowText(y, s));
    return rows;
  }, shown);
}

/// Fails the test with a message (and what the page said), exiting with 1.
export function fail(message, page) {
  console.error(`FAIL: ${message}`);
  if (page) console.error(page.twOutput.slice(-40).join('\n'));
  process.exit(1);
}
