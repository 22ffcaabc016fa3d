// Every kind of vertex taken and moved, by mouse, touch, pen and keys: while it moves the fields
// hold its new coordinates to a pixel's digits, the report is the console's for them and the
// picture holds still; let go, the page shows what the console shows, picture and all. A refused
// place fades the last picture until the vertex moves on.
import assert from 'node:assert/strict';
import test from 'node:test';
import {consoleRun, launch, linkTo, open, shown} from './browser.mjs';

const browser = await launch();
test.after(() => browser.close());

const figures = {paraquad: '16.5 -5.3 -15.8 19.1 0.4 7', trimap:
  '1203.5 -417.25 1876.125 -102.75 1455.8 391.6 -2310.4 1502.7 -2795.15 2011.2 -1688.9 2240.35'};

// The page as it shows, with each handle's middle in CSS pixels, once all input so far is handled
// (as it is before the next frame).
async function state(page) {
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
  return {...await shown(page), handles: await page.$$eval('#handles .vertex', (all) => all.map((h) => {
    const box = h.getBoundingClientRect();
    return [box.x + box.width / 2, box.y + box.height / 2];
  }))};
}

// Ways to press on a vertex at (x, y), move it to (x, y) and let it go; keys move it a picture's
// pixel a repeat, to the left.
function ways(page, session, i) {
  const pen = (type, x, y) => session.send('Input.dispatchMouseEvent', {type, x, y, button: 'left',
    buttons: type === 'mouseReleased' ? 0 : 1, clickCount: 1, pointerType: 'pen'});
  return {
    mouse: [(x, y) => page.mouse.move(x, y).then(() => page.mouse.down()),
            (x, y) => page.mouse.move(x, y), () => page.mouse.up()],
    touch: [(x, y) => page.touchscreen.touchStart(x, y), (x, y) => page.touchscreen.touchMove(x, y),
            () => page.touchscreen.touchEnd()],
    pen: [(x, y) => pen('mousePressed', x, y), (x, y) => pen('mouseMoved', x, y),
          (x, y) => pen('mouseReleased', x, y)],
    keys: [() => page.$$eval('#handles .vertex', (all, j) => all[j].focus(), i),
           () => page.keyboard.down('ArrowLeft'), () => page.keyboard.up('ArrowLeft')],
  };
}

const moves = [['trimap', 0, 'mouse'], ['trimap', 1, 'touch'], ['trimap', 2, 'pen'],
  ['trimap', 3, 'keys'], ['trimap', 4, 'mouse'], ['trimap', 5, 'touch'], ['paraquad', 0, 'keys'],
  ['paraquad', 1, 'pen'], ['paraquad', 2, 'mouse']];

for (const [program, i, how] of moves) {
  test(`${program}'s vertex ${i} moved by ${how}`, async () => {
    const page = await open(browser, linkTo(program, figures[program], true));
    const before = await state(page), words = figures[program].split(' ');
    const [press, move, release] = ways(page, await page.createCDPSession(), i)[how];
    const [x, y] = before.handles[i], width = await page.$eval('#picture', (p) => p.offsetWidth);
    const to = how === 'keys' ? [x - 6 * width / 1024, y] : [x - 40, y + 25];
    await press(x, y);
    for (let k = 1; k <= 6; ++k) {
      await move(x + (to[0] - x) * k / 6, y + (to[1] - y) * k / 6);
    }
    const during = await state(page);
    await release(...to);
    const after = await state(page);
    // Only the vertex's own words change, to no more digits than a pixel resolves.
    const moved = (during.first + ' ' + during.second).trim().split(' ');
    const [u, v] = [1, 2].map((j) => 3 * Math.floor(i / 3) + (i + j) % 3);
    const pixel = Math.hypot(words[2 * u] - words[2 * v], words[2 * u + 1] - words[2 * v + 1]) /
      Math.hypot(...before.handles[u].map((c, k) => c - before.handles[v][k])) * width / 1024;
    moved.forEach((word, k) => assert.ok(Math.floor(k / 2) === i ?
      (word.split('.')[1] ?? '').length === Math.max(0, -Math.floor(Math.log10(pixel))) :
      word === words[k], `${k}: ${word}`));
    // The picture holds still and the vertex follows.
    assert.deepEqual(during.handles.filter((_, k) => k !== i), before.handles.filter((_, k) => k !== i));
    assert.ok(Math.hypot(during.handles[i][0] - to[0], during.handles[i][1] - to[1]) < 1.5);
    const text = program === 'trimap' ? during.first + '\n' + during.second : during.first;
    const console = consoleRun(program, text, true);
    assert.equal(during.report, console.report);
    // Let go where it was: what the console shows for the fields' numbers.
    assert.deepEqual([after.first, after.second, after.report, after.svg, after.link],
                     [during.first, during.second, console.report, console.svg,
                      linkTo(program, moved.join(' '), true)]);
    await page.close();
  });
}

test('a refused place fades the last picture, and moving on brings it back', async () => {
  const page = await open(browser, linkTo('trimap', '0 0 4 0 1 3 5 1 8 2 6 5', false));
  const [a, b, c] = (await state(page)).handles;
  // C onto the line AB, where the triangle has no area, then off it again.
  await page.mouse.move(...c);
  await page.mouse.down();
  await page.mouse.move(a[0] + 60, a[1]);
  const onTheLine = await state(page);
  assert.match(onTheLine.report, /^uneli ste tri kolinearne tacke kao koordinate trougla ABC/);
  assert.ok(onTheLine.faded && onTheLine.svg, 'the last picture stays, faded');
  await page.mouse.move(a[0] + 60, a[1] - 30);
  const past = await state(page);
  assert.ok(!past.faded && past.report.startsWith('matrica'), past.report);
  assert.deepEqual([onTheLine.handles.slice(0, 2), past.handles.slice(0, 2)], [[a, b], [a, b]]);
  await page.mouse.up();
  await page.close();
});
