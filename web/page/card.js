// The web card's page: the host of the card's engine in a browser. The engine (the card's own
// C++ core compiled to WebAssembly) reads every content file and runs the script; this script
// only carries out what it asks: it moves the figure, plays sounds and music, draws the card
// window from the engine's pictures, copies and geometry, and passes on clicks, keys and ticks.
// Everything it shows lies in the page's one main landmark.
"use strict";

// The page as it came, before anything here changes it: a new card is this with another message.
const pristinePage = "<!DOCTYPE html>\n" + document.documentElement.outerHTML;

const STEP_MS = 100;
const CONTROL = { repeat: 1, close: 2, visit: 1001, newCard: 1002, left: 1005, centred: 1006 };
const DAMAGED = "This card could not start: its file is damaged or incomplete.";

const pageMain = document.getElementById("card-main");

let engine = null;
let phase = "cover";
const events = [];
const timing = { openedAt: null, firstFrameAt: null, ticks: [] };

// --- the engine's memory and text --------------------------------------------------------

function text(pointer) { return engine.UTF16ToString(pointer); }

// Calls `use` with the address of `count` 32-bit numbers, then gives back what it wrote.
function withInts(count, use) {
  const at = engine._malloc(4 * count);
  try {
    const result = use(at);
    return { result, values: Array.from(engine.HEAP32.subarray(at >> 2, (at >> 2) + count)) };
  } finally {
    engine._free(at);
  }
}

// Calls `use` with the address of `value` as UTF-16 in the engine's memory.
function withText(value, use) {
  const bytes = engine.lengthBytesUTF16(value) + 2;
  const at = engine._malloc(bytes);
  try {
    engine.stringToUTF16(value, at, bytes);
    return use(at);
  } finally {
    engine._free(at);
  }
}

function bytesAt(pointer, size) { return engine.HEAPU8.slice(pointer, pointer + size); }

function imageData(pointer, width, height) {
  const pixels = new Uint8ClampedArray(engine.HEAPU8.buffer, pointer, width * height * 4);
  return new ImageData(new Uint8ClampedArray(pixels), width, height);
}

function cssColour(value) {
  const hex = (v) => v.toString(16).padStart(2, "0");
  return "#" + hex(value & 0xff) + hex((value >> 8) & 0xff) + hex((value >> 16) & 0xff);
}

function base64Bytes(data) {
  const binary = atob(data.replace(/\s+/g, ""));
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

function bytesBase64(bytes) {
  let binary = "";
  for (let i = 0; i < bytes.length; i += 0x8000) {
    binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
  }
  return btoa(binary);
}

// --- starting -------------------------------------------------------------------------------

function notice(sentence) {
  for (const element of pageMain.children) {
    if (element.id !== "card-notice") element.hidden = true;
  }
  const shown = document.getElementById("card-notice");
  shown.textContent = sentence;
  shown.hidden = false;
}

function giveFile(name, bytes) {
  const at = engine._malloc(Math.max(1, bytes.length));
  try {
    engine.HEAPU8.set(bytes, at);
    withAscii(name, (namePointer) => engine._card_add_file(namePointer, at, bytes.length));
  } finally {
    engine._free(at);
  }
}

function withAscii(value, use) {
  const at = engine._malloc(value.length + 1);
  try {
    for (let i = 0; i < value.length; ++i) engine.HEAPU8[at + i] = value.charCodeAt(i) & 0x7f;
    engine.HEAPU8[at + value.length] = 0;
    return use(at);
  } finally {
    engine._free(at);
  }
}

async function start() {
  let files;
  try {
    files = Array.from(document.querySelectorAll("script[data-card-file]"), (element) =>
      [element.dataset.cardFile, base64Bytes(element.textContent)]);
    files.push(["msg.txt", base64Bytes(document.getElementById("card-message").textContent)]);
    // Run here rather than as a script of its own, so that a damaged engine is caught.
    const factory = new Function(document.getElementById("card-engine").textContent +
      "\nreturn CardEngine;")();
    engine = await factory();
  } catch (failure) {
    notice(DAMAGED);
    return;
  }
  for (const [name, bytes] of files) giveFile(name, bytes);
  if (!engine._card_open()) {
    notice(text(engine._card_error()));
    return;
  }
  document.getElementById("card-notice").hidden = true;
  Card.build();
}

// --- the pieces of the page -----------------------------------------------------------------

const Card = {
  build() {
    const root = document.documentElement.style;
    const colours = ["background", "message-text", "message-shadow", "button-face", "button-text",
      "button-text-shadow"];
    colours.forEach((name, i) =>
      root.setProperty("--card-" + name, cssColour(engine._card_colour(i))));
    document.title = text(engine._card_title()) || document.title;
    Cover.build();
    QuietControls.build();
    Figure.build();
    Music.build();
    CardWindow.build();
    Announcer.build();
    window.addEventListener("resize", () => CardWindow.layOut());
    document.addEventListener("keydown", (event) => Keys.down(event));
  },
};

// The cover: the card's logo and title, and a click anywhere opens it. Once opened it folds away
// to its title, the page's level-one heading, which stays for screen readers.
const Cover = {
  build() {
    this.element = document.createElement("div");
    this.element.className = "card-cover";
    this.element.innerHTML = '<div class="card-cover-panel"><h1 class="card-cover-title"></h1>' +
      '<div class="card-cover-actions"><button type="button" class="card-cover-prompt">' +
      'Tap to open</button><button type="button" class="card-cover-at-card" hidden>' +
      "Open at the card, without the animation</button></div></div>";
    this.element.querySelector("h1").textContent = document.title;
    this.prompt = this.element.querySelector(".card-cover-prompt");
    this.showLogo(this.element.querySelector(".card-cover-panel"));
    this.element.addEventListener("click", () => Player.open());
    this.element.querySelector(".card-cover-at-card").addEventListener("click", (event) => {
      event.stopPropagation();
      Player.open({ atCard: true });
    });
    QuietControls.offerStillOpening(this.element.querySelector(".card-cover-at-card"));
    pageMain.append(this.element);
  },
  // The card's logo, twice its size, above the title.
  showLogo(panel) {
    const logo = withInts(7, (at) => engine._card_logo(at));
    const image = logo.result ? CardWindow.image(logo.values[0]) : null;
    if (!image) return;
    const canvas = document.createElement("canvas");
    canvas.className = "card-cover-logo";
    canvas.setAttribute("aria-hidden", "true");
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.style.width = 2 * image.width + "px";
    canvas.style.height = 2 * image.height + "px";
    canvas.getContext("2d").drawImage(image, 0, 0);
    panel.prepend(canvas);
  },
  show(shown) { this.element.classList.toggle("card-cover-folded", !shown); },
  // Any key opens the card, but Tab and modifiers alone, and Enter and Space on one of the
  // cover's buttons, which take them themselves.
  opensWith(event) {
    const alone = ["Tab", "Shift", "Control", "Alt", "Meta"];
    if (event.repeat || alone.includes(event.key)) return false;
    const target = event.target;
    const onButton = target instanceof HTMLButtonElement && this.element.contains(target);
    return !(onButton && ["Enter", " "].includes(event.key));
  },
};

const Figure = {
  build() {
    this.width = engine._card_frame_width();
    this.height = engine._card_frame_height();
    this.frames = [];
    this.shown = false;
    for (let i = 0; i < engine._card_frame_count(); ++i) {
      this.frames.push(imageData(engine._card_frame_rgba(i), this.width, this.height));
    }
    this.canvas = document.createElement("canvas");
    this.canvas.className = "card-figure";
    this.canvas.setAttribute("aria-hidden", "true");
    this.canvas.width = this.width;
    this.canvas.height = this.height;
    this.canvas.style.width = this.width + "px";
    this.canvas.style.height = this.height + "px";
    this.canvas.hidden = true;
    this.context = this.canvas.getContext("2d");
    pageMain.append(this.canvas);
  },
  show(index, x, y) {
    this.context.putImageData(this.frames[index], 0, 0);
    this.canvas.style.transform = "translate(" + x + "px, " + y + "px)";
    this.shown = true;
    this.canvas.hidden = false;
  },
  // Seen where the script left it, once it has shown a frame; not over the cover.
  reveal(shown) { this.canvas.hidden = !(shown && this.shown); },
};

// Sound effects through Web Audio, one at a time; each ends with the engine's done notice.
const Sounds = {
  context: null,
  playing: null,
  wake() {
    const AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextClass) return;
    if (!this.context) {
      this.context = new AudioContextClass();
      this.output = this.context.createGain();
      this.output.connect(this.context.destination);
      this.mute(QuietControls.muted);
    }
    if (this.context.state === "suspended") this.context.resume();
  },
  // Muted, the clips still play silently and take their time.
  mute(muted) { if (this.output) this.output.gain.value = muted ? 0 : 1; },
  // The clip that plays ends now, and with it its wait.
  stop() { if (this.playing) this.playing.stop(); },
  play(samples, rate) {
    const done = () => engine._card_sound_done();
    // Without sound output the clip still takes its time, so the figure waits as it would.
    if (!this.context || this.context.state !== "running") {
      setTimeout(done, (1000 * samples.length) / rate);
      return;
    }
    const buffer = this.context.createBuffer(1, samples.length, rate);
    buffer.getChannelData(0).set(samples);
    const source = this.context.createBufferSource();
    source.buffer = buffer;
    source.connect(this.output);
    source.onended = () => {
      if (this.playing === source) this.playing = null;
      done();
    };
    this.playing = source;
    source.start();
  },
};

// The background music: card.mid as the card was made, played while the figure plays.
const Music = {
  build() {
    const data = document.getElementById("card-music").textContent.trim();
    if (!data || !engine._card_setting(1)) return;
    const url = URL.createObjectURL(new Blob([base64Bytes(data)], { type: "audio/mpeg" }));
    this.audio = new Audio(url);
    this.audio.loop = engine._card_setting(2) === 1;
    this.mute(QuietControls.muted);
  },
  mute(muted) { if (this.audio) this.audio.muted = muted; },
  start() {
    if (!this.audio) return;
    this.audio.currentTime = 0;
    const playing = this.audio.play();
    if (playing) playing.catch(() => {});
  },
  stop() { if (this.audio) this.audio.pause(); },
  state() {
    if (!this.audio) return null;
    return { playing: !this.audio.paused, loop: this.audio.loop, muted: this.audio.muted };
  },
};

// The figure's run: one engine step a tenth of a second, on a schedule that does not drift.
const Player = {
  startedAt: null,
  // Opens the cover: plays the figure, or with `atCard` shows the card at once.
  open({ atCard = false } = {}) {
    if (phase !== "cover") return;
    Sounds.wake();
    Cover.show(false);
    if (this.startedAt === null) {
      this.startedAt = performance.now();
      timing.openedAt = this.startedAt;
    }
    if (atCard) this.showCard();
    else this.play();
    handOverFocus(Cover.element, atCard ? CardWindow.buttons[0].element :
      QuietControls.firstControl());
  },
  play() {
    phase = "playing";
    QuietControls.show(true);
    handOverFocus(CardWindow.element, QuietControls.firstControl());
    CardWindow.show(false);
    Announcer.clear();
    Figure.reveal(true);
    engine._card_start();
    Music.start();
    this.due = performance.now() + STEP_MS;
    this.timer = setTimeout(() => this.tick(), STEP_MS);
  },
  // Ends the playing at once, as the end of the script does; the figure leaves the page.
  skip() {
    if (phase !== "playing") return;
    clearTimeout(this.timer);
    engine._card_skip();
    Sounds.stop();
    Figure.reveal(false);
    this.showCard();
  },
  takeEvents() {
    for (let i = events.length; i < engine._card_event_count(); ++i) {
      events.push(text(engine._card_event(i)));
    }
  },
  showCard() {
    this.takeEvents();
    Music.stop();
    phase = "card";
    CardWindow.show(true);
    handOverFocus(QuietControls.element, CardWindow.buttons[0].element);
    QuietControls.show(false);
    Announcer.cardOpen();
  },
  tick() {
    const now = performance.now();
    timing.ticks.push(now - this.due);
    const tenths = Math.round((now - this.startedAt) / STEP_MS);
    const area = document.documentElement;
    const flags = engine._card_step(tenths, area.clientWidth, area.clientHeight);
    if (flags & 2) {
      Figure.show(engine._card_figure_frame(), engine._card_figure_x(), engine._card_figure_y());
      if (timing.firstFrameAt === null) timing.firstFrameAt = performance.now();
    }
    if (flags & 4) {
      const count = engine._card_sound_sample_count();
      const at = engine._card_sound_samples() >> 2;
      Sounds.play(engine.HEAPF32.slice(at, at + count), engine._card_sound_sample_rate());
    }
    if (flags & 8) MessageBox.show(text(engine._card_message_box()));
    this.takeEvents();
    if (flags & 1) {
      // Ticks that were missed (a page in the background) are dropped, not caught up.
      this.due += STEP_MS;
      const after = performance.now();
      if (this.due < after) this.due = after + STEP_MS;
      this.timer = setTimeout(() => this.tick(), this.due - after);
      return;
    }
    this.showCard();
  },
};

// A message box of the script (a faulty bounds token): shown, and the run goes on.
const MessageBox = {
  show(message) {
    const box = document.createElement("div");
    box.className = "card-box";
    box.innerHTML = '<div class="card-dialog" role="alertdialog" aria-modal="true" ' +
      'aria-labelledby="card-box-title" aria-describedby="card-box-text">' +
      '<h2 id="card-box-title"></h2><p id="card-box-text"></p>' +
      '<div class="card-dialog-row"><span></span><button type="button">OK</button></div></div>';
    box.querySelector("h2").textContent = document.title;
    box.querySelector("p").textContent = message;
    box.querySelector("button").addEventListener("click", () => box.remove());
    pageMain.append(box);
  },
};

// --- the card window --------------------------------------------------------------------------

function controlRect(id) {
  const { values } = withInts(4, (at) => engine._card_control_rect(id, at));
  return { left: values[0], top: values[1], right: values[2], bottom: values[3] };
}

function place(element, rect) {
  Object.assign(element.style, {
    left: rect.left + "px", top: rect.top + "px",
    width: rect.right - rect.left + "px", height: rect.bottom - rect.top + "px",
  });
}

// A canvas drawn in card pixels at the resolution it is shown with.
function sharpCanvas(canvas, width, height, scale) {
  canvas.width = Math.max(1, Math.round(width * scale));
  canvas.height = Math.max(1, Math.round(height * scale));
  canvas.style.width = width + "px";
  canvas.style.height = height + "px";
  const context = canvas.getContext("2d");
  context.setTransform(canvas.width / width, 0, 0, canvas.height / height, 0, 0);
  // Whole multiples of the picture's pixels stay sharp; other sizes are smoothed.
  context.imageSmoothingEnabled = Math.abs(scale - Math.round(scale)) > 0.01;
  return context;
}

const CLIENT_WIDTH = 628;
const CLIENT_HEIGHT = 428;

const CardWindow = {
  scale: 1,
  offset: { x: 0, y: 0 },
  images: new Map(),
  build() {
    this.element = document.createElement("div");
    this.element.className = "card-window";
    this.element.hidden = true;
    this.surface = document.createElement("canvas");
    this.surface.setAttribute("aria-hidden", "true");
    this.element.append(this.surface);
    this.messages = {};
    for (const [id, centred] of [[CONTROL.left, false], [CONTROL.centred, true]]) {
      const message = document.createElement("div");
      message.className = "card-message" + (centred ? " card-message-centred" : "");
      place(message, controlRect(id));
      this.element.append(message);
      this.messages[centred ? "centred" : "left"] = message;
    }
    this.buttons = [
      new CardButton(CONTROL.repeat, "Repeat", () => Player.play()),
      new CardButton(CONTROL.newCard, "Make a New Card", () => NewCardDialog.open()),
      new CardButton(CONTROL.visit, "Visit Us", () => openTarget(engine._card_open_visit()), true),
      new CardButton(CONTROL.close, "Close", () => this.close()),
    ];
    for (const button of this.buttons) this.element.append(button.element);
    Pointer.attach(this.element);
    pageMain.append(this.element);
    this.showMessage();
    this.layOut();
  },
  show(shown) {
    this.element.hidden = !shown;
    if (shown) this.layOut();
  },
  close() {
    Cover.show(true);
    handOverFocus(this.element, Cover.prompt);
    this.show(false);
    Figure.reveal(false);
    phase = "cover";
  },
  showMessage() {
    const centred = engine._card_message_centred() === 1;
    const message = text(engine._card_message_text());
    this.messages.left.textContent = message;
    this.messages.centred.textContent = message;
    this.messages.left.hidden = centred;
    this.messages.centred.hidden = !centred;
  },
  // Centred in the visible area (moved by dragging), scaled down to fit a small screen.
  layOut() {
    const area = document.documentElement;
    const margin = 8;
    this.scale = Math.min(1, (area.clientWidth - 2 * margin) / 630,
      (area.clientHeight - 2 * margin) / 430);
    // On whole device pixels, or every picture would be resampled and blurred.
    const ratio = window.devicePixelRatio || 1;
    const whole = (v) => Math.round(v * ratio) / ratio;
    const x = whole((area.clientWidth - 630 * this.scale) / 2 + this.offset.x);
    const y = whole((area.clientHeight - 430 * this.scale) / 2 + this.offset.y);
    this.element.style.transform = "translate(" + x + "px, " + y + "px) scale(" + this.scale + ")";
    this.paint();
  },
  resolution() { return this.scale * (window.devicePixelRatio || 1); },
  image(id) {
    if (!this.images.has(id)) {
      const width = engine._card_image_width(id);
      const height = engine._card_image_height(id);
      const pointer = engine._card_image_rgba(id);
      let canvas = null;
      if (pointer && width > 0 && height > 0) {
        canvas = document.createElement("canvas");
        canvas.width = width;
        canvas.height = height;
        canvas.getContext("2d").putImageData(imageData(pointer, width, height), 0, 0);
      }
      this.images.set(id, canvas);
    }
    return this.images.get(id);
  },
  copy(context, copy) {
    const [id, sx, sy, width, height, x, y] = copy;
    const image = this.image(id);
    if (!image || width <= 0 || height <= 0) return;
    context.drawImage(image, sx, sy, width, height, x, y, width, height);
  },
  paint() {
    if (this.element.hidden) return;
    const context = sharpCanvas(this.surface, CLIENT_WIDTH, CLIENT_HEIGHT, this.resolution());
    context.fillStyle = cssColour(engine._card_colour(0));
    context.fillRect(0, 0, CLIENT_WIDTH, CLIENT_HEIGHT);
    const capacity = 256;
    const { result, values } = withInts(7 * capacity, (at) => engine._card_paint(at, capacity));
    for (let i = 0; i < result; ++i) this.copy(context, values.slice(7 * i, 7 * i + 7));
    for (const button of this.buttons) button.draw();
  },
  // A point of the page in the card's client pixels.
  clientPoint(pageX, pageY) {
    const box = this.element.getBoundingClientRect();
    return {
      x: Math.floor((pageX - box.left) / this.scale) - 1,
      y: Math.floor((pageY - box.top) / this.scale) - 1,
    };
  },
};

// Opens what a hot spot or "Visit Us" leads to: a page, picture or text the card carries, or
// an address; the engine chose it by the card's rule, and a target the card may not open (0)
// does nothing. The opened page gets no hold on this one.
function openTarget(kind) {
  if (kind === 1) {
    const file = bytesAt(engine._card_target_page(), engine._card_target_page_size());
    const type = text(engine._card_target_type());
    window.open(URL.createObjectURL(new Blob([file], { type })), "_blank", "noopener");
  } else if (kind === 2) {
    window.open(text(engine._card_target_text()), "_blank", "noopener");
  }
}

// One of the four buttons, drawn as the card draws its owner-drawn buttons.
class CardButton {
  constructor(id, caption, action, withLogo = false) {
    this.id = id;
    this.caption = caption;
    this.withLogo = withLogo;
    this.rect = controlRect(id);
    this.pressed = false;
    this.element = document.createElement("button");
    this.element.type = "button";
    this.element.className = "card-button";
    this.element.setAttribute("aria-label", caption);
    place(this.element, this.rect);
    this.canvas = document.createElement("canvas");
    this.canvas.setAttribute("aria-hidden", "true");
    this.element.append(this.canvas);
    const release = () => { this.pressed = false; this.draw(); };
    this.element.addEventListener("pointerdown", (event) => {
      event.stopPropagation();
      this.pressed = true;
      this.element.focus();
      this.draw();
    });
    this.element.addEventListener("pointerup", release);
    this.element.addEventListener("pointerleave", release);
    this.element.addEventListener("focus", () => this.draw());
    this.element.addEventListener("blur", () => this.draw());
    this.element.addEventListener("click", () => { release(); action(); });
  }
  draw() {
    const width = this.rect.right - this.rect.left;
    const height = this.rect.bottom - this.rect.top;
    const context = sharpCanvas(this.canvas, width, height, CardWindow.resolution());
    const paints = ["#000000", cssColour(engine._card_colour(3)), "#ffffff", "#808080"];
    const fills = withInts(5 * 16, (at) =>
      engine._card_button_fills(0, 0, width, height, this.pressed ? 1 : 0, at));
    for (let i = 0; i < fills.result; ++i) {
      const [paint, left, top, right, bottom] = fills.values.slice(5 * i, 5 * i + 5);
      context.fillStyle = paints[paint];
      context.fillRect(left, top, right - left, bottom - top);
    }
    let decoration = 0;
    if (this.withLogo) {
      const logo = withInts(7, (at) => engine._card_logo(at));
      if (logo.result) CardWindow.copy(context, logo.values);
      decoration = engine._card_logo_strip_width();
    }
    context.font = "600 18px Arial, 'Liberation Sans', Helvetica, sans-serif";
    const metrics = context.measureText(this.caption);
    const ascent = metrics.fontBoundingBoxAscent || 17;
    const textHeight = Math.round(ascent + (metrics.fontBoundingBoxDescent || 4));
    const focused = document.activeElement === this.element;
    const state = (this.pressed ? 0x1 : 0) | (focused ? 0x10 : 0);
    const at = withInts(2, (out) => engine._card_caption_position(0, 0, width, height, state,
      decoration, Math.round(metrics.width), textHeight, out)).values;
    context.textBaseline = "alphabetic";
    context.fillStyle = cssColour(engine._card_colour(5));
    context.fillText(this.caption, at[0], at[1] + ascent);
    context.fillStyle = cssColour(engine._card_colour(4));
    context.fillText(this.caption, at[0] - 1, at[1] - 1 + ascent);
  }
  pageRect() {
    const box = this.element.getBoundingClientRect();
    return { left: box.left, top: box.top, right: box.right, bottom: box.bottom };
  }
}

// The pointer over the card window: hot spots (hover, hand, click) and dragging the card.
const Pointer = {
  attach(element) {
    element.addEventListener("pointermove", (event) => this.move(event));
    element.addEventListener("pointerdown", (event) => this.down(event));
    element.addEventListener("pointerup", (event) => this.up(event));
    element.addEventListener("pointercancel", (event) => this.up(event));
    element.addEventListener("pointerleave", () => { if (!this.drag) this.hover(-10000, -10000); });
  },
  hover(x, y) {
    const flags = engine._card_pointer_at(x, y);
    CardWindow.element.style.cursor = flags & 4 ? "pointer" : "";
    if (flags & 2) CardWindow.paint();
  },
  down(event) {
    const at = CardWindow.clientPoint(event.clientX, event.clientY);
    const spot = engine._card_hot_spot_at(at.x, at.y);
    if (spot >= 0) {
      openTarget(engine._card_open_hot_spot(spot));
      return;
    }
    this.drag = { x: event.clientX, y: event.clientY, from: { ...CardWindow.offset } };
    CardWindow.element.setPointerCapture(event.pointerId);
  },
  move(event) {
    if (!this.drag) {
      const at = CardWindow.clientPoint(event.clientX, event.clientY);
      this.hover(at.x, at.y);
      return;
    }
    CardWindow.offset = {
      x: this.drag.from.x + event.clientX - this.drag.x,
      y: this.drag.from.y + event.clientY - this.drag.y,
    };
    CardWindow.layOut();
  },
  up(event) {
    if (!this.drag) return;
    this.drag = null;
    if (CardWindow.element.hasPointerCapture(event.pointerId)) {
      CardWindow.element.releasePointerCapture(event.pointerId);
    }
  },
};

// --- Make a New Card ---------------------------------------------------------------------

const NewCardDialog = {
  open() {
    const box = document.createElement("div");
    box.className = "card-box";
    box.innerHTML = '<div class="card-dialog" role="dialog" aria-modal="true" ' +
      'aria-labelledby="card-new-message-title" aria-describedby="card-new-message-text">' +
      '<h2 id="card-new-message-title">Zelk Greeting Card</h2>' +
      '<p id="card-new-message-text">Enter your new message in the box below.\n' +
      "(up to 450 characters - 7 Lines)</p>" +
      '<textarea spellcheck="false" aria-label="New message"></textarea>' +
      '<div class="card-dialog-row"><button type="button" data-action="cancel">Cancel</button>' +
      '<label><input type="checkbox"> Centered</label>' +
      '<button type="button" data-action="ok">OK</button></div></div>';
    const dialog = box.querySelector(".card-dialog");
    const edit = box.querySelector("textarea");
    const centred = box.querySelector("input");
    edit.value = text(engine._card_message_text());
    centred.checked = engine._card_message_centred() === 1;
    edit.classList.toggle("card-centred", centred.checked);
    let accepted = edit.value;
    edit.addEventListener("input", () => {
      const fits = withText(edit.value, (at) => engine._card_new_message_fits(at)) === 1;
      if (fits && edit.scrollHeight <= edit.clientHeight) {
        accepted = edit.value;
        return;
      }
      // Refused: the text goes back, the caret stays near where it was, and the box shakes.
      const caret = Math.min(edit.selectionStart, accepted.length);
      edit.value = accepted;
      edit.setSelectionRange(caret, caret);
      dialog.classList.remove("card-shake");
      void dialog.offsetWidth;
      dialog.classList.add("card-shake");
    });
    centred.addEventListener("change", () =>
      edit.classList.toggle("card-centred", centred.checked));
    box.querySelector('[data-action="cancel"]').addEventListener("click", () => this.close());
    box.querySelector('[data-action="ok"]').addEventListener("click", () =>
      this.make(edit.value, centred.checked));
    box.addEventListener("keydown", (event) => {
      if (event.key === "Escape") this.close();
      event.stopPropagation();
    });
    this.box = box;
    this.opener = document.activeElement;
    this.scale(dialog);
    pageMain.append(box);
    edit.focus();
  },
  scale(dialog) {
    const area = document.documentElement;
    const fit = Math.min(1, (area.clientWidth - 16) / 600, (area.clientHeight - 16) / 400);
    dialog.style.transform = "scale(" + fit + ")";
  },
  close() {
    if (this.box) this.box.remove();
    this.box = null;
    if (this.opener) this.opener.focus();
  },
  make(message, centred) {
    const name = text(withText(message, (at) => engine._card_new_card_name(at)));
    const size = withText(message, (at) => engine._card_set_message(at, centred ? 1 : 0));
    const file = new File([newCardPage(bytesAt(engine._card_message_file(), size))], name,
      { type: "text/html" });
    download(file);
    this.close();
    CardWindow.showMessage();
    FileCreatedBox.show(file);
  },
};

// The card's own page with only the message replaced.
function newCardPage(messageFile) {
  const start = '<script type="application/octet-stream" id="card-message">';
  const from = pristinePage.indexOf(start) + start.length;
  const to = pristinePage.indexOf("<\/script>", from);
  return pristinePage.slice(0, from) + bytesBase64(messageFile) + pristinePage.slice(to);
}

function download(file) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(file);
  link.download = file.name;
  pageMain.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

const FileCreatedBox = {
  show(file) {
    const box = document.createElement("div");
    box.className = "card-box";
    box.innerHTML = '<div class="card-dialog" role="dialog" aria-modal="true" ' +
      'aria-labelledby="card-file-created-title" aria-describedby="card-file-created-text">' +
      '<h2 id="card-file-created-title">Zelk Greeting Card</h2>' +
      '<p id="card-file-created-text"></p>' +
      '<div class="card-dialog-row"><button type="button" data-action="send" hidden>Send</button>' +
      '<span></span><button type="button" data-action="ok">OK</button></div></div>';
    box.querySelector("p").textContent = 'The file "' + file.name +
      '"\nhas been created for you.\n\nYou can send it to your friend as an e-mail attachment.';
    const send = box.querySelector('[data-action="send"]');
    const shareable = navigator.canShare && navigator.canShare({ files: [file] });
    send.hidden = !shareable;
    send.addEventListener("click", () => navigator.share({ files: [file], title: file.name })
      .catch(() => {}));
    // Closed, it gives the focus back to where it was ("Make a New Card").
    const opener = document.activeElement;
    const close = () => {
      box.remove();
      if (opener) opener.focus();
    };
    box.querySelector('[data-action="ok"]').addEventListener("click", close);
    box.addEventListener("keydown", (event) => {
      // Handled here alone: the focus given back must not take the key as well.
      if (event.key === "Escape" || event.key === "Enter") {
        event.preventDefault();
        close();
      }
      event.stopPropagation();
    });
    NewCardDialog.scale(box.querySelector(".card-dialog"));
    pageMain.append(box);
    box.querySelector('[data-action="ok"]').focus();
  },
};

// --- the quiet way: sound off and skipping -------------------------------------------------
// While the figure plays, two controls: one silences the music and the sound effects (for the
// rest of the visit), one skips to the card. A person who asks for less motion is offered, on
// the cover, to open at the card.

const QuietControls = {
  muted: false,
  build() {
    this.element = document.createElement("div");
    this.element.className = "card-quiet";
    this.element.setAttribute("role", "group");
    this.element.setAttribute("aria-label", "While the card plays");
    this.element.innerHTML = '<button type="button" class="card-quiet-mute" ' +
      'aria-pressed="false">Mute sound</button>' +
      '<button type="button" class="card-quiet-skip">Skip to the card</button>';
    this.element.hidden = true;
    this.element.querySelector(".card-quiet-mute").addEventListener("click", () =>
      this.mute(!this.muted));
    this.element.querySelector(".card-quiet-skip").addEventListener("click", () =>
      Player.skip());
    pageMain.append(this.element);
  },
  show(shown) { this.element.hidden = !shown; },
  firstControl() { return this.element.querySelector("button"); },
  mute(muted) {
    this.muted = muted;
    this.element.querySelector(".card-quiet-mute").setAttribute("aria-pressed", String(muted));
    Music.mute(muted);
    Sounds.mute(muted);
  },
  // Shows `offer` while the person's settings ask for reduced motion.
  offerStillOpening(offer) {
    const reduced = window.matchMedia("(prefers-reduced-motion: reduce)");
    const update = () => { offer.hidden = !reduced.matches; };
    reduced.addEventListener("change", update);
    update();
  },
};

// --- what a screen reader hears ---------------------------------------------------------------
// A polite announcement when the card appears; the message itself is text on the card. Focus in
// a part that hides moves to the part that takes its place, so a key never presses a hidden
// button and Tab goes on from where the person is.

function handOverFocus(from, to) {
  if (from.contains(document.activeElement)) to.focus();
}

const Announcer = {
  build() {
    this.element = document.createElement("div");
    this.element.className = "card-announcer";
    this.element.setAttribute("role", "status");
    this.element.setAttribute("aria-live", "polite");
    pageMain.append(this.element);
  },
  // Emptied while the figure plays, so that each appearance is announced again.
  clear() { this.element.textContent = ""; },
  cardOpen() { this.element.textContent = "The card is open: " + document.title; },
};

// --- keys ---------------------------------------------------------------------------------

// On the card, Enter presses the focused button, or Repeat (the default button) when none has the
// focus; Escape closes. Space is the focused button's own.
const Keys = {
  down(event) {
    if (phase === "cover") {
      if (Cover.opensWith(event)) Player.open();
      return;
    }
    if (phase !== "card" || document.querySelector(".card-box")) return;
    if (event.key === "Enter") {
      event.preventDefault();
      const buttons = CardWindow.buttons.map((button) => button.element);
      (buttons.find((button) => button === document.activeElement) || buttons[0]).click();
    } else if (event.key === "Escape") {
      event.preventDefault();
      CardWindow.close();
    }
  },
};

// --- the test interface: read-only ------------------------------------------------------------
// The run's events in cardkit simulate's line format, the phase, the buttons' rectangles in page
// pixels, the music's state and the ticks' timing, for tests and benchmarks.

Object.defineProperty(window, "cardTest", {
  value: Object.freeze({
    get events() { return events.slice(); },
    get phase() { return phase; },
    get buttons() {
      if (!CardWindow.buttons) return {};
      const [repeat, newCard, visit, close] = CardWindow.buttons.map((b) => b.pageRect());
      return { repeat, newCard, visit, close };
    },
    get music() { return Music.state(); },
    get timing() {
      return { openedAt: timing.openedAt, firstFrameAt: timing.firstFrameAt,
        ticks: timing.ticks.slice() };
    },
  }),
});

start().catch(() => notice(DAMAGED));
