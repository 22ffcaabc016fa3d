// The page's form: what is typed goes to the programs' own dialogues in WebAssembly; the report
// comes back as text, the picture as the programs' own SVG. The address holds the figure, so that
// a link opens with it computed. Each vertex of the picture can be taken and moved, by pointer or
// by the arrow keys; the dialogue follows it.
'use strict';

const form = document.getElementById('form');
const first = document.getElementById('first');
const second = document.getElementById('second');
const labels = document.getElementById('labels');
const report = document.getElementById('report');
const picture = document.getElementById('picture');
const handles = document.getElementById('handles');
const download = document.getElementById('download');
const link = document.getElementById('link');
const wordsPerFigure = 6;
const windowWidth = 1024, windowHeight = 700; // the picture's size, in its own pixels
let geometry = null; // the WebAssembly module, once it is ready
let shown = null;    // the last accepted answer, and the program it drew
let moving = null;   // while a vertex is moved: the camera held still, the words, where it is

function program() {
  return form.elements.program.value;
}

// trimap reads two triangles, each in a field of its own; paraquad one figure.
function showFields() {
  const trimap = program() === 'trimap';
  document.getElementById('first-label').textContent = trimap
    ? 'Koordinate temena trougla ABC' : 'Koordinate temena A, B i C paralelograma';
  document.getElementById('second-figure').classList.toggle('hidden', !trimap);
}

// What the console would read: the figures one after the other.
function typed() {
  return program() === 'trimap' ? first.value + '\n' + second.value : first.value;
}

// The JSON the core answered in memory it handed over, which is freed once read.
function answerOf(pointer) {
  try {
    return JSON.parse(geometry.UTF8ToString(pointer));
  } finally {
    geometry._free(pointer);
  }
}

// The program's dialogue on the text, every character of it, NULs included: whether it accepted,
// its report, its picture, the words it read, and the picture's camera and vertices. A held camera
// keeps the picture where it was.
function converse(text, held = null) {
  const size = geometry.lengthBytesUTF8(text);
  const input = geometry._malloc(size + 1);
  geometry.stringToUTF8(text, input, size + 1);
  try {
    return answerOf(geometry.ccall(
      'compute', 'number', ['string', 'number', 'number', 'number', 'number', 'number', 'number',
                            'number'],
      [program(), input, size, labels.checked ? 1 : 0, held ? 1 : 0, held?.x ?? 0, held?.y ?? 0,
       held?.distance ?? 0]));
  } finally {
    geometry._free(input);
  }
}

// Puts the words back into the fields, ABC's first.
function fillFields(words) {
  const trimap = program() === 'trimap';
  first.value = (trimap ? words.slice(0, wordsPerFigure) : words).join(' ');
  second.value = trimap ? words.slice(wordsPerFigure).join(' ') : '';
}

// The answer on the page, and its figure in the link: the words the dialogue read. A refusal while
// a vertex is moved leaves the last picture in view, faded. The report is text, never markup; the
// picture is the programs' own SVG, which holds nothing typed.
function show(answer) {
  report.textContent = answer.report;
  if (answer.accepted) {
    shown = {answer, program: program()};
    picture.innerHTML = answer.svg.slice(answer.svg.indexOf('<svg'));
    if (!document.body.dataset.firstPicture) {
      document.body.dataset.firstPicture = performance.now().toFixed(1);
    }
  } else if (!moving) {
    shown = null;
    picture.replaceChildren();
  }
  picture.classList.toggle('faded', !answer.accepted && shown !== null);
  placeHandles();
  download.disabled = !shown;
  link.href = '?' + new URLSearchParams({program: program(), input: answer.words.join(' '),
                                          labels: labels.checked ? '1' : '0'});
  link.classList.remove('hidden');
  // The address follows once a move is over: browsers ignore a burst of address changes.
  if (!moving) {
    history.replaceState(null, '', link.href);
  }
}

// A handle over each vertex that can be moved, where the picture shows it: each whose coordinates
// were typed, so not paraquad's D.
function placeHandles() {
  const vertices = shown ? shown.answer.vertices.slice(0, shown.answer.words.length / 2) : [];
  while (handles.children.length > vertices.length) {
    handles.lastChild.remove();
  }
  vertices.forEach(([x, y, name], i) => {
    const handle = handles.children[i] ?? handles.appendChild(makeHandle(i));
    handle.style.left = `${100 * x / windowWidth}%`;
    handle.style.top = `${100 * y / windowHeight}%`;
    handle.setAttribute('aria-label', `teme ${name}`);
    handle.title = `teme ${name}: prevucite ga, ili ga pomerajte strelicama`;
  });
}

// Moves vertex i to the picture's pixel (x, y): its coordinates into the fields, and the figure
// computed anew through the camera held since the move began.
function moveVertex(i, x, y) {
  if (!moving) {
    moving = {camera: shown.answer.camera, words: shown.answer.words.slice(), at: []};
    // A shorter report, a refusal, must not move the picture up under the pointer.
    report.style.minHeight = getComputedStyle(report).height;
  }
  moving.at[i] = [x, y];
  const {camera, words} = moving;
  [words[2 * i], words[2 * i + 1]] = answerOf(geometry.ccall(
    'placeAt', 'number', Array(5).fill('number'), [x, y, camera.x, camera.y, camera.distance]));
  fillFields(words);
  show(converse(typed(), camera));
}

// The move is over: the figure as the console shows it for the fields' numbers, its camera fitted
// again.
function settle() {
  if (moving) {
    moving = null;
    report.style.minHeight = '';
    show(converse(typed()));
  }
}

function makeHandle(i) {
  const handle = document.createElement('button');
  handle.type = 'button';
  handle.className = 'vertex';
  // Where the pointer is, in the picture's own pixels.
  const pixelOf = (event) => {
    const box = picture.getBoundingClientRect();
    return [(event.clientX - box.left) * windowWidth / box.width,
            (event.clientY - box.top) * windowHeight / box.height];
  };
  handle.addEventListener('pointerdown', (event) => {
    event.preventDefault();
    handle.setPointerCapture(event.pointerId);
    handle.focus();
    handle.dataset.dragging = '1';
  });
  handle.addEventListener('pointermove', (event) => {
    if (handle.dataset.dragging) {
      moveVertex(i, ...pixelOf(event));
    }
  });
  const release = () => {
    delete handle.dataset.dragging;
    settle();
  };
  handle.addEventListener('pointerup', release);
  handle.addEventListener('pointercancel', release);
  // A pixel a press, ten with Shift; the figure settles when the key is let go.
  const steps = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
  handle.addEventListener('keydown', (event) => {
    const step = steps[event.key];
    if (step && shown) {
      event.preventDefault();
      // From where it was last put, accepted or not, so that it can be moved past a refusal.
      const [x, y] = moving?.at[i] ?? shown.answer.vertices[i];
      const by = event.shiftKey ? 10 : 1;
      moveVertex(i, x + step[0] * by, y + step[1] * by);
    }
  });
  handle.addEventListener('keyup', (event) => {
    if (steps[event.key]) {
      settle();
    }
  });
  return handle;
}

// A link's figure, read as the console reads it; the first six words it read are ABC, the rest
// A'B'C'.
function fromAddress() {
  const address = new URLSearchParams(location.search);
  form.elements.program.value = address.get('program') === 'paraquad' ? 'paraquad' : 'trimap';
  labels.checked = address.get('labels') === '1';
  showFields();
  if (!address.has('input')) {
    return;
  }
  const answer = converse(address.get('input'));
  fillFields(answer.words);
  show(answer);
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  show(converse(typed()));
});
form.elements.program.forEach((choice) => choice.addEventListener('change', showFields));
labels.addEventListener('change', () => { if (geometry && shown) show(converse(typed())); });
download.addEventListener('click', () => {
  const anchor = document.createElement('a');
  anchor.href = URL.createObjectURL(new Blob([shown.answer.svg], {type: 'image/svg+xml'}));
  anchor.download = shown.program + '.svg';
  anchor.click();
  URL.revokeObjectURL(anchor.href);
});

createGeometry().then((module) => {
  geometry = module;
  document.getElementById('compute').disabled = false;
  fromAddress();
});
