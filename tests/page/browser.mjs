// The page in Debian's Chromium, driven over the DevTools protocol by puppeteer-core, and the
// console programs on the same input: for the page's tests and the benchmark. CTest gives the
// paths: GEOM_WEB_PAGE, TRIMAP and PARAQUAD.
import {spawnSync} from 'node:child_process';
import {existsSync, mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';

const puppeteer = await import('puppeteer-core').then((module) => module.default, () => {
  throw new Error('no puppeteer-core in tests/page/node_modules: scripts/test.sh installs it');
});
const chromium = '/usr/bin/chromium', page = process.env.GEOM_WEB_PAGE;
// Far beyond a healthy wait on a busy machine; puppeteer names what it waited for if it runs out.
const patience = 300_000;

// A browser with a profile of its own, which puppeteer removes once the browser has ended. As root
// and with no network: no sandbox, nothing that calls out.
export async function launch() {
  for (const [path, missing] of [[chromium, "scripts/test.sh installs Debian's chromium"],
                                 [page, 'scripts/web.sh builds it']]) {
    if (!path || !existsSync(path)) {
      throw new Error(`nothing at ${path}: ${missing}`);
    }
  }
  return puppeteer.launch({executablePath: chromium, headless: true, protocolTimeout: patience,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-sync',
           '--disable-component-update', '--no-first-run', '--disable-quic']});
}

// The page at `query` once its WebAssembly is ready, tall enough to reach every vertex.
export async function open(browser, query = '') {
  const tab = await browser.newPage();
  tab.setDefaultTimeout(patience);
  await tab.setViewport({width: 1100, height: 1500});
  tab.errors = [];
  tab.on('pageerror', (error) => tab.errors.push(error.message));
  await tab.goto(`file://${page}${query}`);
  await tab.waitForFunction(() => !document.getElementById('compute').disabled);
  return tab;
}

// What the page shows: the report, the picture as its SVG, the link and the fields.
export async function shown(tab) {
  const seen = await tab.evaluate(() => ({
    report: document.getElementById('report').textContent,
    svg: new XMLSerializer().serializeToString(document.querySelector('#picture svg') ?? new Text()),
    link: document.getElementById('link').getAttribute('href'),
    first: document.getElementById('first').value, second: document.getElementById('second').value,
    faded: document.getElementById('picture').classList.contains('faded')}));
  if (!seen.report) {
    throw new Error(`the page did not compute: ${tab.errors.join('; ') || 'no error'}`);
  }
  return seen;
}

// The console program on the input, with -o: its report less the prompts, its picture file, and
// that picture as the page holds it, with no XML declaration.
export function consoleRun(program, input, names) {
  const folder = mkdtempSync(join(tmpdir(), 'page-test-')), file = join(folder, 'p.svg');
  const ran = spawnSync(process.env[program.toUpperCase()], [...(names ? ['-l'] : []), '-o', file],
                        {input});
  const svg = existsSync(file) ? readFileSync(file, 'utf8') : '';
  rmSync(folder, {recursive: true, force: true});
  return {report: ran.stdout.toString().replace(/^unesite [^\n]*\n/gm, ''), file: svg,
          svg: svg.replace(/^<\?xml[^>]*>\n/, '').trimEnd()};
}

// The page's address for a figure, as its own links are made.
export const linkTo = (program, input, names) =>
  '?' + new URLSearchParams({program, input, labels: names ? '1' : '0'});
