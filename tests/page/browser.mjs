// The page in Chromium over the DevTools protocol, and the console programs CTest names, alike.
import {spawnSync} from 'node:child_process';
import {existsSync, mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import puppeteer from 'puppeteer-core';

// Patience far beyond a healthy wait on a busy machine; puppeteer names what outlasted it.
const chromium = '/usr/bin/chromium', page = process.env.GEOM_WEB_PAGE, patience = 300_000;

// A browser with a profile of its own, removed once it has ended; as root, offline: no sandbox.
export async function launch() {
  for (const [path, missing] of [[chromium, "scripts/test.sh installs Debian's chromium"],
                                 [page, 'scripts/web.sh builds it']]) {
    if (!existsSync(path ?? '')) throw new Error(`nothing at ${path}: ${missing}`);
  }
  return puppeteer.launch({executablePath: chromium, headless: true, protocolTimeout: patience,
    args: ['--no-sandbox', '--disable-gpu', '--disable-component-update']});
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

// What the page shows by the next frame, its picture as SVG, and its vertices in CSS pixels.
export async function shown(tab) {
  await tab.evaluate(() => new Promise(requestAnimationFrame)); // all input so far handled
  const seen = await tab.evaluate(() => {
    const [$, box] = [(id) => document.getElementById(id), (h) => h.getBoundingClientRect()];
    return {report: $('report').textContent, link: $('link').getAttribute('href'),
      svg: new XMLSerializer().serializeToString(document.querySelector('#picture svg') ?? new Text()),
      first: $('first').value, second: $('second').value, faded: $('picture').classList.contains('faded'),
      handles: [...document.querySelectorAll('#handles .vertex')].map((h) =>
        [box(h).x + box(h).width / 2, box(h).y + box(h).height / 2])};
  });
  if (!seen.report) throw new Error(`the page did not compute: ${tab.errors.join('; ') || 'no error'}`);
  return seen;
}

// The console program's report less prompts, its picture file, and that as the page holds it.
export function consoleRun(program, input, names) {
  const folder = mkdtempSync(join(tmpdir(), 'page-test-')), file = join(folder, 'p.svg');
  const ran = spawnSync(process.env[program.toUpperCase()], [...(names ? ['-l'] : []), '-o', file], {input});
  const svg = existsSync(file) ? readFileSync(file, 'utf8') : '';
  rmSync(folder, {recursive: true, force: true});
  return {report: ran.stdout.toString().replace(/^unesite [^\n]*\n/gm, ''), file: svg,
          svg: svg.replace(/^<\?xml[^>]*>\n/, '').trimEnd()};
}

export const linkTo = (program, input, names) =>
  '?' + new URLSearchParams({program, input, labels: names ? '1' : '0'});
