// Starting `korvel-host serve` and talking to it, for the browser and server tests.
import { spawn } from 'node:child_process';
import http from 'node:http';

// Starts `korvel-host serve` and answers the address it prints.
export async function serve(args) {
  const child = spawn(process.env.KORVEL_HOST, ['serve', ...args], { stdio: ['ignore', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (chunk) => { stderr += chunk; });
  const address = await new Promise((resolve, reject) => {
    let stdout = '';
    child.stdout.on('data', (chunk) => {
      stdout += chunk;
      const found = stdout.match(/http:\/\/127\.0\.0\.1:\d+\/[0-9a-f]{32}\//);
      if (found) resolve(found[0]);
    });
    child.on('exit', (code) => reject(new Error('korvel-host exited with ' + code + ': ' + stderr)));
  });
  return {
    address,
    stop: () => new Promise((resolve) => {
      if (child.exitCode !== null) return resolve();
      child.on('exit', resolve);
      child.kill('SIGINT');
    }),
    stderr: () => stderr,
  };
}

// A raw request, so the path, the Host and Origin headers are the test's to choose.
export function request(address, { method = 'GET', pathname = '', headers = {}, body } = {}) {
  const url = new URL(address);
  return new Promise((resolve, reject) => {
    const req = http.request({ host: '127.0.0.1', port: url.port, method, path: url.pathname + pathname, headers,
      agent: false }, (res) => {
      let text = '';
      res.on('data', (chunk) => { text += chunk; });
      res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, text }));
    });
    req.on('error', reject);
    if (body) req.write(body);
    req.end();
  });
}

export async function step(address, action) {
  const response = await request(address, { method: 'POST', pathname: 'api/step',
    headers: { Host: new URL(address).host, 'Content-Type': 'application/json' }, body: JSON.stringify(action) });
  return { status: response.status, ...(response.text.startsWith('{') ? JSON.parse(response.text) : { text: response.text }) };
}

export async function dump(address, what) {
  const response = await fetch(address + 'api/dump/' + what);
  if (response.status !== 200) throw new Error('dump ' + what + ': ' + response.status);
  return response.json();
}
