// korvel-bridge.js, served by `korvel-host serve`: defines the add-on's JavaScript objects
// (jsKorvelInterface) as the application does, each function answering a Promise of the
// add-on's reply. Calls run one at a time in the add-on, in the order the page makes them; a question the add-on asks during a
// call is shown here as a dialog with the alert's own texts and buttons, and the call goes
// on with the button chosen.
//
// A page can show questions its own way: set korvelBridge.onQuestion to a function taking
// {kind, text, detail, buttons} and answering (or resolving to) the button's number, 1 the first.
(function () {
  'use strict';
  const objects = /*OBJECTS*/;
  const base = new URL('.', document.currentScript.src);

  const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

  async function post(path, body) {
    for (;;) {
      const response = await fetch(new URL(path, base), {
        method: 'POST',
        headers: { 'Content-Type': 'application/json' },
        body: JSON.stringify(body),
      });
      const text = await response.text();
      // Busy: another call waits for an answer in this page; this one was not run. It is
      // sent again, as the application queues calls behind a modal alert.
      if (response.status === 503) { await pause(300); continue; }
      if (!response.ok) throw new Error('korvel-host: ' + response.status + ' ' + text);
      return JSON.parse(text);
    }
  }

  const loaded = new Promise((resolve) => {
    if (document.readyState !== 'loading') resolve();
    else document.addEventListener('DOMContentLoaded', resolve);
  });

  async function showDialog(question) {
    await loaded; // a question may arrive before the page's body exists
    return new Promise((resolve) => {
      const dialog = document.createElement('dialog');
      dialog.className = 'korvel-question';
      dialog.setAttribute('data-kind', question.kind);
      dialog.style.cssText = 'max-width:32em;font:14px system-ui,sans-serif;border:1px solid #888;border-radius:6px;padding:1em 1.2em';
      for (const [cls, content] of [['korvel-question-text', question.text], ['korvel-question-detail', question.detail]]) {
        if (!content) continue;
        const p = document.createElement('p');
        p.className = cls;
        p.style.whiteSpace = 'pre-line';
        p.textContent = content;
        if (cls === 'korvel-question-text') p.style.fontWeight = 'bold';
        dialog.appendChild(p);
      }
      const row = document.createElement('p');
      row.style.textAlign = 'right';
      question.buttons.forEach((label, i) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = label;
        button.style.marginLeft = '0.5em';
        button.addEventListener('click', () => { dialog.close(); dialog.remove(); resolve(i + 1); });
        row.appendChild(button);
      });
      dialog.appendChild(row);
      // Escape would leave the add-on without an answer; it waits, as behind a modal alert.
      dialog.addEventListener('cancel', (event) => event.preventDefault());
      document.body.appendChild(dialog);
      dialog.showModal();
    });
  }

  // The page's own handler, when it answers one of the question's buttons; the dialog otherwise.
  async function choose(question) {
    const own = window.korvelBridge.onQuestion;
    if (own) {
      let button;
      try { button = await own(question); } catch (error) { button = error; }
      if (Number.isInteger(button) && button >= 1 && button <= question.buttons.length) return button;
      console.warn('korvelBridge.onQuestion answered ' + String(button) + ', which is not one of the buttons 1 to ' +
        question.buttons.length + '; the question is shown as a dialog');
    }
    return showDialog(question);
  }

  async function settle(answer) {
    while (answer.state === 'question') {
      const button = await choose(answer.question);
      answer = await post('api/answer', { call: answer.call, answer: button });
    }
    if (answer.state !== 'done') throw new Error('korvel-host: ' + JSON.stringify(answer));
    return answer.line;
  }

  // The application runs the page's calls one after another, in the order they are made,
  // whether the page awaits them or not: each is sent once the one before it has settled.
  let last = Promise.resolve();
  function inOrder(task) {
    const run = last.then(task, task);
    last = run.catch(() => {});
    return run;
  }

  // One session action (korvel-host's session format), its result line.
  function step(action) {
    return inOrder(async () => settle(await post('api/step', action)));
  }

  async function call(object, fn, arg) {
    const action = { do: 'js', object: object, fn: fn };
    if (arg !== undefined) action.arg = arg;
    const line = await step(action);
    if (line.crash) throw new Error(line.crash);
    if (line.error) throw new Error(line.error);
    window.korvelBridge.lastLines.push(line);
    return line.reply;
  }

  async function dump(what) {
    for (;;) {
      const response = await fetch(new URL('api/dump/' + encodeURIComponent(what), base));
      if (response.status === 503) { await pause(300); continue; }
      if (!response.ok) throw new Error('korvel-host: ' + response.status + ' ' + (await response.text()));
      return response.json();
    }
  }

  // showDialog(question) is the built-in dialog, for a handler that only wants to watch.
  window.korvelBridge = { step: step, dump: dump, onQuestion: null, showDialog: showDialog, lastLines: [] };
  for (const [name, functions] of Object.entries(objects)) {
    const object = {};
    for (const fn of functions) object[fn] = (arg) => call(name, fn, arg);
    window[name] = object;
  }

  // A question left open by a page that was reloaded is asked again.
  fetch(new URL('api/pending', base))
    .then((response) => response.json())
    .then((pending) => { if (pending.state === 'question') settle(pending).catch(() => {}); })
    .catch(() => {});
})();
