// The page in Debian's Chromium, driven over the DevTools protocol by puppeteer-core, and the
// console programs run on the same input: for the page's tests and the benchmark. Paths come from
// the environment CTest gives: GEOM_WEB_PAGE, TRIMAP, PARAQUAD, CHROMIUM.
import {spawnSync} from 'node:child_process';
import {existsSync, mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';

const puppeteer = await import('puppeteer-core').then((module) => module.default, () => {
  throw new Error('no puppeteer-core in tests/page/node_modules: scripts/test.sh installs it');
});

const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
export const pagePath = process.env.GEOM_WEB_PAGE;
// Far beyond any healthy wait on a busy machine; puppeteer names what it waited for when it ends.
const patience = 300_000;

// A browser of its own, with a profile of its own that puppeteer removes once it has ended.
export async function launch() {
  if (!existsSync(chromium)) {
    throw new Error(`no browser at ${chromium}: scripts/test.sh installs Debian's chromium`);
  }
  if (!pagePath || !existsSync(pagePath)) {
    throw new Error(`no page at ${pagePath}: scripts/web.sh builds it`);
  }
  return puppeteer.launch({
    executablePath: chromium, headless: true, protocolTimeout: patience,
    // As root, and with no network: no sandbox, and nothing that calls out.
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-sync',
           '--disable-component-update', '--no-first-run', '--disable-quic'],
  });
}

// The page opened at `query`, once its WebAssembly is ready; errors it throws are kept on it.
export async function open(browser, query = '') {
  const page = await browser.newPage();
  page.setDefaultTimeout(patience);
  // Tall enough for the form, the report and the picture, so that every vertex can be reached.
  await page.setViewport({width: 1100, height: 1500});
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.goto(`file://${pagePath}${query}`);
  await page.waitForFunction(() => !document.getElementById('compute').disabled);
  return page;
}

// What the page shows: the report, the picture as its SVG, the link and the fields.
export async function shown(page) {
  const seen = await page.evaluate(() => {
    const svg = document.querySelector('#picture svg');
    return {
      report: document.getElementById('report').textContent,
      svg: svg ? new XMLSerializer().serializeToString(svg) : '',
      link: document.getElementById('link').getAttribute('href'),
      first: document.getElementById('first').value,
      second: document.getElementById('second').value,
    };
  });
  if (!seen.report) {
    throw new Error(`the page did not compute: ${page.errors.join('; ') || 'no error'}`);
  }
  return seen;
}

// Computes what the fields hold, by Enter in the first; the report is emptied first, so that what
// is read after is the new one.
export async function compute(page) {
  await page.$eval('#report', (report) => { report.textContent = ''; });
  await page.focus('#first');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.getElementById('report').textContent);
  return shown(page);
}

// Sets a field to the text, as a paste does.
export async function fill(page, field, text) {
  await page.$eval(field, (input, value) => { input.value = value; }, text);
}

// The console program on the input, with -o: its report but for the prompts, its picture file, and
// that picture as the page shows it, without the XML declaration.
export function consoleRun(program, input, labels) {
  const folder = mkdtempSync(join(tmpdir(), 'page-test-'));
  try {
    const file = join(folder, 'p.svg');
    const ran = spawnSync(process.env[program.toUpperCase()],
                          [...(labels ? ['-l'] : []), '-o', file], {input});
    const svg = existsSync(file) ? readFileSync(file, 'utf8') : '';
    return {report: ran.stdout.toString().replace(/^unesite [^\n]*\n/gm, ''), file: svg,
            svg: svg.replace(/^<\?xml[^>]*>\n/, '').trimEnd()};
  } finally {
    rmSync(folder, {recursive: true, force: true});
  }
}

// The page's address for a figure, as its own links are made.
export function linkTo(program, input, labels) {
  return '?' + new URLSearchParams({program, input, labels: labels ? '1' : '0'});
}
