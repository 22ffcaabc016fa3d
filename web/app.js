// The page's form: what is typed goes to the programs' own dialogues in WebAssembly; the report
// comes back as text, the picture as the programs' own SVG. The address holds the figure, so that
// a link opens with it computed.
'use strict';

const form = document.getElementById('form');
const first = document.getElementById('first');
const second = document.getElementById('second');
const labels = document.getElementById('labels');
const report = document.getElementById('report');
const picture = document.getElementById('picture');
const download = document.getElementById('download');
const link = document.getElementById('link');
const wordsPerFigure = 6;
let geometry = null; // the WebAssembly module, once it is ready
let drawn = {svg: '', program: ''}; // the picture shown, and the program that drew it

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

// The program's dialogue on the text, every character of it, NULs included: whether it accepted,
// its report, its picture and the words it read.
function converse(text) {
  const size = geometry.lengthBytesUTF8(text);
  const input = geometry._malloc(size + 1);
  geometry.stringToUTF8(text, input, size + 1);
  try {
    return JSON.parse(geometry.ccall('compute', 'string', ['string', 'number', 'number', 'number'],
                                     [program(), input, size, labels.checked ? 1 : 0]));
  } finally {
    geometry._free(input);
  }
}

// The answer on the page, and its figure in the address: the words the dialogue read.
function show(answer) {
  report.textContent = answer.report;
  drawn = {svg: answer.accepted ? answer.svg : '', program: program()};
  picture.replaceChildren();
  if (drawn.svg) {
    const parsed = new DOMParser().parseFromString(drawn.svg, 'image/svg+xml');
    picture.append(document.importNode(parsed.documentElement, true));
    if (!document.body.dataset.firstPicture) {
      document.body.dataset.firstPicture = performance.now().toFixed(1);
    }
  }
  download.disabled = !drawn.svg;
  const address = '?' + new URLSearchParams({program: program(), input: answer.words.join(' '),
                                               labels: labels.checked ? '1' : '0'});
  history.replaceState(null, '', address);
  link.href = address;
  link.classList.remove('hidden');
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
  const trimap = program() === 'trimap';
  first.value = (trimap ? answer.words.slice(0, wordsPerFigure) : answer.words).join(' ');
  second.value = trimap ? answer.words.slice(wordsPerFigure).join(' ') : '';
  show(answer);
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  show(converse(typed()));
});
form.elements.program.forEach((choice) => choice.addEventListener('change', showFields));
labels.addEventListener('change', () => { if (geometry && drawn.svg) show(converse(typed())); });
download.addEventListener('click', () => {
  const anchor = document.createElement('a');
  anchor.href = URL.createObjectURL(new Blob([drawn.svg], {type: 'image/svg+xml'}));
  anchor.download = drawn.program + '.svg';
  anchor.click();
  URL.revokeObjectURL(anchor.href);
});

createGeometry().then((module) => {
  geometry = module;
  document.getElementById('compute').disabled = false;
  fromAddress();
});
