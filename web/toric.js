// The calculator's behaviour on the page: the six bars and their readouts,
// 計 算, リセット, ＥＮＤ and print, the copy key and what a screen reader
// hears. Every readout and result comes from the core (toric-core.js), the
// same arithmetic and text as the desktop window's.
(() => {
  'use strict';

  const page = JSON.parse(document.getElementById('toric-table').textContent);
  const texts = page.texts;
  const form = document.getElementById(page.form);
  const result = document.getElementById(page.roles.result);
  const announcer = document.getElementById('announcer');
  const ended = document.getElementById('ended');

  let core = null;
  const coreReady = ToricCore().then((module) => {
    core = {
      result: (p) => module.UTF8ToString(module._toric_result(...p)),
      readout: (bar, p) => module.UTF8ToString(module._toric_readout(bar, p)),
      value: (bar, p) => module._toric_bar_value(bar, p),
    };
    return core;
  });

  // What a screen reader says for a readout: "-1.25 ディオプター", "90 度".
  function spoken(readout) {
    return readout.replace(page.plus, '+')
        .replace(page.dioptre, ' ' + texts.dioptres)
        .replace(page.degree, ' ' + texts.degrees);
  }

  // Said on every call, even when the same words were said last: a live
  // region speaks only what changed.
  function announce(words) {
    announcer.textContent =
        announcer.textContent === words ? words + '\u00a0' : words;
  }

  // Arrow clicks and a held press on the trough repeat, as a desktop
  // scroll bar's do.
  const kRepeatDelay = 400;
  const kRepeatInterval = 50;
  // The shortest thumb, as the window's bars draw it.
  const kThumbLeast = 27;
  // A wheel turned by pixels: about this many make one notch.
  const kPixelsPerNotch = 100;

  class ScrollBar {
    constructor(element, index, wiring) {
      this.element = element;
      this.index = index;
      this.readout = document.getElementById(wiring.readout);
      const data = element.dataset;
      this.min = Number(data.min);
      this.max = Number(data.max);
      this.small = Number(data.small);
      this.large = Number(data.large);
      this.start = Number(data.start);
      this.value = this.start;
      this.trough = element.querySelector('.trough');
      this.thumb = element.querySelector('.thumb');
      this.arrow = element.querySelector('.arrow');
      this.wheelRest = 0;
      this.timer = 0;
      // In dioptres or degrees, as the readout's number.
      element.setAttribute('aria-valuemin', String(wiring.lowest));
      element.setAttribute('aria-valuemax', String(wiring.highest));
      element.setAttribute('aria-valuetext', spoken(this.readout.textContent));
      element.addEventListener('keydown', (e) => this.key(e));
      element.addEventListener('pointerdown', (e) => this.press(e));
      element.addEventListener('wheel', (e) => this.wheel(e), {passive: false});
      new ResizeObserver(() => this.place()).observe(this.trough);
    }

    set(value) {
      const clamped = Math.min(this.max, Math.max(this.min, value));
      if (clamped === this.value) return false;
      this.value = clamped;
      this.place();
      this.show();
      return true;
    }

    // The readout above the bar and the bar's value for assistive tools.
    show() {
      if (!core) return;  // every bar is shown once the core is ready
      const text = core.readout(this.index, this.value);
      this.readout.textContent = text;
      this.element.setAttribute('aria-valuetext', spoken(text));
      this.element.setAttribute('aria-valuenow',
                                String(core.value(this.index, this.value)));
    }

    // A page's share of the trough, and never narrower than the window's
    // shortest thumb or, on a touch screen's larger bars, than an arrow.
    thumbLength() {
      const room = this.trough.clientWidth;
      const span = this.max - this.min;
      const least = Math.max(kThumbLeast, this.arrow.offsetWidth);
      return Math.min(room, Math.max(
          least, Math.round(room * this.large / (span + this.large))));
    }

    // The thumb at the bar's value, or where it is being dragged.
    place(position = this.value) {
      const length = this.thumbLength();
      const room = this.trough.clientWidth - length;
      const span = this.max - this.min;
      const left = span ? Math.round(room * (position - this.min) / span) : 0;
      this.thumb.style.left = left + 'px';
      this.thumb.style.width = length + 'px';
    }

    // Right and Down one step towards the end, Left and Up back, Page Down
    // and Page Up a page, Home and End to the ends.
    key(event) {
      if (event.altKey || event.ctrlKey || event.metaKey) return;
      const moves = {
        ArrowRight: this.value + this.small,
        ArrowDown: this.value + this.small,
        ArrowLeft: this.value - this.small,
        ArrowUp: this.value - this.small,
        PageDown: this.value + this.large,
        PageUp: this.value - this.large,
        Home: this.min,
        End: this.max,
      };
      if (!(event.key in moves)) return;
      event.preventDefault();
      this.set(moves[event.key]);
    }

    press(event) {
      if (event.button !== 0) return;
      event.preventDefault();
      this.element.focus();
      const target = event.target;
      if (target === this.thumb) {
        this.drag(event);
        return;
      }
      let step;
      if (target.classList.contains('less')) {
        step = () => this.set(this.value - this.small);
      } else if (target.classList.contains('more')) {
        step = () => this.set(this.value + this.small);
      } else {
        // A page towards the pointer, until the thumb is under it.
        const x = event.clientX;
        step = () => {
          const thumb = this.thumb.getBoundingClientRect();
          if (x < thumb.left) this.set(this.value - this.large);
          else if (x > thumb.right) this.set(this.value + this.large);
        };
      }
      target.classList.add('pressed');
      step();
      const release = () => {
        clearTimeout(this.timer);
        clearInterval(this.timer);
        target.classList.remove('pressed');
      };
      this.timer = setTimeout(() => {
        this.timer = setInterval(step, kRepeatInterval);
      }, kRepeatDelay);
      this.element.setPointerCapture(event.pointerId);
      this.element.addEventListener('pointerup', release, {once: true});
      this.element.addEventListener('pointercancel', release, {once: true});
    }

    // The thumb follows the pointer; the value, and with it the readout,
    // changes where it is let go, as on the window's bars.
    drag(event) {
      const grab = event.clientX - this.thumb.getBoundingClientRect().left;
      let position = this.value;
      const move = (e) => {
        const trough = this.trough.getBoundingClientRect();
        const room = trough.width - this.thumbLength();
        const span = this.max - this.min;
        if (room <= 0) return;
        const x = e.clientX - grab - trough.left;
        position = Math.min(this.max, Math.max(
            this.min, this.min + Math.round(x / room * span)));
        this.place(position);
      };
      const stop = () => {
        this.element.removeEventListener('pointermove', move);
        if (!this.set(position)) this.place();
      };
      this.element.setPointerCapture(event.pointerId);
      this.element.addEventListener('pointermove', move);
      this.element.addEventListener('pointerup', stop, {once: true});
      this.element.addEventListener('pointercancel', stop, {once: true});
    }

    // One notch one step towards the end when turned down; with Ctrl or
    // Shift a page.
    wheel(event) {
      event.preventDefault();
      const delta = event.deltaY || event.deltaX;
      let notches;
      if (event.deltaMode === WheelEvent.DOM_DELTA_PIXEL) {
        this.wheelRest += delta;
        notches = Math.trunc(this.wheelRest / kPixelsPerNotch);
        this.wheelRest -= notches * kPixelsPerNotch;
      } else {
        notches = Math.sign(delta);
      }
      const step = event.ctrlKey || event.shiftKey ? this.large : this.small;
      if (notches) this.set(this.value + notches * step);
    }
  }

  const bars = page.bars.map((wiring, index) => new ScrollBar(
      document.getElementById(wiring.bar), index, wiring));

  async function calculate() {
    await coreReady;
    const line = core.result(bars.map((bar) => bar.value));
    result.textContent = line;
    announce(line);
  }

  function reset() {
    result.textContent = '';
    for (const bar of bars) bar.set(bar.start);
    announce(texts.reset_done);
  }

  // A page may close only a tab a script opened; elsewhere it says so and
  // takes the calculator off the page.
  function end() {
    window.close();
    setTimeout(() => {
      if (window.closed) return;
      form.hidden = true;
      ended.textContent = texts.ended + texts.ended_tab;
      ended.hidden = false;
      announce(ended.textContent);
    }, 100);
  }

  const commands = {
    calculate,
    reset,
    end,
    print: () => window.print(),
  };
  for (const [role, command] of Object.entries(commands)) {
    document.getElementById(page.roles[role]).addEventListener('click', command);
  }

  // The copy key copies the result line as shown, where no text is
  // selected; with no result the clipboard keeps what it holds.
  function nothingSelected() {
    const selection = document.getSelection();
    return !selection || selection.isCollapsed;
  }
  document.addEventListener('copy', (event) => {
    if (!nothingSelected() || !result.textContent) return;
    event.clipboardData.setData('text/plain', result.textContent);
    event.preventDefault();
  });
  document.addEventListener('keydown', (event) => {
    const copyKey = (event.ctrlKey || event.metaKey) && !event.altKey &&
        !event.shiftKey && event.key.toLowerCase() === 'c';
    if (!copyKey || !nothingSelected() || !result.textContent) return;
    event.preventDefault();
    if (!document.execCommand('copy') && navigator.clipboard) {
      navigator.clipboard.writeText(result.textContent);
    }
  });

  // Offline after the first visit, where the page is served with its
  // files beside it.
  if ('serviceWorker' in navigator && location.protocol.startsWith('http') &&
      document.querySelector('link[rel="manifest"]')) {
    navigator.serviceWorker.register('service_worker.js');
  }

  form.querySelector('button, [tabindex="0"]').focus({preventScroll: true});
  coreReady.then(() => {
    for (const bar of bars) bar.show();
    requestAnimationFrame(() => {
      performance.mark('toric-interactive');
      document.documentElement.dataset.ready = '';
    });
  });
})();
