// korvel-host serve on a developer's machine: what another page, another program or a
// careless page may do to it. Raw requests, so every header and path is the test's.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { serve, request, step, dump } from './korvel-host.mjs';

const examples = process.env.KORVEL_EXAMPLES_DIR;
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'korvel-safety-'));
after(() => fs.rmSync(scratch, { recursive: true, force: true }));

const brick = fs.readFileSync(path.join(examples, 'catalogue', 'brick-material.json'), 'utf8');

test('the file server a session starts serves only its folder, and only to this machine', { timeout: 60000 }, async () => {
  const page = path.join(scratch, 'page');
  fs.mkdirSync(path.join(page, 'files'), { recursive: true });
  fs.writeFileSync(path.join(page, 'files', 'part.gsm'), 'part');
  fs.writeFileSync(path.join(scratch, 'secret.txt'), 'secret');
  fs.symlinkSync(path.join(scratch, 'secret.txt'), path.join(page, 'files', 'link.txt'));
  fs.writeFileSync(path.join(page, 'index.html'), '<!doctype html>');
  const host = await serve(['--page', page, '--work', path.join(scratch, 'work1')]);
  try {
    const started = await step(host.address, { do: 'serve', dir: 'files' });
    assert.equal(started.status, 200);
    const server = started.line.url;
    const port = new URL(server).port;
    const own = { Host: '127.0.0.1:' + port };
    // (The server's address ends in "/": paths here are relative to it.)
    assert.equal((await request(server, { pathname: 'part.gsm', headers: own })).text, 'part');
    assert.equal((await request(server, { pathname: 'part.gsm', headers: { Host: 'localhost:' + port } })).status, 200);
    // An absolute path, in every spelling, a way up and a link out of the folder.
    for (const pathname of ['/etc/passwd', '%2Fetc%2Fpasswd', '../secret.txt', '%2e%2e/secret.txt',
      'link.txt', path.join(scratch, 'secret.txt')]) {
      const answer = await request(server, { pathname, headers: own });
      assert.equal(answer.status, 404, pathname);
      assert.doesNotMatch(answer.text, /root:|secret/, pathname);
    }
    // A page of another site whose name was made to resolve to 127.0.0.1.
    const rebound = await request(server, { pathname: 'part.gsm', headers: { Host: 'attacker.example:' + port } });
    assert.equal(rebound.status, 403);

    // The bridge's own files follow the same rule.
    for (const pathname of ['/etc/passwd', '%2Fetc%2Fpasswd', 'files/link.txt', 'korvel-examples//etc/passwd',
      'korvel-examples/../../etc/passwd']) {
      const answer = await request(host.address, { pathname, headers: { Host: new URL(host.address).host } });
      assert.notEqual(answer.status, 200, pathname);
      assert.doesNotMatch(answer.text, /root:|secret/, pathname);
    }
  } finally {
    await host.stop();
  }
});

test('a step from the page names only paths inside the page folder', { timeout: 60000 }, async () => {
  const page = path.join(scratch, 'page2');
  fs.mkdirSync(page, { recursive: true });
  fs.writeFileSync(path.join(page, 'brick.json'), brick);
  fs.writeFileSync(path.join(scratch, 'outside.json'), brick);
  fs.symlinkSync(scratch, path.join(page, 'up'));
  const host = await serve(['--page', page, '--work', path.join(scratch, 'work2')]);
  try {
    const refused = [
      { do: 'serve', dir: '/' },
      { do: 'serve', dir: '..' },
      { do: 'serve', dir: 'up' },
      { do: 'js', fn: 'import', argFile: path.join(scratch, 'outside.json') },
      { do: 'js', fn: 'import', argFile: '../outside.json' },
      { do: 'js', fn: 'import', argFile: 'up/outside.json' },
      { do: 'drop', file: '/etc/passwd' },
      { do: 'drop', file: 'up/outside.json' },
    ];
    for (const action of refused) {
      const answer = await step(host.address, action);
      assert.equal(answer.status, 403, JSON.stringify(action));
      assert.match(answer.text, /lies outside .*a step from the page may only name paths inside that folder/);
    }
    assert.equal((await dump(host.address, 'project')).buildingMaterials.length, 0);
    // Inside the folder: carried out, and a missing file is the step's own error.
    const imported = await step(host.address, { do: 'js', fn: 'import', argFile: 'brick.json' });
    assert.equal(imported.status, 200);
    assert.equal(imported.line.reply, '{"IsError":false,"ShowError":true}');
    const missing = await step(host.address, { do: 'js', fn: 'import', argFile: 'missing.json' });
    assert.equal(missing.status, 200);
    assert.match(missing.line.error, /cannot read/);
    assert.equal((await step(host.address, { do: 'serve', dir: '.' })).status, 200);
  } finally {
    await host.stop();
  }
});

test('calls behind an open question are bounded, and the question can always be answered', { timeout: 60000 }, async () => {
  const host = await serve(['--work', path.join(scratch, 'work3')]);
  try {
    const own = { Host: new URL(host.address).host };
    assert.equal((await step(host.address, { do: 'js', fn: 'import', arg: brick })).status, 200);
    const asking = await step(host.address, { do: 'js', fn: 'import', arg: brick });
    assert.equal(asking.state, 'question');

    // 20 calls while the question is open: each is answered within seconds, busy.
    const began = Date.now();
    const waiting = Array.from({ length: 20 }, () => step(host.address, { do: 'functions' }));
    // Meanwhile the page's files, the pending question and the log still come.
    assert.equal((await request(host.address, { headers: own })).status, 200);
    const pending = JSON.parse((await request(host.address, { pathname: 'api/pending', headers: own })).text);
    assert.equal(pending.call, asking.call);
    assert.ok(Array.isArray(await dump(host.address, 'log')));
    const answers = await Promise.all(waiting);
    assert.ok(Date.now() - began < 10000);
    for (const answer of answers) {
      assert.equal(answer.status, 503);
      assert.equal(answer.state, 'busy');
      assert.match(answer.error, /waiting for an answer in the browser/);
    }
    // A button the question does not have is refused, and the call still waits for a real one.
    const bad = await request(host.address, { method: 'POST', pathname: 'api/answer', headers: own,
      body: JSON.stringify({ call: asking.call, answer: 3 }) });
    assert.equal(bad.status, 400);
    const done = JSON.parse((await request(host.address, { method: 'POST', pathname: 'api/answer', headers: own,
      body: JSON.stringify({ call: asking.call, answer: 2 }) })).text);
    assert.equal(done.state, 'done');
    // None of the busy calls ran; the next call runs.
    const next = await step(host.address, { do: 'functions' });
    assert.equal(next.status, 200);
    assert.deepEqual(Object.keys(next.line.objects), ['jsKorvelInterface']);
    assert.equal((await dump(host.address, 'alerts')).length, 1);
  } finally {
    await host.stop();
  }
});

test('slow, huge and idle clients starve nobody; a port in use is refused', { timeout: 60000 }, async () => {
  const host = await serve(['--work', path.join(scratch, 'work4')]);
  const port = Number(new URL(host.address).port);
  const sockets = [];
  try {
    // Eight clients sending one header byte a second, and eight that connect and send nothing.
    for (let i = 0; i < 16; ++i) {
      const socket = net.connect(port, '127.0.0.1');
      socket.on('error', () => {});
      sockets.push(socket);
    }
    const header = 'GET ' + new URL(host.address).pathname + ' HTTP/1.1\r\nHost: 127.0.0.1:' + port + '\r\n';
    let sent = 0;
    const drip = setInterval(() => {
      for (const socket of sockets.slice(0, 8)) socket.write(header[sent % header.length]);
      ++sent;
    }, 1000);
    try {
      await new Promise((resolve) => setTimeout(resolve, 1500));
      for (let i = 0; i < 5; ++i) {
        const began = Date.now();
        const answer = await request(host.address, { headers: { Host: '127.0.0.1:' + port } });
        assert.equal(answer.status, 200);
        assert.ok(Date.now() - began < 2000);
      }
    } finally {
      clearInterval(drip);
    }
    // A request body larger than any payload needs is refused before it is read.
    const huge = await new Promise((resolve) => {
      const socket = net.connect(port, '127.0.0.1', () => {
        socket.write('POST ' + new URL(host.address).pathname + 'api/step HTTP/1.1\r\nHost: 127.0.0.1:' + port +
          '\r\nContent-Type: application/json\r\nContent-Length: ' + (100 << 20) + '\r\n\r\n');
      });
      let text = '';
      socket.on('data', (chunk) => { text += chunk; });
      socket.on('error', () => resolve(text));
      socket.on('close', () => resolve(text));
    });
    assert.match(huge, /^HTTP\/1\.1 413/);

    // A second server on the same port is refused, with exit code 2 and why.
    const second = spawn(process.env.KORVEL_HOST, ['serve', '--port', String(port), '--work', path.join(scratch, 'work5')]);
    let stderr = '';
    second.stderr.on('data', (chunk) => { stderr += chunk; });
    const code = await new Promise((resolve) => second.on('exit', resolve));
    assert.equal(code, 2);
    assert.match(stderr, /cannot listen on 127\.0\.0\.1:\d+: the port is in use/);
    assert.equal((await request(host.address, { headers: { Host: '127.0.0.1:' + port } })).status, 200);
  } finally {
    for (const socket of sockets) socket.destroy();
    await host.stop();
  }
});

// A body of `size` bytes sent in chunks (none at all for 0), over a raw socket: the answer's
// status line, or '' when none came.
function chunked(address, pathname, host, size, extraHeaders = '') {
  const url = new URL(address);
  return new Promise((resolve) => {
    const socket = net.connect(Number(url.port), '127.0.0.1', async () => {
      socket.write('POST ' + url.pathname + pathname + ' HTTP/1.1\r\nHost: ' + host +
        '\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n' + extraHeaders + '\r\n');
      const piece = ' '.repeat(Math.min(size, 64 << 10));
      for (let sent = 0; sent < size && !socket.destroyed && !text; sent += piece.length) {
        const ok = socket.write(piece.length.toString(16) + '\r\n' + piece + '\r\n');
        // A server that stopped reading has answered, or is about to: no more is sent.
        if (!ok && await new Promise((next) => {
          socket.once('drain', () => next(false)); socket.once('close', () => next(true)); setTimeout(() => next(true), 2000);
        })) break;
      }
      if (size > 0 && !socket.destroyed && !text) socket.write('0\r\n\r\n');
    });
    // The answer may come before the whole body is sent: it is taken as soon as its first line is there.
    let text = '';
    socket.on('data', (chunk) => {
      text += chunk;
      if (text.includes('\r\n')) { resolve(text.split('\r\n')[0]); socket.destroy(); }
    });
    socket.on('error', () => resolve(text.split('\r\n')[0]));
    socket.on('close', () => resolve(text.split('\r\n')[0]));
  });
}

test('a body is capped however it is framed, foreign pages reach no server, and dumps never queue', { timeout: 120000 }, async () => {
  const host = await serve(['--work', path.join(scratch, 'work6')]);
  const own = new URL(host.address).host;
  try {
    // 17 MiB in chunks is refused as 17 MiB with a length is.
    assert.match(await chunked(host.address, 'api/step', own, 17 << 20), /^HTTP\/1\.1 413/);
    const small = await new Promise((resolve) => {
      const url = new URL(host.address);
      const socket = net.connect(Number(url.port), '127.0.0.1', () => {
        const body = '{"do":"dump","what":"undo"}';
        socket.write('POST ' + url.pathname + 'api/step HTTP/1.1\r\nHost: ' + own +
          '\r\nTransfer-Encoding: chunked\r\n\r\n' + body.length.toString(16) + '\r\n' + body + '\r\n0\r\n\r\n');
      });
      let text = '';
      socket.on('data', (chunk) => { text += chunk; });
      socket.on('close', () => resolve(text));
      socket.on('error', () => resolve(text));
    });
    assert.match(small, /^HTTP\/1\.1 200/);

    // The session's file server: a page of another site may not upload, nor send a body in chunks.
    const started = await step(host.address, { do: 'serve', dir: '.' });
    const server = started.line.url;
    const port = new URL(server).port;
    const foreign = await request(server, { method: 'POST', pathname: 'api/ifc', body: '{}',
      headers: { Host: '127.0.0.1:' + port, Origin: 'http://evil.example', 'Content-Type': 'application/json' } });
    assert.equal(foreign.status, 403);
    // (Refused on its headers: sending no body, the answer cannot be lost to a reset connection.)
    assert.match(await chunked(server, 'api/ifc', '127.0.0.1:' + port, 0), /^HTTP\/1\.1 411/);
    assert.deepEqual((await dump(host.address, 'requests')).filter((r) => r.method === 'POST'), []);

    // Forty dumps at once (five times the calls that may wait) are all answered: none waits
    // behind another.
    const statuses = await Promise.all(Array.from({ length: 40 }, () =>
      request(host.address, { pathname: 'api/dump/project', headers: { Host: own } }).then((answer) => answer.status)));
    assert.deepEqual([...new Set(statuses)], [200]);
  } finally {
    await host.stop();
  }
});
