// What is typed reaches the program whole: typed by keys, with a NUL, 1.5 MB long, with a no-break
// space; the page then answers as the console does, and its link opens the same answer. The
// picture downloads under the name of the program that drew it.
import assert from 'node:assert/strict';
import {mkdtempSync, readFileSync, readdirSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import test from 'node:test';
import {compute, consoleRun, fill, launch, open, shown} from './browser.mjs';

const browser = await launch();
test.after(() => browser.close());

const triangles = ['1203.5 -417.25 1876.125 -102.75 1455.8 391.6',
                   '-2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35'];
const quad = '16.5 -5.3 -15.8 19.1 0.4 7';

// Typed into a fresh page, the fields filled as a paste fills them; computed, then its link opened.
async function expectConsoleAnswer(program, first, second = '') {
  const page = await open(browser);
  await page.click(`input[value=${program}]`);
  await fill(page, '#first', first);
  await fill(page, '#second', second);
  const seen = await compute(page);
  const console = consoleRun(program, program === 'trimap' ? first + '\n' + second : first, false);
  assert.equal(seen.report, console.report);
  assert.equal(seen.svg, console.svg);
  const again = await open(browser, seen.link);
  assert.equal((await shown(again)).report, console.report);
  await Promise.all([page.close(), again.close()]);
}

test('typed by keys, then Enter', async () => {
  const page = await open(browser);
  await page.type('#first', triangles[0]);
  await page.type('#second', triangles[1]);
  await page.focus('#first');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.getElementById('report').textContent);
  assert.equal((await shown(page)).report, consoleRun('trimap', triangles.join('\n')).report);
  await page.close();
});

test('a NUL glued to the last number is refused, as the console refuses it', () =>
  expectConsoleAnswer('paraquad', quad + '\0'));

test('a NUL between the figures', () => expectConsoleAnswer('trimap', triangles[0], '\0'));

test('a no-break space is no blank, typed or in the link', () =>
  expectConsoleAnswer('paraquad', quad.replace(' ', '\u00a0')));

test('1.5 MB of blanks before the figure, and a figure after it', async () => {
  await expectConsoleAnswer('trimap', ' '.repeat(1500000) + triangles[0], triangles[1]);
  await expectConsoleAnswer('paraquad', quad);
});

test('the picture downloads named after the program that drew it', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'page-download-'));
  const page = await open(browser);
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior',
                     {behavior: 'allow', downloadPath: folder, eventsEnabled: true});
  const done = new Promise((resolve) => session.on('Browser.downloadProgress',
                                                   (e) => e.state === 'completed' && resolve()));
  await fill(page, '#first', triangles[0]);
  await fill(page, '#second', triangles[1]);
  const seen = await compute(page);
  await page.click('input[value=paraquad]'); // chosen, but nothing computed with it
  await page.click('#download');
  await done;
  assert.deepEqual(readdirSync(folder), ['trimap.svg']);
  assert.equal(readFileSync(join(folder, 'trimap.svg'), 'utf8'),
               consoleRun('trimap', triangles.join('\n'), false).file);
  assert.ok(seen.svg);
  await page.close();
  rmSync(folder, {recursive: true, force: true});
});
