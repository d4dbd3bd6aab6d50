// The calculator's behaviour on the page: the six bars and their readouts,
// 計 算, リセット, ＥＮＤ and print, the copy key, what a screen reader
// hears, the layout for a finger and the lenses in the page's address.
// Every readout and result comes from the core (toric-core.js), the same
// arithmetic and text as the desktop window's.
(() => {
  'use strict';

  const page = JSON.parse(document.getElementById('toric-table').textContent);
  const texts = page.texts;
  const root = document.documentElement;
  const form = document.getElementById(page.form);
  const result = document.getElementById(page.roles.result);
  const announcer = document.getElementById('announcer');
  const ended = document.getElementById('ended');
  const linkNote = document.getElementById('link-note');

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

  // The column of controls where the screen is narrow or the main pointer
  // a finger (as the page's head chose it first), and wherever the reader's
  // font sizes would not fit the window: a default size other than 16
  // pixels, or a minimum size above a control's own.
  const stackedMedia = matchMedia(root.dataset.stacked);
  function windowFits() {
    if (getComputedStyle(root).fontSize !== '16px') return false;
    return [...form.children].every((control) => {
      const style = getComputedStyle(control);
      return parseFloat(style.fontSize) <= parseFloat(style.getPropertyValue('--font'));
    });
  }
  function chooseLayout() {
    root.classList.toggle('stacked', stackedMedia.matches || !windowFits());
  }
  stackedMedia.addEventListener('change', chooseLayout);

  // Arrow clicks and a held press on the trough repeat, as a desktop
  // scroll bar's do.
  const kRepeatDelay = 400;
  const kRepeatInterval = 50;
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
      this.wheelRest = 0;
      // The one pointer the bar follows, and how its press ends.
      this.pointer = null;
      this.letGo = null;
      // In dioptres or degrees, as the readout's number.
      element.setAttribute('aria-valuemin', String(wiring.lowest));
      element.setAttribute('aria-valuemax', String(wiring.highest));
      element.setAttribute('aria-valuetext', spoken(this.readout.textContent));
      element.addEventListener('keydown', (e) => this.key(e));
      element.addEventListener('pointerdown', (e) => this.press(e));
      element.addEventListener('wheel', (e) => this.wheel(e), {passive: false});
    }

    set(value) {
      const clamped = Math.min(this.max, Math.max(this.min, value));
      if (clamped === this.value) return false;
      this.value = clamped;
      this.place();
      this.show();
      addressFollows();
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

    // The thumb at the bar's value, or where it is being dragged, as a
    // share of the way along: the stylesheet places it in any layout, on
    // the screen or on paper.
    place(position = this.value) {
      const span = this.max - this.min;
      this.thumb.style.setProperty(
          '--at', String(span ? (position - this.min) / span : 0));
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

    // Follows one pointer from its press: `moved` as it moves, `ended` once
    // it lifts, is cancelled or loses its capture, or the page is hidden.
    // A second pointer on the bar meanwhile is not followed.
    follow(event, moved, ended) {
      const id = event.pointerId;
      const listening = new AbortController();
      const options = {signal: listening.signal};
      this.pointer = id;
      this.letGo = () => {
        listening.abort();
        this.pointer = null;
        this.letGo = null;
        ended();
      };
      const mine = (handler) => (e) => {
        if (e.pointerId === id) handler(e);
      };
      this.element.setPointerCapture(id);
      this.element.addEventListener('pointermove', mine(moved), options);
      for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
        this.element.addEventListener(type, mine(() => this.letGo()), options);
      }
    }

    press(event) {
      if (event.button !== 0 || this.pointer !== null) return;
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
      // This press's own repeat, which only its own end stops.
      let repeat = setTimeout(() => {
        repeat = setInterval(step, kRepeatInterval);
      }, kRepeatDelay);
      this.follow(event, () => {}, () => {
        clearTimeout(repeat);
        clearInterval(repeat);
        target.classList.remove('pressed');
      });
    }

    // The thumb follows the pointer; the value, and with it the readout,
    // changes where it is let go, as on the window's bars.
    drag(event) {
      const grab = event.clientX - this.thumb.getBoundingClientRect().left;
      let position = this.value;
      this.follow(event, (e) => {
        const trough = this.trough.getBoundingClientRect();
        const room = trough.width - this.thumb.getBoundingClientRect().width;
        const span = this.max - this.min;
        if (room <= 0) return;
        const x = e.clientX - grab - trough.left;
        position = Math.min(this.max, Math.max(
            this.min, this.min + Math.round(x / room * span)));
        this.place(position);
      }, () => {
        if (!this.set(position)) this.place();
      });
    }

    // One notch one step towards the end when turned down; with Ctrl or
    // Shift a page. In the column, where the wheel scrolls the page, it
    // moves a bar only once the bar has the focus.
    wheel(event) {
      if (root.classList.contains('stacked') &&
          document.activeElement !== this.element) {
        return;
      }
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

  // A press ends when the page is hidden, whatever its pointer does.
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden) return;
    for (const bar of bars) {
      if (bar.letGo) bar.letGo();
    }
  });

  // The lenses in the page's address, so that a case can be sent as a
  // link: #S1=-1.25&C1=-0.50&A1=180&S2=+0.50&C2=-0.75&A2=90, in the order
  // the bars are read. Each value is one its bar sets; a fragment with any
  // other is not applied at all.
  const kLinkNames = ['S1', 'C1', 'A1', 'S2', 'C2', 'A2'];
  const axis = (index) => kLinkNames[index][0] === 'A';

  function linkPositions(fragment) {
    const positions = bars.map((bar) => bar.start);
    const named = new Set();
    for (const part of fragment.split('&')) {
      const [name, written, extra] = part.split('=');
      let text;
      try {
        text = decodeURIComponent(written);
      } catch {
        return null;
      }
      const index = kLinkNames.indexOf(name);
      if (index < 0 || named.has(name) || written === undefined ||
          extra !== undefined || !/^[+-]?\d+(\.\d+)?$/.test(text)) {
        return null;
      }
      named.add(name);
      // An axis of 0 is 180, as the bars read it at both ends.
      const wanted = axis(index) && Number(text) === 0 ? 180 : Number(text);
      const bar = bars[index];
      let position = bar.min;
      while (position <= bar.max &&
             Math.abs(core.value(index, position) - wanted) > 1e-9) {
        ++position;
      }
      if (position > bar.max) return null;
      positions[index] = position;
    }
    return positions;
  }

  function followLink() {
    const fragment = location.hash.slice(1);
    if (!fragment) return;
    const positions = linkPositions(fragment);
    linkNote.hidden = positions !== null;
    if (positions === null) {
      linkNote.textContent = texts.link_ignored;
      announce(texts.link_ignored);
      return;
    }
    bars.forEach((bar, i) => bar.set(positions[i]));
  }

  function linkText() {
    return bars.map((bar, i) => {
      const value = core.value(i, bar.value);
      const written = axis(i) ? String(value) :
          (value > 0 ? '+' : '') + value.toFixed(2);
      return kLinkNames[i] + '=' + written;
    }).join('&');
  }

  // The address follows the bars, a moment after they settle; at their
  // starts it holds no lenses.
  let addressTimer = 0;
  function addressFollows() {
    if (!core) return;
    clearTimeout(addressTimer);
    addressTimer = setTimeout(() => {
      const atStart = bars.every((bar) => bar.value === bar.start);
      const address = location.pathname + location.search +
          (atStart ? '' : '#' + linkText());
      if (address !== location.pathname + location.search + location.hash) {
        history.replaceState(null, '', address);
      }
    }, 200);
  }
  window.addEventListener('hashchange', followLink);

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
  // takes the calculator off the page, with a way back to it.
  function end() {
    window.close();
    setTimeout(() => {
      if (window.closed) return;
      form.hidden = true;
      const words = texts.ended + texts.ended_tab;
      document.getElementById('ended-words').textContent = words;
      ended.hidden = false;
      announce(words);
      document.getElementById('back').focus();
    }, 100);
  }
  document.getElementById('back').addEventListener('click', () => {
    ended.hidden = true;
    form.hidden = false;
    document.getElementById(page.roles.calculate).focus();
  });

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

  form.querySelector('[tabindex="1"]').focus({preventScroll: true});
  chooseLayout();
  coreReady.then(() => {
    for (const bar of bars) bar.show();
    followLink();
    requestAnimationFrame(() => {
      performance.mark('toric-interactive');
      root.dataset.ready = '';
    });
  });
})();
