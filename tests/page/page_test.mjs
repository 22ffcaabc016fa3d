// The page answers as the console does, to anything typed, linked or dragged by any pointer or key.
import assert from 'node:assert/strict';
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import test from 'node:test';
import {consoleRun, launch, linkTo, open, shown} from './browser.mjs';

const browser = await launch();
test.after(() => browser.close());

const abc = '1203.5 -417.25 1876.125 -102.75 1455.8 391.6', quad = '16.5 -5.3 -15.8 19.1 0.4 7';
const image = '-2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35';

// How the figure reaches the page, the program, its fields (A'B'C' in the second), the names.
const cases = [
  ['link', 'trimap', abc, image, true], ['keys', 'trimap', abc, image, true],
  ['link', 'trimap', '0 0 4 0 1,5', ''], ['link', 'trimap', '0 0 4 0 1 3', '3 -1 3 -1 7 2'],
  ['link', 'trimap', '0 0 1e20 0 0 1e20', ''], ['link', 'paraquad', '0 0 5.2e36 0 5.2e36 5.2e36', ''],
  // Unread words are not linked; markup stays text; every character reaches the program.
  ['link', 'paraquad', quad + ' <b>7</b>', ''], ['paste', 'paraquad', '<img src=x onerror=alert(1)>', ''],
  ['paste', 'paraquad', quad + '\0', ''], ['paste', 'trimap', abc, '\0'],
  ['paste', 'paraquad', quad.replace(' ', '\u00a0'), ''],
  ['paste', 'trimap', ' '.repeat(1500000) + abc, image],
];

for (const [how, program, first, second, names = false] of cases) {
  test(`${program}, by ${how}: ${JSON.stringify((first + ' ' + second).trim().slice(0, 50))} `, async () => {
    const text = program === 'trimap' ? first + '\n' + second : first;
    const page = await open(browser, how === 'link' ? linkTo(program, text.replace('\n', ' '), names) : '');
    if (how !== 'link') {
      await page.click(`input[value=${program}]`);
      await (names && page.click('#labels'));
      for (const [field, value] of [['#first', first], ['#second', second]]) {
        await (how === 'keys' ? page.type(field, value) : page.$eval(field, (input, v) => { input.value = v; }, value));
      }
      await page.focus('#first');
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => document.getElementById('report').textContent);
    }
    const seen = await shown(page), console = consoleRun(program, text, names);
    assert.deepEqual([seen.report, seen.svg], [console.report, console.svg]);
    assert.equal(await page.$('#report *'), null, 'markup typed became an element');
    // An accepted figure's link holds the words the program read; any link opens the same.
    const read = text.trim().split(/\s+/).slice(0, program === 'trimap' ? 12 : 6).join(' ');
    assert.ok(!seen.svg || seen.link === linkTo(program, read, names), seen.link);
    const reopened = await open(browser, seen.link), again = await shown(reopened);
    assert.deepEqual([again.report, again.svg, again.link], [seen.report, seen.svg, seen.link]);
    await Promise.all([page.close(), reopened.close()]);
  });
}

test('the picture downloads named after the program that drew it', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'page-download-'));
  const page = await open(browser, linkTo('trimap', abc + ' ' + image, false)), session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: folder, eventsEnabled: true});
  const done = new Promise((resolve) =>
    session.on('Browser.downloadProgress', (e) => e.state === 'completed' && resolve()));
  await page.click('input[value=paraquad]'); // chosen, but nothing computed with it
  await page.click('#download').then(() => done);
  assert.equal(readFileSync(join(folder, 'trimap.svg'), 'utf8'), consoleRun('trimap', abc + '\n' + image, false).file);
  rmSync(folder, {recursive: true, force: true});
});

const figures = {paraquad: quad, trimap: abc + ' ' + image};


// Press on a vertex, move it, let go; keys move it a picture's pixel a repeat, leftwards.
function ways(page, session, i) {
  const pointer = (pointerType) => ['mousePressed', 'mouseMoved', 'mouseReleased'].map((type) => (x, y) =>
    session.send('Input.dispatchMouseEvent', {type, x, y, button: 'left', buttons: type === 'mouseReleased' ? 0 : 1,
      clickCount: 1, pointerType}));
  return {
    mouse: pointer('mouse'), pen: pointer('pen'),
    touch: [(x, y) => page.touchscreen.touchStart(x, y), (x, y) => page.touchscreen.touchMove(x, y),
            () => page.touchscreen.touchEnd()],
    keys: [() => page.$$eval('#handles .vertex', (all, j) => all[j].focus(), i),
           () => page.keyboard.down('ArrowLeft'), () => page.keyboard.up('ArrowLeft')],
  };
}

const moves = [0, 1, 2, 3, 4, 5, 0, 1, 2].map((i, k) =>
  [k < 6 ? 'trimap' : 'paraquad', i, ['mouse', 'touch', 'pen', 'keys'][k % 4]]);

for (const [program, i, how] of moves) {
  test(`${program}'s vertex ${i} moved by ${how}`, async () => {
    const page = await open(browser, linkTo(program, figures[program], true));
    const before = await shown(page), words = figures[program].split(' ');
    const [press, move, release] = ways(page, await page.createCDPSession(), i)[how];
    const [x, y] = before.handles[i], width = await page.$eval('#picture', (p) => p.offsetWidth);
    const to = how === 'keys' ? [x - 6 * width / 1024, y] : [x - 40, y + 25];
    await press(x, y);
    for (let k = 1; k <= 6; ++k) {
      await move(x + (to[0] - x) * k / 6, y + (to[1] - y) * k / 6);
    }
    const during = await shown(page);
    await release(...to);
    const after = await shown(page);
    // Only the vertex's own words change, to no more digits than a pixel resolves.
    const moved = (during.first + ' ' + during.second).trim().split(' ');
    const [u, v] = [1, 2].map((j) => 3 * Math.floor(i / 3) + (i + j) % 3);
    const pixel = Math.hypot(words[2 * u] - words[2 * v], words[2 * u + 1] - words[2 * v + 1]) /
      Math.hypot(...before.handles[u].map((c, k) => c - before.handles[v][k])) * width / 1024;
    moved.forEach((word, k) => assert.ok(Math.floor(k / 2) === i ?
      (word.split('.')[1] ?? '').length === Math.max(0, -Math.floor(Math.log10(pixel))) :
      word === words[k], `${k}: ${word}`));
    assert.deepEqual(during.handles.filter((_, k) => k !== i), before.handles.filter((_, k) => k !== i));
    assert.ok(Math.hypot(during.handles[i][0] - to[0], during.handles[i][1] - to[1]) < 1.5);
    const console = consoleRun(program, program === 'trimap' ? during.first + '\n' + during.second : during.first, true);
    assert.equal(during.report, console.report);
    // Let go where it was: what the console shows for the fields' numbers.
    assert.deepEqual([after.first, after.second, after.report, after.svg, after.link],
                     [during.first, during.second, console.report, console.svg, linkTo(program, moved.join(' '), true)]);
    await page.close();
  });
}

test('a refused place fades the last picture, and moving on brings it back', async () => {
  const page = await open(browser, linkTo('trimap', '0 0 4 0 1 3 5 1 8 2 6 5', false));
  const [a, b, c] = (await shown(page)).handles;
  // C onto the line AB, where the triangle has no area, then off it again.
  await page.mouse.move(...c);
  await page.mouse.down();
  await page.mouse.move(a[0] + 60, a[1]);
  const onTheLine = await shown(page);
  assert.match(onTheLine.report, /^uneli ste tri kolinearne tacke kao koordinate trougla ABC/);
  assert.ok(onTheLine.faded && onTheLine.svg, 'the last picture stays, faded');
  await page.mouse.move(a[0] + 60, a[1] - 30);
  const past = await shown(page);
  assert.ok(!past.faded && past.report.startsWith('matrica'), past.report);
  assert.deepEqual([onTheLine.handles.slice(0, 2), past.handles.slice(0, 2)], [[a, b], [a, b]]);
  await page.mouse.up();
  await page.close();
});
